// Temporary files: paths that own their file, created under fresh random names.
#pragma once

#include <windows.h>

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>
#include <utility>

#include "win/handle.hpp"
#include "win/io_error.hpp"

namespace kestrune::win {

// A path that owns its file: the file is deleted when the owner goes out of scope, and a
// failed deletion is ignored (the file may never have been created). The paths owned in the
// process are also known to delete_live_temp_files.
class TempPath {
public:
    TempPath() = default;
    // Owns the file at the path, whether or not it exists yet.
    explicit TempPath(std::wstring path);
    TempPath(TempPath&& other) noexcept : path_(std::exchange(other.path_, {})) {}
    TempPath& operator=(TempPath&& other) noexcept {
        if (this != &other) {
            reset();
            path_ = std::exchange(other.path_, {});
        }
        return *this;
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;
    ~TempPath() { reset(); }

    // The owned path; empty once released.
    const std::wstring& path() const { return path_; }
    // Deletes the file now and owns nothing afterwards.
    void reset();

private:
    std::wstring path_;
};

// Deletes the files of every TempPath alive in the process, for the ends that skip their
// destructors: the fatal stop, an interrupt and the console closing. The owners keep their
// paths. Safe on any thread; a file that another process holds open without sharing its
// deletion stays.
void delete_live_temp_files();
// Deletes them and ends the process with the status, for an end that comes on a thread of its
// own (the console's handler): meanwhile a thread that makes or releases a temporary file waits.
[[noreturn]] void exit_deleting_temp_files(UINT status);

// A temporary file just created: its open handle (read and write access) and its owner.
// The handle is declared last so that it is closed before the file is deleted.
struct TempFile {
    TempPath path;
    UniqueHandle handle;
};

// `count` characters drawn at random from A-Z, a-z and 0-9.
std::expected<std::wstring, IoError> random_name(std::size_t count = 6);

// Creates a new, empty file named prefix, six random characters and suffix in the directory
// (the current directory when it is empty); a name that is taken is drawn again. The path is
// absolute.
std::expected<TempFile, IoError> create_temp_file(std::wstring_view dir, std::wstring_view prefix,
                                                  std::wstring_view suffix);

// The system's directory for temporary files, ending in a backslash.
std::expected<std::wstring, IoError> temp_dir();

}  // namespace kestrune::win
