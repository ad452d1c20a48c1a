// Declarations of a command line: commands, their arguments and the values they accept.
// The parser is generic: nothing here knows what the program does with the values.
#pragma once

#include <any>
#include <cstddef>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrune::args {

// One accepted value of an enumerated argument. Aliases are accepted but never shown.
struct PossibleValue {
    std::string name{};
    std::string help{};
    std::vector<std::string> aliases{};
};

// Turns a raw argument into a value of the caller's own type, or gives the cause shown
// in the parser's invalid-value error. It runs when the parser meets the value.
using ValueParser = std::function<std::expected<std::any, std::string>(const std::wstring& raw)>;

enum class Action {
    SetTrue,  // a flag: no value, true when present
    Set,      // one value; given twice is an error
    Append,   // one value per occurrence, kept in command-line order
};

enum class ValueKind {
    Text,    // must be valid Unicode; the empty text is accepted
    Path,    // any text the system passes; the empty text is refused as a missing value
    OsText,  // any text the system passes, kept as UTF-16 code units
};

struct Arg {
    std::string id{};
    char short_name = 0;                 // 0: none
    std::string long_name{};               // without "--"; empty: none
    std::vector<std::string> aliases{};    // hidden long aliases, without "--"
    std::string value_name{};              // shown as <VALUE_NAME>
    std::string help{};
    std::string long_help{};               // shown by --help; empty: help
    std::string heading{};                 // help section; empty: "Options" or "Arguments"
    Action action = Action::Set;
    ValueKind kind = ValueKind::Text;
    bool required = false;
    std::vector<std::string> needs{};    // ids of arguments that must be given when this one is
    bool global = false;                 // accepted at every depth, lands in the top-level matches
    bool trailing = false;               // positional that takes every argument after "--"
    std::vector<PossibleValue> possible_values{};  // matched ignoring ASCII case
    std::optional<std::string> default_value{};    // used when absent; shown in help
    ValueParser value_parser{};            // optional; the parsed value is kept as std::any

    // An argument without a short or long name is positional.
    bool positional() const { return short_name == 0 && long_name.empty(); }
};

struct Command {
    std::string name{};
    std::vector<std::string> aliases{};    // hidden
    std::string about{};
    std::string long_about{};              // shown by --help and `help`; empty: about
    std::string version{};                 // non-empty: -V/--version on this command
    std::vector<Arg> args{};
    std::vector<Command> subcommands{};
    bool subcommand_required = false;
    bool help_when_empty = false;        // nothing given to it: short help on stderr, status 2
};

}  // namespace kestrune::args
