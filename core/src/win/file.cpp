#include "win/file.hpp"

#include <windows.h>

#include <algorithm>

namespace kestrune::win {
namespace {

// ReadFile and WriteFile take 32-bit lengths; a mebibyte at a time also keeps pipe writes reasonable.
constexpr std::size_t chunk_limit = std::size_t{1} << 20;

}  // namespace

std::expected<UniqueHandle, IoError> open_for_reading(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::unexpected(IoError::last_error());
    return file;
}

std::expected<std::size_t, IoError> read_some(HANDLE handle, std::span<char> buffer) {
    DWORD read = 0;
    const auto size = static_cast<DWORD>(std::min(buffer.size(), chunk_limit));
    if (!ReadFile(handle, buffer.data(), size, &read, nullptr)) return std::unexpected(IoError::last_error());
    return read;
}

std::expected<std::string, IoError> read_file(const std::wstring& path) {
    const auto file = open_for_reading(path);
    if (!file) return std::unexpected(file.error());
    std::string content;
    // Room for the file at the size it has now, and a byte more, so that its end shows in the
    // last read; a file that grows meanwhile, or has no size to tell, is read on in doubling steps.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file->get(), &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) < content.max_size())
        content.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size()) content.resize(std::max<std::size_t>(16384, content.size() * 2));
        const auto read = read_some(file->get(), std::span<char>(content).subspan(filled));
        if (!read) return std::unexpected(read.error());
        if (*read == 0) break;
        filled += *read;
    }
    content.resize(filled);
    return content;
}

std::expected<void, IoError> write_all(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), chunk_limit));
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return std::unexpected(IoError::last_error());
        if (written == 0) return std::unexpected(IoError::from_code(ERROR_WRITE_FAULT));
        bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
    }
    return {};
}

}  // namespace kestrune::win
