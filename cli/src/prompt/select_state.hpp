// What a selection prompt knows between two key presses: the options, the filter typed so
// far, the cursor and its page, the ticks, and whether the prompt is over. No console here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::cli {

// A key press as the prompts understand it.
struct Key {
    enum class Kind { Up, Down, Left, Right, Enter, Space, Backspace, Escape, Interrupt, Text };
    Kind kind;
    wchar_t text = 0;  // Kind::Text: the UTF-16 unit typed
};

// Options shown at once; the page scrolls to keep the cursor on it.
inline constexpr std::size_t page_size = 7;

// The prompt's filter: whether every character of the pattern occurs in the text in the same
// order, ignoring case.
bool fuzzy_match(std::wstring_view pattern, std::wstring_view text);

enum class Outcome { Pending, Answered, Cancelled };

class SelectState {
public:
    SelectState(std::vector<std::string> options, bool multi);

    void press(Key key);

    Outcome outcome() const { return outcome_; }
    // The chosen options as indices into the options, in option order; empty unless answered.
    std::vector<std::size_t> answer() const;

    const std::vector<std::string>& options() const { return options_; }
    bool multi() const { return multi_; }
    const std::wstring& filter() const { return filter_; }
    // The options that pass the filter, as indices into the options, in option order.
    const std::vector<std::size_t>& matches() const { return matches_; }
    // The cursor's position among the matches (0 when there are none).
    std::size_t cursor() const { return cursor_; }
    // The position among the matches of the first one on the page.
    std::size_t page_start() const { return page_start_; }
    bool ticked(std::size_t option) const { return ticked_[option]; }

private:
    void refilter();
    void move(bool down);
    void tick_all(bool on);

    std::vector<std::string> options_;
    std::vector<std::wstring> wide_;  // the options in UTF-16, as the filter compares them
    bool multi_;
    std::wstring filter_;
    std::vector<std::size_t> matches_;
    std::size_t cursor_ = 0;
    std::size_t page_start_ = 0;
    std::vector<bool> ticked_;
    Outcome outcome_ = Outcome::Pending;
};

}  // namespace kestrune::cli
