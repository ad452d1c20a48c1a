// The lock that makes the program's registry edits happen one at a time, across all its
// processes in the session: each edit reads a value, changes it and writes it back, so two
// runs that overlap would otherwise write back lists that each lack the other's change.
#pragma once

#include <string_view>
#include <utility>

#include "win/handle.hpp"
#include "win/registry_error.hpp"

namespace kestrune::win {

// The named mutex every run of the program edits the registry under, in the session's namespace.
inline constexpr std::wstring_view registry_edit_lock_name = L"Local\\KestruneCLI.RegistryEdit";

// Owner of the held lock: released when the owner goes out of scope. Hold it only around the
// read, the change and the write, never while a child program runs: every other run waits.
class RegistryEditLock {
public:
    // Creates or opens the mutex and waits for it without a time-out. A holder that ended
    // without releasing it leaves it to the next: each of its writes was one registry call, so
    // no value was left half written. A thread that holds the lock may take it again, so an
    // edit made of smaller edits can hold it throughout. Another name keeps a test's lock
    // apart from the program's.
    static RegistryResult<RegistryEditLock> acquire(std::wstring_view name = registry_edit_lock_name);

    RegistryEditLock(RegistryEditLock&&) noexcept = default;
    RegistryEditLock& operator=(RegistryEditLock&&) = delete;
    RegistryEditLock(const RegistryEditLock&) = delete;
    RegistryEditLock& operator=(const RegistryEditLock&) = delete;
    ~RegistryEditLock();

private:
    explicit RegistryEditLock(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    UniqueHandle mutex_;  // held while set; a moved-from owner holds nothing
};

}  // namespace kestrune::win
