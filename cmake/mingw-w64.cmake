# Cross-build for Windows x86-64 with MinGW-w64 (POSIX threads flavour); tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)

# Debian keeps nlohmann/json in /usr/include, which must never be on the MinGW include path (it
# would pull in glibc's headers): a folder that holds only a link to nlohmann's own folder stands
# in for it.
if(EXISTS /usr/include/nlohmann/json.hpp AND NOT KESTRUNE_JSON_INCLUDE_DIR)
  set(_kestrune_json_dir ${CMAKE_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${_kestrune_json_dir})
  if(NOT EXISTS ${_kestrune_json_dir}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${_kestrune_json_dir}/nlohmann SYMBOLIC)
  endif()
  set(KESTRUNE_JSON_INCLUDE_DIR ${_kestrune_json_dir} CACHE PATH "folder holding nlohmann/json.hpp, and nothing else of the host")
endif()
