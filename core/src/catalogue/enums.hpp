// The product enumerations: target platforms, architectures, command-line tools, editions,
// personalities.
// Each value's name is at once its display text, its command-line value and its JSON text.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::catalogue {

enum class Platform : std::uint8_t { Win32, Win64, Win64x, WinARM64EC, OSX64, OSXARM64, Linux64, Android32, Android64, IOSDevice64 };
enum class Architecture : std::uint8_t { x86, x64 };
enum class Tool : std::uint8_t { DCC32, DCC64, BCC64X, DCCARM64EC, DCCOSX64, DCCOSXARM64, DCCLINUX64, DCCAARM, DCCAARM64, DCCIOSARM64, BRCC32 };
enum class ProductEdition : std::uint8_t { Community };
enum class Personality : std::uint8_t { Delphi, CBuilder };

inline constexpr std::size_t position(auto value) { return static_cast<std::size_t>(value); }

// Each table below holds the value at position i in row i, so a value finds its row by position.
template <class Row, std::size_t N>
constexpr bool rows_in_position_order(const std::array<Row, N>& table) {
    for (std::size_t i = 0; i < N; ++i)
        if (position(table[i].value) != i) return false;
    return true;
}

struct PlatformInfo {
    Platform value;
    std::string_view name;
    std::string_view help;
    Tool tool;      // the compiler whose presence makes the platform count as installed
    Tool compiler;  // the compiler dcc runs: Win64x projects take the 64-bit Delphi compiler, not the C++ one
};

inline constexpr std::array<PlatformInfo, 10> platform_table{{
    {Platform::Win32, "Win32", "32-bit Intel Windows", Tool::DCC32, Tool::DCC32},
    {Platform::Win64, "Win64", "64-bit Intel Windows", Tool::DCC64, Tool::DCC64},
    {Platform::Win64x, "Win64x", "64-bit Intel Windows (Modern), only available for C++ Builder", Tool::BCC64X, Tool::DCC64},
    {Platform::WinARM64EC, "WinARM64EC", "64-bit Arm64EC Windows", Tool::DCCARM64EC, Tool::DCCARM64EC},
    {Platform::OSX64, "OSX64", "64-bit Intel macOS", Tool::DCCOSX64, Tool::DCCOSX64},
    {Platform::OSXARM64, "OSXARM64", "64-bit ARM macOS", Tool::DCCOSXARM64, Tool::DCCOSXARM64},
    {Platform::Linux64, "Linux64", "64-bit Intel Linux", Tool::DCCLINUX64, Tool::DCCLINUX64},
    {Platform::Android32, "Android32", "32-bit Android", Tool::DCCAARM, Tool::DCCAARM},
    {Platform::Android64, "Android64", "64-bit Android", Tool::DCCAARM64, Tool::DCCAARM64},
    {Platform::IOSDevice64, "IOSDevice64", "64-bit iOS", Tool::DCCIOSARM64, Tool::DCCIOSARM64},
}};
static_assert(rows_in_position_order(platform_table));

struct ArchitectureInfo {
    Architecture value;
    std::string_view name;
    std::string_view help;
    std::array<std::string_view, 3> aliases;  // hidden on the command line
    std::string_view bin_dir;                 // tool directory under the root directory
    std::string_view rsvars;                  // toolchain environment script in that directory
    std::string_view key_suffix;              // of the IDE's per-architecture registry keys
    Platform ide_platform;                    // platform of the IDE of that architecture
    std::string_view ide_name;                // heads the IDE's listings and names it when it is missing
};

inline constexpr std::array<ArchitectureInfo, 2> architecture_table{{
    {Architecture::x86, "x86", "32-bit", {"IntelX86", "32bit", "32-bit"}, "bin", "rsvars.bat", "", Platform::Win32,
     "32-bit IDE"},
    {Architecture::x64, "x64", "64-bit", {"IntelX64", "64bit", "64-bit"}, "bin64", "rsvars64.bat", " x64", Platform::Win64,
     "64-bit IDE"},
}};
static_assert(rows_in_position_order(architecture_table));

struct ToolInfo {
    Tool value;
    std::string_view name;
};

inline constexpr std::array<ToolInfo, 11> tool_table{{
    {Tool::DCC32, "DCC32"},
    {Tool::DCC64, "DCC64"},
    {Tool::BCC64X, "BCC64X"},
    {Tool::DCCARM64EC, "DCCARM64EC"},
    {Tool::DCCOSX64, "DCCOSX64"},
    {Tool::DCCOSXARM64, "DCCOSXARM64"},
    {Tool::DCCLINUX64, "DCCLINUX64"},
    {Tool::DCCAARM, "DCCAARM"},
    {Tool::DCCAARM64, "DCCAARM64"},
    {Tool::DCCIOSARM64, "DCCIOSARM64"},
    {Tool::BRCC32, "BRCC32"},
}};
static_assert(rows_in_position_order(tool_table));

struct PersonalityInfo {
    Personality value;
    std::string_view name;           // the JSON text
    std::string_view registry_name;  // the value name under the installation's Personalities key
};

inline constexpr std::array<PersonalityInfo, 2> personality_table{{
    {Personality::Delphi, "Delphi", "Delphi.Win32"},
    {Personality::CBuilder, "CBuilder", "BCB"},
}};
static_assert(rows_in_position_order(personality_table));

inline const PlatformInfo& info(Platform p) { return platform_table[position(p)]; }
inline const ArchitectureInfo& info(Architecture a) { return architecture_table[position(a)]; }
inline const PersonalityInfo& info(Personality p) { return personality_table[position(p)]; }

inline std::string_view name(Platform p) { return info(p).name; }
inline std::string_view name(Architecture a) { return info(a).name; }
inline std::string_view name(Tool t) { return tool_table[position(t)].name; }
inline std::string_view name(ProductEdition) { return "Community"; }
inline std::string_view name(Personality p) { return info(p).name; }

// "32-bit IDE" or "64-bit IDE".
inline std::string_view ide_name(Architecture a) { return info(a).ide_name; }

// The tool's executable file name: DCC32.exe.
std::string tool_file_name(Tool tool);
// Delphi command-line compilers are the tools whose name begins with "DCC".
bool is_delphi_compiler(Tool tool);
// The registry value naming the IDE executable: "App" or "App x64".
std::string app_value_name(Architecture architecture);
// The order in which the tool directories are searched; no architecture searches as x86.
std::array<Architecture, 2> tool_search_order(std::optional<Architecture> architecture);

// All values of an enumeration, in position order.
template <class E> constexpr std::size_t enum_count();
template <> constexpr std::size_t enum_count<Platform>() { return platform_table.size(); }
template <> constexpr std::size_t enum_count<Architecture>() { return architecture_table.size(); }
template <> constexpr std::size_t enum_count<Tool>() { return tool_table.size(); }
template <> constexpr std::size_t enum_count<Personality>() { return personality_table.size(); }

// An ordered set of enumeration values: each value once, always listed in position order.
template <class E>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> values) {
        for (E v : values) insert(v);
    }
    constexpr void insert(E v) { bits_ |= bit(v); }
    constexpr bool contains(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr std::size_t size() const { return static_cast<std::size_t>(std::popcount(bits_)); }
    constexpr bool operator==(const EnumSet&) const = default;

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = E;
        using difference_type = std::ptrdiff_t;
        using pointer = const E*;
        using reference = E;
        constexpr iterator() = default;
        constexpr iterator(std::uint32_t bits, std::size_t pos) : bits_(bits), pos_(pos) { skip(); }
        constexpr E operator*() const { return static_cast<E>(pos_); }
        constexpr iterator& operator++() {
            ++pos_;
            skip();
            return *this;
        }
        constexpr iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        constexpr bool operator==(const iterator& other) const { return pos_ == other.pos_; }

    private:
        constexpr void skip() {
            while (pos_ < enum_count<E>() && (bits_ & (1u << pos_)) == 0) ++pos_;
        }
        std::uint32_t bits_ = 0;
        std::size_t pos_ = 0;
    };
    constexpr iterator begin() const { return {bits_, 0}; }
    constexpr iterator end() const { return {bits_, enum_count<E>()}; }
    // The first value in position order; the set must not be empty.
    constexpr E front() const { return *begin(); }

private:
    static constexpr std::uint32_t bit(E v) { return 1u << position(v); }
    std::uint32_t bits_ = 0;
};

}  // namespace kestrune::catalogue
