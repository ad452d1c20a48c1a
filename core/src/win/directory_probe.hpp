// Whether files exist in one directory, asked for many names at a time.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::win {

// The directory is looked at once: when it is not there, no file below it can be opened, and
// every name is absent without asking the system again; otherwise each name is checked with
// path_exists. The answers are always those of path_exists for the joined path. It holds what
// it saw, so it answers for one computation only.
class DirectoryProbe {
public:
    explicit DirectoryProbe(std::wstring directory);

    // Whether the directory joined with the name exists, as path_exists tells.
    bool exists(std::wstring_view name) const;

private:
    std::wstring directory_;
    bool missing_ = false;
};

}  // namespace kestrune::win
