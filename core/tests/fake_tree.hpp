// A scratch directory of the test's own, removed with everything in it when the test ends.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "win/utf.hpp"

namespace kestrune::scratch {

class FakeTree {
public:
    FakeTree() {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (unsigned n = 0;; ++n) {
            std::filesystem::path candidate =
                base / ("kestrune-tree-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                root_ = candidate;
                break;
            }
            if (ec || n > 1000) throw std::filesystem::filesystem_error("cannot create scratch directory", candidate, ec);
        }
    }
    ~FakeTree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    FakeTree(const FakeTree&) = delete;
    FakeTree& operator=(const FakeTree&) = delete;

    // The directory as UTF-8 text, without a trailing backslash.
    std::string root() const { return win::to_utf8(root_.wstring()); }

    const std::filesystem::path& path() const { return root_; }

    // Creates a small file (and its parent directories) at a path relative to the root.
    void file(std::string_view relative) const {
        const std::filesystem::path p = root_ / win::to_wide(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p).put('\n');
        ASSERT_TRUE(std::filesystem::exists(p)) << relative;
    }
    void directory(std::string_view relative) const { std::filesystem::create_directories(root_ / win::to_wide(relative)); }

private:
    std::filesystem::path root_;
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
