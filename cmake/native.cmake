# The units that need no Windows, built for this machine with its own compiler and standard
# library (the native preset: clang-16 with libc++): text and widths, the command-line parser,
# version arithmetic and names, path lists, the child command line, version-information text,
# the project reader and the patcher's tree edits, the package-source scan and the build-log
# decoder. Nothing listed here may include windows.h or call the system; scripts/test builds
# this and runs the units' own tests, so that the boundary holds. The library is what native
# tools (fuzz targets, sanitizer builds) link against.

set(kestrune_portable_sources
  core/src/text/path_list.cpp
  core/src/text/text.cpp
  core/src/text/width.cpp
  core/src/win/command_line.cpp
  core/src/win/path.cpp
  core/src/win/utf.cpp
  core/src/catalogue/enums.cpp
  core/src/catalogue/find_installation.cpp
  core/src/catalogue/installation.cpp
  core/src/catalogue/product.cpp
  core/src/catalogue/release.cpp
  core/src/catalogue/version.cpp
  core/src/backends/build_log.cpp
  core/src/backends/msbuild_command.cpp
  core/src/backends/msbuild_escape.cpp
  core/src/backends/project_error.cpp
  core/src/backends/version_info.cpp
  core/src/backends/patcher/text_references.cpp
  core/src/backends/patcher/group_targets.cpp
  core/src/backends/patcher/project_file.cpp
  core/src/backends/patcher/project_path.cpp
  core/src/backends/patcher/project_xml.cpp
  core/src/backends/patcher/request.cpp
  core/src/backends/patcher/xml_reader.cpp
  cli/src/args/error.cpp
  cli/src/args/help.cpp
  cli/src/args/matches.cpp
  cli/src/args/parser.cpp
  cli/src/args/styled.cpp
  cli/src/args/suggest.cpp
  cli/src/main/brcc_arguments.cpp
  cli/src/main/build_arguments.cpp
  cli/src/main/command_syntax.cpp
  cli/src/main/dcc_options.cpp
  cli/src/main/env_subcommands.cpp
  cli/src/main/package_source.cpp
  cli/src/main/package_subcommands.cpp
  cli/src/main/path_items.cpp
  cli/src/main/path_subcommands.cpp
  cli/src/main/possible_values.cpp
  cli/src/main/read_error.cpp
  cli/src/main/select_arguments.cpp
  cli/src/main/self_subcommands.cpp
  cli/src/main/subcommand_table.cpp
  cli/src/table/table.cpp
)

# Their tests, which need nothing of Windows either.
set(kestrune_portable_tests
  core/tests/build_log_test.cpp
  core/tests/command_line_test.cpp
  core/tests/enums_test.cpp
  core/tests/find_installation_test.cpp
  core/tests/msbuild_command_test.cpp
  core/tests/patcher_xml_test.cpp
  core/tests/path_list_text_test.cpp
  core/tests/path_test.cpp
  core/tests/product_test.cpp
  core/tests/release_test.cpp
  core/tests/text_test.cpp
  core/tests/utf_test.cpp
  core/tests/version_info_test.cpp
  core/tests/version_test.cpp
  core/tests/width_test.cpp
  cli/tests/args_error_test.cpp
  cli/tests/args_help_test.cpp
  cli/tests/args_parser_test.cpp
  cli/tests/args_suggest_test.cpp
  cli/tests/package_source_test.cpp
  cli/tests/table_test.cpp
)

set(CMAKE_POLICY_DEFAULT_CMP0077 NEW)
set(BUILD_SHARED_LIBS OFF)
set(KESTRUNE_PUGIXML_DIR ${CMAKE_SOURCE_DIR}/deps/pugixml CACHE PATH "pugixml sources")
add_subdirectory(${KESTRUNE_PUGIXML_DIR} ${CMAKE_BINARY_DIR}/third_party/pugixml EXCLUDE_FROM_ALL)
set(KESTRUNE_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${KESTRUNE_GTEST_DIR} ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)

add_library(kestrune_portable STATIC ${kestrune_portable_sources})
target_include_directories(kestrune_portable PUBLIC core/src cli/src)
target_link_libraries(kestrune_portable PUBLIC pugixml::static)
target_compile_definitions(kestrune_portable PUBLIC KESTRUNE_VERSION="${PROJECT_VERSION}")
kestrune_target_options(kestrune_portable)

enable_testing()
option(KESTRUNE_FUZZ "Build the fuzz targets (the fuzz preset) instead of the units' tests" OFF)
if(KESTRUNE_FUZZ)
  add_subdirectory(fuzz)
  return()
endif()

add_executable(portable_tests ${kestrune_portable_tests})
target_link_libraries(portable_tests PRIVATE kestrune_portable GTest::gtest_main)
kestrune_target_options(portable_tests)
add_test(NAME portable_tests COMMAND portable_tests)
