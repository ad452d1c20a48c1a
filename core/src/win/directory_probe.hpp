// Whether files exist in one directory, asked for many names at a time.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::win {

// The directory is looked at once: when it is not there, no file below it can be opened, and
// every name is absent without asking the system again; otherwise each name is checked with
// path_exists. The answers are always those of path_exists for the joined path. It holds what
// it saw, so it answers for one computation only. (A directory whose last component ends in a
// point or blank, which the system drops there but not before a file name, is never taken for
// missing.)
class DirectoryProbe {
public:
    explicit DirectoryProbe(std::wstring directory);
    // A directory that may lie below one looked at before: not there, without asking, when
    // that one is not there and this is spelled below it (spells_below); else looked at itself.
    DirectoryProbe(std::wstring directory, const DirectoryProbe& parent);

    // Whether the directory joined with the name exists, as path_exists tells.
    bool exists(std::wstring_view name) const;
    // Whether the directory was found not to be there.
    bool missing() const { return missing_; }
    // Whether the path is spelled as lying below the directory: its path, a separator and more
    // components, none of them "." or "..", which the system would take away with what is
    // before them. The text alone is looked at.
    bool spells_below(std::wstring_view path) const;

private:
    void look();

    std::wstring directory_;
    bool missing_ = false;
};

}  // namespace kestrune::win
