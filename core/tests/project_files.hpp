// Project files on disk for the patcher and back-end tests: a scratch directory to write them
// into, and what is found there afterwards.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fake_tree.hpp"
#include "win/utf.hpp"

namespace kestrune::scratch {

class ProjectDir : public FakeTree {
public:
    // Writes the bytes to a path relative to the directory, creating its parents; gives the full path.
    std::wstring write(std::string_view relative, std::string_view content) const {
        const std::filesystem::path p = path() / win::to_wide(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
        return p.wstring();
    }
    // Every file below the directory, relative, with backslashes, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path()))
            if (entry.is_regular_file())
                names.push_back(win::to_utf8(std::filesystem::relative(entry.path(), path()).make_preferred().wstring()));
        std::sort(names.begin(), names.end());
        return names;
    }
};

inline std::string read_file(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool file_exists(const std::wstring& path) { return std::filesystem::exists(std::filesystem::path(path)); }

}  // namespace kestrune::scratch
