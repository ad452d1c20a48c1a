#include "win/io_error.hpp"

#include "win/system_message.hpp"

namespace kestrune::win {

namespace {

std::string failure_text(const std::optional<DWORD>& code, const std::string& text) {
    if (!code) return text;
    const std::string suffix = "(os error " + std::to_string(*code) + ")";
    const std::string system_text = system_message(static_cast<HRESULT>(*code));
    return system_text.empty() ? suffix : system_text + " " + suffix;
}

}  // namespace

std::string IoError::message() const {
    std::string failure = failure_text(code_, text_);
    return step_.empty() ? failure : step_ + ": " + failure;
}

}  // namespace kestrune::win
