#include "win/registry_edit_lock.hpp"

#include <string>

#include "win/utf.hpp"

namespace kestrune::win {
namespace {

std::unexpected<RegistryError> failed(std::string_view step, std::wstring_view name, DWORD code) {
    return std::unexpected(RegistryError::edit_lock(std::string(step) + " the registry edit lock " + to_utf8(name), code));
}

}  // namespace

RegistryResult<RegistryEditLock> RegistryEditLock::acquire(std::wstring_view name) {
    const std::wstring terminated(name);
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, terminated.c_str()));
    if (!mutex) return failed("cannot create", name, GetLastError());
    const DWORD waited = WaitForSingleObject(mutex.get(), INFINITE);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return RegistryEditLock(std::move(mutex));
    // Without a time-out only a failure remains; WAIT_TIMEOUT is an error code of its own too.
    return failed("cannot wait for", name, waited == WAIT_FAILED ? GetLastError() : waited);
}

RegistryEditLock::~RegistryEditLock() {
    if (mutex_) ReleaseMutex(mutex_.get());
}

}  // namespace kestrune::win
