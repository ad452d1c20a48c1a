// What the command line asked for: one payload per subcommand, held by the Commands variant.
// Handlers and the command tree both build on it, so it includes neither.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

#include "backends/build_options.hpp"
#include "backends/compiler_options.hpp"

namespace kestrune::cli {

struct EnvSet {
    std::string name;
    std::string value;
    bool operator==(const EnvSet&) const = default;
};
struct EnvRemove {
    std::string name;
    bool operator==(const EnvRemove&) const = default;
};
using EnvCommands = std::variant<EnvSet, EnvRemove>;

// An edit of a path list: the inner subcommands of env-path, library-path and browsing-path.
struct PathCommands {
    enum class Kind { Add, Insert, Remove };
    Kind kind{};
    std::wstring item;  // as received: not required to be valid Unicode
    bool operator==(const PathCommands&) const = default;
};

struct SelectOptions {
    std::string message;
    bool multi = false;
    bool operator==(const SelectOptions&) const = default;
};

enum class SelfCommands { Install, Uninstall };

struct PackageCompile {
    bool install = false;
    backends::DccOptions options;
    bool operator==(const PackageCompile&) const = default;
};
struct PackageRegister {
    std::wstring bpl_path;
    std::string description;
    bool operator==(const PackageRegister&) const = default;
};
struct PackageUnregister {
    std::wstring bpl_path;
    bool operator==(const PackageUnregister&) const = default;
};
using PackageCommands = std::variant<PackageCompile, PackageRegister, PackageUnregister>;

// One alternative per subcommand, in the order of the command list; each holds at most one value.
namespace commands {
struct Build { backends::BuildOptions options; };
struct Bds { backends::BuildOptions options; };
struct Dcc { backends::DccOptions options; };
struct Dcc32 { backends::DccOptions options; };
struct Dcc64 { backends::DccOptions options; };
struct Dccarm64ec { backends::DccOptions options; };
struct Package { PackageCommands command; };
struct Brcc { backends::BrccOptions options; };
struct Env { std::optional<EnvCommands> command; };          // none: list
struct EnvPath { std::optional<PathCommands> command; };     // none: list
struct LibraryPath { std::optional<PathCommands> command; };
struct BrowsingPath { std::optional<PathCommands> command; };
struct Select { SelectOptions options; };
struct Info {};
struct Self_ { SelfCommands command; };
}  // namespace commands

using Commands = std::variant<commands::Build, commands::Bds, commands::Dcc, commands::Dcc32, commands::Dcc64,
                              commands::Dccarm64ec, commands::Package, commands::Brcc, commands::Env, commands::EnvPath,
                              commands::LibraryPath, commands::BrowsingPath, commands::Select, commands::Info,
                              commands::Self_>;

namespace detail {
template <class T, class Variant>
struct alternative_index;
template <class T, class... Ts>
struct alternative_index<T, std::variant<Ts...>> {
    static constexpr std::size_t value = [] {
        std::size_t i = 0;
        (void)((std::is_same_v<T, Ts> ? false : (++i, true)) && ...);
        return i;
    }();
};
}  // namespace detail

// The index of the payload's alternative in Commands.
template <class Payload>
inline constexpr std::size_t alternative_of = detail::alternative_index<Payload, Commands>::value;

}  // namespace kestrune::cli
