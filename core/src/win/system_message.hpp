// The system's message text for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace kestrune::win {

// The message the system's message table gives for the HRESULT, without trailing white
// space, as UTF-8; empty when the system has no text for it.
std::string system_message(HRESULT code);

}  // namespace kestrune::win
