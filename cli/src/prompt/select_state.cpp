#include "prompt/select_state.hpp"

#include "text/text.hpp"
#include "win/lower_case.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

bool is_subsequence(std::wstring_view pattern, std::wstring_view text) {
    std::size_t at = 0;
    for (const wchar_t c : pattern) {
        at = text.find(c, at);
        if (at == std::wstring_view::npos) return false;
        ++at;
    }
    return true;
}

}  // namespace

bool fuzzy_match(std::wstring_view pattern, std::wstring_view text) {
    return is_subsequence(win::lower_case(pattern), win::lower_case(text));
}

SelectState::SelectState(std::vector<std::string> options, bool multi)
    : options_(std::move(options)), multi_(multi), ticked_(options_.size(), false) {
    for (const auto& option : options_) wide_.push_back(win::to_wide(option));
    refilter();
}

std::vector<std::size_t> SelectState::answer() const {
    std::vector<std::size_t> chosen;
    if (outcome_ != Outcome::Answered) return chosen;
    if (!multi_) {
        chosen.push_back(matches_[cursor_]);
        return chosen;
    }
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (ticked_[i]) chosen.push_back(i);
    return chosen;
}

void SelectState::press(Key key) {
    if (outcome_ != Outcome::Pending) return;
    switch (key.kind) {
        case Key::Kind::Up: move(false); break;
        case Key::Kind::Down: move(true); break;
        case Key::Kind::Right:
            if (multi_) tick_all(true);
            break;
        case Key::Kind::Left:
            if (multi_) tick_all(false);
            break;
        case Key::Kind::Space:
            if (!multi_) {
                filter_ += L' ';
                refilter();
            } else if (!matches_.empty()) {
                const std::size_t option = matches_[cursor_];
                ticked_[option] = !ticked_[option];
            }
            break;
        case Key::Kind::Enter:
            // A single choice needs an option under the cursor; a multiple choice may be empty.
            if (multi_ || !matches_.empty()) outcome_ = Outcome::Answered;
            break;
        case Key::Kind::Backspace:
            if (filter_.empty()) break;
            filter_.pop_back();
            if (!filter_.empty() && text::is_high_surrogate(filter_.back())) filter_.pop_back();
            refilter();
            break;
        case Key::Kind::Escape:
        case Key::Kind::Interrupt: outcome_ = Outcome::Cancelled; break;
        case Key::Kind::Text:
            filter_ += key.text;
            // The first half of a surrogate pair filters nothing until its second half arrives.
            if (!text::is_high_surrogate(key.text)) refilter();
            break;
    }
}

void SelectState::refilter() {
    matches_.clear();
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (fuzzy_match(filter_, wide_[i])) matches_.push_back(i);
    cursor_ = 0;
    page_start_ = 0;
}

void SelectState::move(bool down) {
    const std::size_t count = matches_.size();
    if (count == 0) return;
    cursor_ = down ? (cursor_ + 1) % count : (cursor_ + count - 1) % count;
    if (cursor_ < page_start_) page_start_ = cursor_;
    if (cursor_ >= page_start_ + page_size) page_start_ = cursor_ + 1 - page_size;
}

void SelectState::tick_all(bool on) { ticked_.assign(options_.size(), on); }

}  // namespace kestrune::cli
