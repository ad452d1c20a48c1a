// Sets a variable of this process's environment while a test runs and puts back what was
// there before.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win/environment.hpp"

namespace kestrune::scratch {

class ScopedVariable {
public:
    // nullopt removes the variable for the while.
    ScopedVariable(std::wstring name, const std::optional<std::wstring>& value)
        : name_(std::move(name)), saved_(win::environment_variable(name_)) {
        SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_.c_str(), saved_ ? saved_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> saved_;
};

}  // namespace kestrune::scratch
