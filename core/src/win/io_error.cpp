#include "win/io_error.hpp"

#include "win/system_message.hpp"

namespace kestrune::win {

std::string IoError::message() const {
    if (!code_) return text_;
    const std::string suffix = "(os error " + std::to_string(*code_) + ")";
    const std::string text = system_message(static_cast<HRESULT>(*code_));
    return text.empty() ? suffix : text + " " + suffix;
}

}  // namespace kestrune::win
