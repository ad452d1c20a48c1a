// Reading a package source: the file and the system's code page, apart from the scan.
#include "main/package_source.hpp"

#include "win/code_page.hpp"
#include "win/file.hpp"

namespace kestrune::cli {

std::expected<PackageSource, win::IoError> read_package_source(const std::wstring& file) {
    const auto bytes = win::read_file(file);
    if (!bytes) return std::unexpected(bytes.error());
    return scan_package_source(win::decode_text_file(*bytes));
}

}  // namespace kestrune::cli
