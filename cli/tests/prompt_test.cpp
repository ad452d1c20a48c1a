#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prompt/select_state.hpp"
#include "prompt/select_view.hpp"
#include "win/utf.hpp"

namespace kestrune::cli {
namespace {

using Kind = Key::Kind;

const std::vector<std::string> three = {"RAD Studio 2007", "RAD Studio 11 Alexandria", "RAD Studio 12.1 Athens"};

std::vector<std::string> numbered(std::size_t count) {
    std::vector<std::string> options;
    for (std::size_t i = 0; i < count; ++i) options.push_back("Option " + std::to_string(i));
    return options;
}

void type(SelectState& state, std::wstring_view text) {
    for (const wchar_t c : text) state.press(c == L' ' ? Key{Kind::Space} : Key{Kind::Text, c});
}

void press(SelectState& state, Kind kind, int times = 1) {
    for (int i = 0; i < times; ++i) state.press(Key{kind});
}

std::string plain_picture(const SelectState& state, std::size_t width = 0) {
    const Frame frame = draw_prompt(state, {"Select IDE:", "help", false, width});
    std::string out;
    for (const auto& line : frame.lines) out += line + "\n";
    return out;
}

TEST(FuzzyMatch, TypedCharactersInOrderIgnoringCase) {
    struct Case {
        std::wstring_view pattern, text;
        bool matches;
    } const cases[] = {
        {L"", L"RAD Studio 2007", true},
        {L"athens", L"RAD Studio 12.1 Athens", true},
        {L"rs121", L"RAD Studio 12.1 Athens", true},
        {L"ALEX", L"RAD Studio 11 Alexandria", true},
        {L"21", L"RAD Studio 12 Athens", false},  // order counts
        {L"athensx", L"RAD Studio 12.1 Athens", false},
        {L"\u00e9dition", L"\u00c9DITION", true},  // beyond ASCII too
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fuzzy_match(c.pattern, c.text), c.matches) << win::to_utf8(c.pattern);
        // What the prompt shows is that same filter's answer.
        SelectState state({win::to_utf8(c.text)}, false);
        type(state, c.pattern);
        EXPECT_EQ(state.matches().size(), c.matches ? 1u : 0u) << win::to_utf8(c.pattern);
    }
}

TEST(SelectState, FilteringNarrowsTheOptionsAndPutsTheCursorOnTheFirstMatch) {
    SelectState state(three, false);
    press(state, Kind::Down);
    type(state, L"1");
    EXPECT_EQ(state.matches(), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(state.cursor(), 0u);
    type(state, L"2 a");  // a space is filter text in a single choice
    EXPECT_EQ(state.filter(), L"12 a");
    EXPECT_EQ(state.matches(), (std::vector<std::size_t>{2}));

    type(state, L"zz");
    EXPECT_TRUE(state.matches().empty());
    EXPECT_EQ(plain_picture(state), "? Select IDE: 12 azz\n  No matching option\n[help]\n");
    press(state, Kind::Enter);  // nothing under the cursor to choose
    EXPECT_EQ(state.outcome(), Outcome::Pending);

    press(state, Kind::Backspace, 3);
    EXPECT_EQ(state.filter(), L"12 ");
    press(state, Kind::Backspace, 9);  // past the start does nothing
    EXPECT_EQ(state.matches().size(), 3u);
    press(state, Kind::Down, 2);
    press(state, Kind::Enter);
    EXPECT_EQ(state.outcome(), Outcome::Answered);
    EXPECT_EQ(state.answer(), (std::vector<std::size_t>{2}));
}

TEST(SelectState, TheSevenOptionPageFollowsTheCursorAndWrapsAround) {
    SelectState state(numbered(10), false);
    struct Step {
        Kind key;
        int times;
        std::size_t cursor, page_start;
    } const steps[] = {
        {Kind::Down, 6, 6, 0},  // the last row of the first page
        {Kind::Down, 1, 7, 1},  // one past it scrolls by one
        {Kind::Down, 2, 9, 3},
        {Kind::Down, 1, 0, 0},  // from the last option to the first
        {Kind::Up, 1, 9, 3},    // and back
        {Kind::Up, 6, 3, 3},
        {Kind::Up, 1, 2, 2},
    };
    for (const auto& step : steps) {
        press(state, step.key, step.times);
        EXPECT_EQ(state.cursor(), step.cursor);
        EXPECT_EQ(state.page_start(), step.page_start);
    }
    EXPECT_EQ(plain_picture(state),
              "? Select IDE: \n"
              "> Option 2\n  Option 3\n  Option 4\n  Option 5\n  Option 6\n  Option 7\n  Option 8\n"
              "[help]\n");
    press(state, Kind::Enter);
    EXPECT_EQ(state.answer(), (std::vector<std::size_t>{2}));
}

TEST(SelectState, MultipleChoiceTicksOneAllOrNone) {
    SelectState state(three, true);
    press(state, Kind::Down, 2);
    press(state, Kind::Space);
    press(state, Kind::Up, 2);
    press(state, Kind::Space);
    EXPECT_EQ(plain_picture(state),
              "? Select IDE: \n"
              "> [x] RAD Studio 2007\n"
              "  [ ] RAD Studio 11 Alexandria\n"
              "  [x] RAD Studio 12.1 Athens\n"
              "[help]\n");
    press(state, Kind::Space);  // again: unticked
    EXPECT_FALSE(state.ticked(0));

    press(state, Kind::Right);
    for (std::size_t i = 0; i < three.size(); ++i) EXPECT_TRUE(state.ticked(i));
    press(state, Kind::Left);
    for (std::size_t i = 0; i < three.size(); ++i) EXPECT_FALSE(state.ticked(i));

    // Ticks outlive the filter that hid their options; the answer keeps the options' order.
    press(state, Kind::Down, 2);
    press(state, Kind::Space);
    type(state, L"2007");
    press(state, Kind::Space);
    press(state, Kind::Backspace, 4);
    EXPECT_EQ(state.matches().size(), 3u);
    press(state, Kind::Enter);
    EXPECT_EQ(state.outcome(), Outcome::Answered);
    EXPECT_EQ(state.answer(), (std::vector<std::size_t>{0, 2}));
}

TEST(SelectState, EnterWithNothingTickedIsAnEmptyAnswer) {
    SelectState state(three, true);
    press(state, Kind::Down);
    press(state, Kind::Enter);
    EXPECT_EQ(state.outcome(), Outcome::Answered);
    EXPECT_TRUE(state.answer().empty());
    EXPECT_EQ(answered_line(state, {"Select IDE:", "help", false, 0}), "? Select IDE:");
}

TEST(SelectState, EscapeAndInterruptCancelAndNothingCountsAfterwards) {
    for (const bool multi : {false, true}) {
        for (const Kind cancel : {Kind::Escape, Kind::Interrupt}) {
            SelectState state(three, multi);
            press(state, Kind::Right);
            press(state, cancel);
            press(state, Kind::Enter);
            EXPECT_EQ(state.outcome(), Outcome::Cancelled);
            EXPECT_TRUE(state.answer().empty());
        }
    }
}

TEST(SelectView, AnsweredLineJoinsTheChosenNames) {
    SelectState state(three, true);
    press(state, Kind::Down);
    press(state, Kind::Space);
    press(state, Kind::Down);
    press(state, Kind::Space);
    press(state, Kind::Enter);
    // However narrow the console, and whatever it makes of escape sequences: the whole answer.
    for (const std::size_t width : {0u, 20u}) {
        EXPECT_EQ(answered_line(state, {"Pick:", "help", false, width}),
                  "? Pick: RAD Studio 11 Alexandria, RAD Studio 12.1 Athens");
        for (const bool escapes_take_cells : {false, true})
            EXPECT_EQ(answered_line(state, {"Pick:", "help", true, width, escapes_take_cells}),
                      "\x1b[1m\x1b[92m?\x1b[0m \x1b[1mPick:\x1b[0m \x1b[96mRAD Studio 11 Alexandria, RAD Studio 12.1 "
                      "Athens\x1b[0m");
    }
}

TEST(SelectView, LinesAreCutToTheWidthAndTheCursorFollowsTheFilter) {
    SelectState state(three, false);
    type(state, L"ath");
    const Frame frame = draw_prompt(state, {"Select IDE:", "help text", false, 12});
    EXPECT_EQ(frame.lines, (std::vector<std::string>{"? Select IDE", "> RAD Studio", "[help text]"}));
    EXPECT_EQ(frame.cursor_column, 12u);
    EXPECT_EQ(draw_prompt(state, {"Select IDE:", "help", false, 0}).cursor_column, 17u);

    // Escape sequences show as no column; only a console that keeps them as text gets them
    // charged, as the cells they take there.
    EXPECT_EQ(draw_prompt(state, {"Select IDE:", "help", true, 20}).lines[1], "\x1b[96m> RAD Studio 12.1 At\x1b[0m");
    EXPECT_EQ(draw_prompt(state, {"Select IDE:", "help", true, 20, true}).lines[1], "\x1b[96m> RAD Studi\x1b[0m");
}

TEST(SelectView, WidthsAreTerminalColumns) {
    SelectState state({"\u738B\u5C0F\u660E Studio", "Cafe\u0301 Studio"}, false);
    // An ideograph takes two columns and is never halved; a combining accent takes none.
    EXPECT_EQ(plain_picture(state, 7),
              "? Selec\n"
              "> \u738B\u5C0F\n"
              "  Cafe\u0301 \n"
              "[help]\n");
    type(state, L"\u738B");
    EXPECT_EQ(draw_prompt(state, {"Select IDE:", "help", false, 0}).cursor_column, 16u);
}

}  // namespace
}  // namespace kestrune::cli
