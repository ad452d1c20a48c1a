#include "win/grow_buffer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrune::win {
namespace {

// A system function that holds `text` and answers a buffer that is too small in one of the
// two ways; it remembers the sizes it was offered.
struct FakeFunction {
    std::wstring text;
    BufferTooSmall convention;
    std::vector<DWORD> offered;

    DWORD operator()(wchar_t* buffer, DWORD size) {
        offered.push_back(size);
        if (text.size() < size) {
            std::copy(text.begin(), text.end(), buffer);
            buffer[text.size()] = L'\0';
            return static_cast<DWORD>(text.size());
        }
        if (convention == BufferTooSmall::ReturnsNeededSize) return static_cast<DWORD>(text.size() + 1);
        // Cut to the buffer, NUL included, as GetModuleFileNameW does.
        std::copy_n(text.begin(), size - 1, buffer);
        buffer[size - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
};

// A text of the length, with a different character at each position so that a cut or a
// shifted copy shows.
std::wstring text_of(std::size_t length) {
    std::wstring text;
    for (std::size_t i = 0; i < length; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
    return text;
}

TEST(GrowBuffer, GivesTheWholeTextInBothConventions) {
    for (const BufferTooSmall convention : {BufferTooSmall::ReturnsNeededSize, BufferTooSmall::ReturnsBufferSize}) {
        // Around the first buffer's size (MAX_PATH), and far beyond it.
        for (const std::size_t length : {1u, 259u, 260u, 261u, 520u, 33000u}) {
            FakeFunction fake{text_of(length), convention, {}};
            const auto text = grow_buffer(fake, convention);
            ASSERT_TRUE(text) << length;
            EXPECT_EQ(*text, fake.text) << length;
            // Asked again only when the text did not fit, and with a buffer that can hold it.
            EXPECT_EQ(fake.offered.size() == 1, length < MAX_PATH) << length;
            EXPECT_GT(fake.offered.back(), length) << length;
            // A size given is taken at once; a cut text doubles the buffer.
            EXPECT_LE(fake.offered.size(), convention == BufferTooSmall::ReturnsNeededSize ? 2u : 8u) << length;
        }
    }
}

TEST(GrowBuffer, AsksAgainWhenTheTextGrewSinceItsSizeWasGiven) {
    int calls = 0;
    const auto text = grow_buffer([&](wchar_t* buffer, DWORD size) -> DWORD {
        // Each answer of a size is out of date by the next call, until the third.
        const std::wstring now = text_of(300 * static_cast<std::size_t>(std::min(++calls, 3)));
        if (now.size() >= size) return static_cast<DWORD>(now.size() + 1);
        std::copy(now.begin(), now.end(), buffer);
        return static_cast<DWORD>(now.size());
    });
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, text_of(900));
    EXPECT_EQ(calls, 4);
}

TEST(GrowBuffer, ReportsTheFunctionsError) {
    const auto failed = grow_buffer([](wchar_t*, DWORD) -> DWORD {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    });
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().code(), std::optional<DWORD>(ERROR_ACCESS_DENIED));

    // An error left over from an earlier call is not taken for this one's.
    SetLastError(ERROR_FILE_NOT_FOUND);
    const auto silent = grow_buffer([](wchar_t*, DWORD) -> DWORD { return 0; });
    ASSERT_FALSE(silent);
    EXPECT_EQ(silent.error().code(), std::optional<DWORD>(ERROR_SUCCESS));
}

TEST(GrowBuffer, GivesUpOnATextThatIsCutAtEverySize) {
    FakeFunction fake{text_of(0x20000), BufferTooSmall::ReturnsBufferSize, {}};
    const auto text = grow_buffer(fake, BufferTooSmall::ReturnsBufferSize);
    ASSERT_FALSE(text);
    EXPECT_EQ(text.error().code(), std::optional<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_LE(fake.offered.size(), 10u);
}

}  // namespace
}  // namespace kestrune::win
