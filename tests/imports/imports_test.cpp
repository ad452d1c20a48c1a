// kestrune.exe loads no library at start-up beyond the few that every command needs: each
// further DLL costs every run its loading time (USER32 alone makes a start 1.6 times slower).
// The import directories are read from the built program with the system's image structures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.hpp"
#include "win/file.hpp"
#include "win/module_path.hpp"
#include "win/path.hpp"

namespace kestrune::imports {
namespace {

// Bounds-checked reads from the bytes of an image: a broken image fails the test, never the test program.
class ImageBytes {
public:
    explicit ImageBytes(std::string_view bytes) : bytes_(bytes) {}

    template <class T>
    std::optional<T> read(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return std::nullopt;
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    std::optional<std::string> c_string(std::size_t offset) const {
        if (offset >= bytes_.size()) return std::nullopt;
        const std::size_t end = bytes_.find('\0', offset);
        if (end == std::string_view::npos) return std::nullopt;
        return std::string(bytes_.substr(offset, end - offset));
    }

private:
    std::string_view bytes_;
};

struct Directories {
    ULONGLONG image_base = 0;
    IMAGE_DATA_DIRECTORY imports{};
    IMAGE_DATA_DIRECTORY delay_imports{};
};

template <class OptionalHeader>
std::optional<Directories> directories(const ImageBytes& image, std::size_t offset) {
    const auto header = image.read<OptionalHeader>(offset);
    if (!header) return std::nullopt;
    const auto entry = [&](DWORD index) {
        return index < header->NumberOfRvaAndSizes ? header->DataDirectory[index] : IMAGE_DATA_DIRECTORY{};
    };
    return Directories{header->ImageBase, entry(IMAGE_DIRECTORY_ENTRY_IMPORT), entry(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT)};
}

// Where the file stores the byte that the loader maps at this address.
std::optional<std::size_t> file_offset(const std::vector<IMAGE_SECTION_HEADER>& sections, ULONGLONG rva) {
    for (const IMAGE_SECTION_HEADER& section : sections) {
        if (rva < section.VirtualAddress) continue;
        const ULONGLONG into = rva - section.VirtualAddress;
        if (into < std::max<ULONGLONG>(section.Misc.VirtualSize, section.SizeOfRawData))
            return into < section.SizeOfRawData ? std::optional<std::size_t>(section.PointerToRawData + into) : std::nullopt;
    }
    return std::nullopt;
}

// Adds the DLL names of one table of descriptors, read up to the entry that ends it;
// `name_rva` gives the address of a descriptor's DLL name, 0 for that last entry.
template <class Descriptor, class NameRva>
std::expected<void, std::string> add_dll_names(const ImageBytes& image, const std::vector<IMAGE_SECTION_HEADER>& sections,
                                               const IMAGE_DATA_DIRECTORY& directory, NameRva name_rva,
                                               std::vector<std::string>& dlls) {
    if (directory.VirtualAddress == 0) return {};
    const auto table = file_offset(sections, directory.VirtualAddress);
    if (!table) return std::unexpected("a DLL table outside every section");
    for (std::size_t at = *table;; at += sizeof(Descriptor)) {
        const auto entry = image.read<Descriptor>(at);
        if (!entry) return std::unexpected("a DLL table cut short");
        const ULONGLONG rva = name_rva(*entry);
        if (rva == 0) return {};
        const auto offset = file_offset(sections, rva);
        auto name = offset ? image.c_string(*offset) : std::nullopt;
        if (!name) return std::unexpected("a DLL name outside the file");
        dlls.push_back(std::move(*name));
    }
}

// The names of the DLLs that the image imports, loaded at start or on first call (delay-loaded).
std::expected<std::vector<std::string>, std::string> imported_dlls(std::string_view bytes) {
    const ImageBytes image(bytes);
    const auto dos = image.read<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return std::unexpected("no DOS header");
    const auto nt = static_cast<std::size_t>(dos->e_lfanew);
    if (image.read<DWORD>(nt) != DWORD{IMAGE_NT_SIGNATURE}) return std::unexpected("no PE signature");
    const auto file = image.read<IMAGE_FILE_HEADER>(nt + sizeof(DWORD));
    if (!file) return std::unexpected("no file header");
    const std::size_t optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);

    std::optional<Directories> found;
    const auto magic = image.read<WORD>(optional);
    if (magic == WORD{IMAGE_NT_OPTIONAL_HDR64_MAGIC})
        found = directories<IMAGE_OPTIONAL_HEADER64>(image, optional);
    else if (magic == WORD{IMAGE_NT_OPTIONAL_HDR32_MAGIC})
        found = directories<IMAGE_OPTIONAL_HEADER32>(image, optional);
    if (!found) return std::unexpected("no optional header");

    std::vector<IMAGE_SECTION_HEADER> sections;
    for (WORD i = 0; i < file->NumberOfSections; ++i) {
        const auto section =
            image.read<IMAGE_SECTION_HEADER>(optional + file->SizeOfOptionalHeader + i * sizeof(IMAGE_SECTION_HEADER));
        if (!section) return std::unexpected("section table cut short");
        sections.push_back(*section);
    }

    std::vector<std::string> dlls;
    const auto imported = add_dll_names<IMAGE_IMPORT_DESCRIPTOR>(
        image, sections, found->imports, [](const IMAGE_IMPORT_DESCRIPTOR& entry) -> ULONGLONG { return entry.Name; }, dlls);
    if (!imported) return std::unexpected(imported.error());
    const auto delay_loaded = add_dll_names<IMAGE_DELAYLOAD_DESCRIPTOR>(
        image, sections, found->delay_imports,
        [&](const IMAGE_DELAYLOAD_DESCRIPTOR& entry) -> ULONGLONG {
            // Old linkers wrote an address here rather than an offset into the image.
            const bool rva_based = (entry.Attributes.AllAttributes & 1) != 0;
            return entry.DllNameRVA == 0 || rva_based ? entry.DllNameRVA : entry.DllNameRVA - found->image_base;
        },
        dlls);
    if (!delay_loaded) return std::unexpected(delay_loaded.error());
    return dlls;
}

// KERNEL32, ADVAPI32 (registry) and the runtime as the compiler links it: MinGW's msvcrt or
// universal runtime with its api-ms-win-crt-* forwarders, and with MSVC's default runtime also
// its vcruntime140 and msvcp140. Not bcrypt: attaching it loads a dozen libraries more, and only
// the commands that make temporary files draw random bytes, so it is loaded when they do.
bool every_command_needs(std::string_view dll) {
    const std::string name = text::ascii_lower(dll);
    for (std::string_view wanted : {"kernel32.dll", "advapi32.dll", "msvcrt.dll", "ucrtbase.dll",
                                    "vcruntime140.dll", "vcruntime140_1.dll", "msvcp140.dll"})
        if (name == wanted) return true;
    return name.starts_with("api-ms-win-crt-");
}

TEST(Imports, TheProgramImportsOnlyWhatEveryCommandNeeds) {
    const auto self = win::module_path();
    ASSERT_TRUE(self);
    const auto directory = win::parent_directory(*self);
    ASSERT_TRUE(directory);
    const auto program = win::read_file(win::join_path(*directory, L"kestrune.exe"));
    ASSERT_TRUE(program) << program.error().message();

    const auto dlls = imported_dlls(*program);
    ASSERT_TRUE(dlls) << dlls.error();
    // A reader that found nothing would let any program pass.
    EXPECT_TRUE(std::any_of(dlls->begin(), dlls->end(), [](const std::string& dll) {
        return text::equal_ignore_ascii_case(dll, "kernel32.dll");
    }));
    std::vector<std::string> others;
    std::copy_if(dlls->begin(), dlls->end(), std::back_inserter(others),
                 [](const std::string& dll) { return !every_command_needs(dll); });
    EXPECT_EQ(others, std::vector<std::string>{}) << "each of these DLLs is loaded by every run of the program";
}

}  // namespace
}  // namespace kestrune::imports
