#include "win/io_error.hpp"

#include <windows.h>

#include "win/system_message.hpp"

namespace kestrune::win {

IoError IoError::from_code(std::uint32_t code) { return IoError(code, system_message(static_cast<HRESULT>(code))); }

IoError IoError::last_error() { return from_code(GetLastError()); }

}  // namespace kestrune::win
