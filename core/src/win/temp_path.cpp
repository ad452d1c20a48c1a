#include "win/temp_path.hpp"

#include <windows.h>

#include <bcrypt.h>

#include <array>

#include "win/grow_buffer.hpp"
#include "win/path.hpp"

namespace kestrune::win {
namespace {

constexpr std::wstring_view name_alphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Give up after this many taken names: something other than chance is at work then.
constexpr int max_attempts = 1 << 16;

}  // namespace

void TempPath::reset() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
    path_.clear();
}

std::expected<std::wstring, IoError> random_name(std::size_t count) {
    // Bytes at or above the largest multiple of the alphabet's size are redrawn, so that
    // every character is equally likely.
    constexpr unsigned limit = 256 - 256 % name_alphabet.size();
    std::wstring out;
    std::array<unsigned char, 32> bytes{};
    while (out.size() < count) {
        const NTSTATUS status =
            BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
        if (status < 0) return std::unexpected(IoError::from_text("cannot draw random bytes"));
        for (const unsigned char b : bytes) {
            if (b >= limit) continue;
            out += name_alphabet[b % name_alphabet.size()];
            if (out.size() == count) break;
        }
    }
    return out;
}

std::expected<std::wstring, IoError> absolute_path(const std::wstring& path) {
    return grow_buffer([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
}

std::expected<TempFile, IoError> create_temp_file(std::wstring_view dir, std::wstring_view prefix,
                                                  std::wstring_view suffix) {
    std::wstring base(dir);
    if (base.empty()) base = L".";
    auto absolute_dir = absolute_path(base);
    if (!absolute_dir) return std::unexpected(absolute_dir.error());
    for (int attempt = 0;; ++attempt) {
        auto name = random_name();
        if (!name) return std::unexpected(name.error());
        std::wstring path = join_path(*absolute_dir, std::wstring(prefix) + *name + std::wstring(suffix));
        UniqueHandle handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle) return TempFile{TempPath(std::move(path)), std::move(handle)};
        const DWORD code = GetLastError();
        if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt + 1 >= max_attempts)
            return std::unexpected(IoError::from_code(code));
    }
}

std::expected<std::wstring, IoError> temp_dir() {
    return grow_buffer([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
}

}  // namespace kestrune::win
