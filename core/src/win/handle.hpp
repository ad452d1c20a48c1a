// Owner of a kernel object handle: closed when the owner goes out of scope.
#pragma once

#include <windows.h>

#include "win/unique.hpp"

namespace kestrune::win {

struct HandleTraits {
    using Value = HANDLE;
    // Most calls fail with a null handle, CreateFileW and a few others with INVALID_HANDLE_VALUE.
    static bool owns(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void release(HANDLE handle) { CloseHandle(handle); }
};

using UniqueHandle = Unique<HandleTraits>;

}  // namespace kestrune::win
