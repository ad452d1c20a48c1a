#include "output/sink.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

#include "win/file.hpp"
#include "win/temp_path.hpp"

namespace kestrune::cli {
namespace {

// Standard output sent to a fresh file while it lives, so that what the sink has written so
// far can be read back.
class CapturedStdout {
public:
    CapturedStdout() : previous_(GetStdHandle(STD_OUTPUT_HANDLE)) {
        auto dir = win::temp_dir();
        auto file = dir ? win::create_temp_file(*dir, L"kestrune-sink-", L".txt") : std::unexpected(dir.error());
        if (!file) throw std::runtime_error(file.error().message());
        file_ = std::move(*file);
        SetStdHandle(STD_OUTPUT_HANDLE, file_.handle.get());
    }
    ~CapturedStdout() {
        flush();  // nothing a test left behind reaches the real standard output
        SetStdHandle(STD_OUTPUT_HANDLE, previous_);
    }
    CapturedStdout(const CapturedStdout&) = delete;
    CapturedStdout& operator=(const CapturedStdout&) = delete;

    std::string written() const { return win::read_file(file_.path.path()).value_or("(unreadable)"); }

private:
    HANDLE previous_;
    win::TempFile file_;
};

TEST(Sink, StandardOutputIsWrittenUpToTheLastLineFeed) {
    const CapturedStdout out;
    struct Step {
        std::string_view text;
        std::string_view written;  // everything in the file afterwards
    };
    const Step steps[] = {
        {"ab", ""},
        {"c\nd", "abc\n"},
        {"e", "abc\n"},
        {"", "abc\n"},
        {"\n\nf\ng", "abc\nde\n\nf\n"},
        {"\n", "abc\nde\n\nf\ng\n"},
        {"h", "abc\nde\n\nf\ng\n"},
    };
    for (const Step& s : steps) {
        print(s.text);
        EXPECT_EQ(out.written(), s.written) << s.text;
    }
    flush();
    EXPECT_EQ(out.written(), "abc\nde\n\nf\ng\nh");
}

// A build log's continuation lines end no line, so they all wait in the buffer together:
// each one must cost the same however much already waits. Looking for a line end in the
// whole buffer on every write makes this take seconds, growing with the square of the count.
TEST(Sink, TextWithoutALineFeedCostsTheSameHoweverMuchWaits) {
    constexpr std::size_t writes = 200'000;
    const CapturedStdout out;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < writes; ++i) print("x");
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(out.written(), "");
    flush();
    EXPECT_EQ(out.written(), std::string(writes, 'x'));
    EXPECT_LT(took.count(), 1.0) << writes << " writes";
}

}  // namespace
}  // namespace kestrune::cli
