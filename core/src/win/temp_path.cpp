#include "win/temp_path.hpp"

#include <windows.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

#include "win/grow_buffer.hpp"
#include "win/path.hpp"

namespace kestrune::win {
namespace {

constexpr std::wstring_view name_alphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Give up after this many taken names: something other than chance is at work then.
constexpr int max_attempts = 1 << 16;

// BCryptGenRandom with the system's preferred generator (no algorithm handle, flag 2).
using GenRandom = LONG(WINAPI*)(void* algorithm, UCHAR* buffer, ULONG size, ULONG flags);
constexpr ULONG use_system_preferred_rng = 0x00000002;

// bcrypt.dll is loaded the first time random bytes are wanted, not at every start: attaching
// it loads a good many libraries of its own (Wine's loads GnuTLS), while only the commands
// that make temporary files need it. It comes from the system directory alone, never from
// the program's or the current directory. Null when it cannot be had.
GenRandom gen_random() {
    static const GenRandom function = [] {
        const HMODULE bcrypt = LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return bcrypt ? reinterpret_cast<GenRandom>(reinterpret_cast<void (*)()>(GetProcAddress(bcrypt, "BCryptGenRandom")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

namespace {

// The paths that TempPaths own now. The console's handler reads them on a thread of its own,
// so they are kept under a lock, and they are never destroyed: that thread may still come
// while the process exits. The lock is recursive: a file is made and registered under one
// hold, and the thread that ends the process keeps it.
struct LivePaths {
    std::recursive_mutex lock;
    std::vector<std::wstring> paths;
};

LivePaths& live_paths() {
    static LivePaths& live = *new LivePaths;
    return live;
}

}  // namespace

TempPath::TempPath(std::wstring path) : path_(std::move(path)) {
    if (path_.empty()) return;
    LivePaths& live = live_paths();
    const std::lock_guard held(live.lock);
    live.paths.push_back(path_);
}

void TempPath::reset() {
    if (path_.empty()) return;
    DeleteFileW(path_.c_str());
    LivePaths& live = live_paths();
    {
        const std::lock_guard held(live.lock);
        if (const auto it = std::find(live.paths.begin(), live.paths.end(), path_); it != live.paths.end())
            live.paths.erase(it);
    }
    path_.clear();
}

void delete_live_temp_files() {
    LivePaths& live = live_paths();
    const std::lock_guard held(live.lock);
    for (const std::wstring& path : live.paths) DeleteFileW(path.c_str());
}

void exit_deleting_temp_files(UINT status) {
    // Held until the process has ended: the main thread, going on meanwhile, would make a file
    // that nothing deletes any more.
    live_paths().lock.lock();
    delete_live_temp_files();
    ExitProcess(status);
}

std::expected<std::wstring, IoError> random_name(std::size_t count) {
    // Bytes at or above the largest multiple of the alphabet's size are redrawn, so that
    // every character is equally likely.
    constexpr unsigned limit = 256 - 256 % name_alphabet.size();
    std::wstring out;
    std::array<unsigned char, 32> bytes{};
    const GenRandom generate = gen_random();
    if (!generate) return std::unexpected(IoError::from_text("cannot draw random bytes"));
    while (out.size() < count) {
        const LONG status = generate(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()), use_system_preferred_rng);
        if (status < 0) return std::unexpected(IoError::from_text("cannot draw random bytes"));
        for (const unsigned char b : bytes) {
            if (b >= limit) continue;
            out += name_alphabet[b % name_alphabet.size()];
            if (out.size() == count) break;
        }
    }
    return out;
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
        // Made and owned under one hold, so that no end of the process falls between the two.
        const std::lock_guard held(live_paths().lock);
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
