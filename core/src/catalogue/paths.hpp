// Where an installation's files lie, and which architectures, platforms and tools it has.
// Every answer is read afresh from the record and the file system; nothing fails.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "catalogue/enums.hpp"
#include "catalogue/installation.hpp"
#include "win/directory_probe.hpp"

namespace kestrune::catalogue {

// The "RootDir" value; the empty path when it is absent.
std::string root_dir(const Installation& installation);
// The tool directory of an architecture under the root directory: root\bin or root\bin64.
std::string bin_dir(const Installation& installation, Architecture architecture);
// The toolchain environment script of an architecture: root\bin\rsvars.bat or root\bin64\rsvars64.bat.
std::string rsvars_path(const Installation& installation, Architecture architecture);
// The IDE executable named by "App" or "App x64", unchanged; the empty path when absent.
std::string ide_path(const Installation& installation, Architecture architecture);
// Where a tool would lie in an architecture's tool directory, whether or not it exists.
std::string tool_path(const Installation& installation, Tool tool, Architecture architecture);

// The first existing tool file in the architecture's search order (no architecture searches as x86).
std::optional<std::string> find_tool(const Installation& installation, Tool tool, std::optional<Architecture> architecture);
// A Delphi compiler's file as find_tool finds it; never a path for BCC64X or BRCC32.
std::optional<std::string> compiler_path(const Installation& installation, Tool tool,
                                         std::optional<Architecture> architecture);
// The resource compiler's file as find_tool finds it.
std::optional<std::string> brcc32_path(const Installation& installation, std::optional<Architecture> architecture);

// What one computation sees of an installation's files, however many of its questions ask
// after them: a root or tool directory that is not there is found out once, when first asked
// about, and each IDE executable is checked once. The answers are those of checking each file on its
// own; a new one is made for each computation, so that every computation looks afresh.
class InstallationFiles {
public:
    explicit InstallationFiles(const Installation& installation) : installation_(installation) {}
    InstallationFiles(const InstallationFiles&) = delete;
    InstallationFiles& operator=(const InstallationFiles&) = delete;

    const Installation& installation() const { return installation_; }
    // Whether a file of that name lies in the architecture's tool directory.
    bool in_tool_directory(Architecture architecture, std::string_view name);
    // Whether the architecture's IDE executable exists.
    bool has_ide(Architecture architecture);

private:
    // The root directory, looked at when first asked about: when it is not there, neither is
    // anything below it.
    const win::DirectoryProbe& root();

    const Installation& installation_;
    std::optional<win::DirectoryProbe> root_;
    std::array<std::optional<win::DirectoryProbe>, enum_count<Architecture>()> tool_directories_;
    std::array<std::optional<bool>, enum_count<Architecture>()> ides_;
};

// Architectures whose rsvars script exists.
EnumSet<Architecture> architectures(const Installation& installation);
EnumSet<Architecture> architectures(InstallationFiles& files);
// Architectures whose IDE executable exists.
EnumSet<Architecture> ide_architectures(const Installation& installation);
EnumSet<Architecture> ide_architectures(InstallationFiles& files);
// The IDE platform (Win32, Win64) of each IDE architecture.
EnumSet<Platform> ide_platforms(const Installation& installation);
EnumSet<Platform> ide_platforms(InstallationFiles& files);
// Platforms whose deciding compiler is found in either tool directory.
EnumSet<Platform> platforms(const Installation& installation);
EnumSet<Platform> platforms(InstallationFiles& files);
// Tools, BRCC32 included, present in that architecture's own tool directory.
EnumSet<Tool> command_line_tools(const Installation& installation, Architecture architecture);

// The rsvars script of the given architecture if it exists, or with none given that of the first
// architecture that has one (x86 before x64).
std::optional<std::string> rsvars_path_for_architecture(const Installation& installation,
                                                        std::optional<Architecture> architecture);
// The IDE executable chosen the same way among the IDE architectures.
std::optional<std::string> ide_path_for_architecture(const Installation& installation,
                                                     std::optional<Architecture> architecture);

}  // namespace kestrune::catalogue
