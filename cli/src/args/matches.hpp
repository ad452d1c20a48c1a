// The result of parsing: the values of one command and the subcommand chosen under it.
#pragma once

#include <any>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune::args {

// One value as the user gave it (or as a default supplies it).
struct MatchedValue {
    std::wstring raw;                    // the argument's UTF-16 code units, unchanged
    std::string text;                    // UTF-8; unpaired surrogates replaced by U+FFFD
    std::optional<std::size_t> choice;   // index into the argument's possible values
    std::any parsed;                     // result of the argument's value parser, if any
};

// Every argument declared on the command has an entry: flags hold "true"/"false",
// options hold their default or no value. An id that the command does not declare has
// no entry, which is how readers notice a declaration they disagree with.
class Matches {
public:
    struct Subcommand;

    bool declares(std::string_view id) const;
    std::optional<bool> flag(std::string_view id) const;
    // The single value of an option; nullopt when absent (or not declared).
    const MatchedValue* value(std::string_view id) const;
    std::optional<std::string> text(std::string_view id) const;
    std::optional<std::wstring> os_text(std::string_view id) const;
    std::optional<std::size_t> choice(std::string_view id) const;
    const std::any* parsed(std::string_view id) const;
    // Every value, in command-line order (Append and trailing arguments).
    std::vector<std::string> texts(std::string_view id) const;
    const std::vector<MatchedValue>* values(std::string_view id) const;

    const Subcommand* subcommand() const { return subcommand_.get(); }

    // Used by the parser.
    void declare(const std::string& id);
    void add_value(const std::string& id, MatchedValue value);
    void set_subcommand(std::string name, Matches matches);

private:
    std::map<std::string, std::vector<MatchedValue>, std::less<>> values_;
    std::shared_ptr<Subcommand> subcommand_;
};

struct Matches::Subcommand {
    std::string name;  // the declared name, also when an alias was typed
    Matches matches;
};

}  // namespace kestrune::args
