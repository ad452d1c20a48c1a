// A directory of the test's own in the temporary directory, removed with everything in it when
// the test ends, and the files a test lays out in it and finds there afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "win/utf.hpp"

namespace kestrune::scratch {

// The bytes of a file as stored; empty when it cannot be read.
inline std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Paths below it are given relative to it, with backslashes; narrow ones are UTF-8.
class Directory {
public:
    Directory() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        static unsigned counter = 0;  // a name this process has not taken yet
        for (;;) {
            const std::filesystem::path candidate =
                base / (L"kestrune-scratch-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                path_ = candidate.wstring();
                break;
            }
            if (ec) throw std::filesystem::filesystem_error("cannot create a scratch directory", candidate, ec);
        }
    }
    // In the form that lifts the length limit: a test may have made paths longer than MAX_PATH.
    ~Directory() { remove_tree(L"\\\\?\\" + path_); }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    // The full path, without a trailing backslash.
    const std::wstring& path() const { return path_; }
    // The same as UTF-8 text.
    std::string utf8() const { return win::to_utf8(path_); }
    // The full path of a file or directory below it.
    std::wstring operator/(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

    // Writes the bytes to a file, creating its directories; gives the file's full path.
    std::wstring write(std::wstring_view relative, std::string_view content = {}) const {
        const std::wstring path = *this / relative;
        make_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out.flush()) ADD_FAILURE() << "cannot write " << win::to_utf8(path);
        return path;
    }
    std::wstring write(std::string_view relative, std::string_view content = {}) const {
        return write(win::to_wide(relative), content);
    }
    // Creates a directory and its parents; one that exists is fine.
    void directory(std::wstring_view relative) const { make_directories(*this / relative); }

    std::string read(std::wstring_view relative) const { return read_file(*this / relative); }
    bool exists(std::wstring_view relative) const { return std::filesystem::exists(*this / relative); }

    // Every file below it, relative, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            if (entry.is_regular_file())
                names.push_back(win::to_utf8(std::filesystem::relative(entry.path(), path_).make_preferred().wstring()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    // Everything it can remove; what a program still holds open stays.
    static void remove_tree(const std::wstring& path) {
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    remove_tree(path + L"\\" + name);
                else
                    DeleteFileW((path + L"\\" + name).c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }

    static void make_directories(const std::filesystem::path& path) {
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
        if (ec) ADD_FAILURE() << "cannot create " << win::to_utf8(path.wstring()) << ": " << ec.message();
    }

    std::wstring path_;
};

// Makes a directory the current one and puts the previous one back afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~CurrentDirectory() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
    }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace kestrune::scratch
