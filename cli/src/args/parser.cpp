#include "args/parser.hpp"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "args/help.hpp"
#include "args/suggest.hpp"
#include "text/text.hpp"
#include "win/utf.hpp"

namespace kestrune::args {
namespace {

using Step = std::expected<void, Error>;

using text::ascii_lower;

bool ascii_iequal(std::string_view a, std::string_view b) { return text::equal_ignore_ascii_case(a, b); }

// A "-" alone is a value (commonly standard input); anything else starting with "-" is an option.
bool looks_like_option(std::wstring_view arg) { return arg.size() > 1 && arg[0] == L'-'; }

StyledText quoted(std::string_view text, Style style) {
    return StyledText().add("'").add(text, style).add("'");
}

const Command* find_subcommand(const Command& command, std::string_view name) {
    for (const auto& sub : command.subcommands)
        if (sub.name == name || std::find(sub.aliases.begin(), sub.aliases.end(), name) != sub.aliases.end())
            return &sub;
    return nullptr;
}

StyledText similar_subcommand_tip(std::string_view similar) {
    return StyledText().add("a similar subcommand exists: ").append(quoted(similar, Style::Valid));
}

// The word as a command line takes it back: in double quotes when it is empty or holds a space or tab.
std::string shell_word(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t") == std::string::npos) return word;
    return "\"" + word + "\"";
}

MatchedValue flag_value(bool on) { return {on ? L"true" : L"false", on ? "true" : "false", std::nullopt, {}}; }

// The parse state of one command on the chain from the top command to the chosen subcommand.
struct Level {
    const Command* command = nullptr;
    Matches matches;
    std::vector<const Arg*> positionals;  // in declaration order, the trailing one excepted
    const Arg* trailing = nullptr;
    std::size_t next_positional = 0;
    std::set<std::string, std::less<>> given;  // ids met on the command line
    std::size_t first_arg = 0;                 // index of the first argument after the command's name
};

// Whether an argument given at this level names the argument among those it needs.
bool needed_by_given(const Level& level, std::string_view id) {
    return std::any_of(level.command->args.begin(), level.command->args.end(), [&](const Arg& arg) {
        return level.given.contains(arg.id) && std::find(arg.needs.begin(), arg.needs.end(), id) != arg.needs.end();
    });
}

// An option found by name, and the level whose matches receive it (a global option's owner).
struct Found {
    const Arg* arg;
    std::size_t level;
};

class Parser {
public:
    Parser(const Command& root, const std::vector<std::wstring>& args)
        : args_(args), bin_(args.empty() ? std::string() : bin_name(args.front())) {
        enter(root, 1);
    }

    std::expected<Matches, Error> run() {
        for (pos_ = 1; pos_ < args_.size(); ++pos_) {
            const std::wstring& raw = args_[pos_];
            Step step;
            if (escaped_) {
                step = word(raw);
            } else if (raw == L"--") {
                escaped_ = true;
            } else if (raw.starts_with(L"--")) {
                step = long_option(std::wstring_view(raw).substr(2));
            } else if (looks_like_option(raw)) {
                step = short_options(std::wstring_view(raw).substr(1));
            } else {
                step = word(raw);
            }
            if (!step) return std::unexpected(std::move(step.error()));
        }
        if (auto done = finish(); !done) return std::unexpected(std::move(done.error()));
        for (std::size_t k = levels_.size() - 1; k > 0; --k)
            levels_[k - 1].matches.set_subcommand(levels_[k].command->name, std::move(levels_[k].matches));
        return std::move(levels_.front().matches);
    }

private:
    CommandPath path(std::size_t depth) const {
        CommandPath path{bin_, {}};
        for (std::size_t k = 0; k < depth; ++k) path.chain.push_back(levels_[k].command);
        return path;
    }
    CommandPath path() const { return path(levels_.size()); }

    static std::unexpected<Error> fail(const CommandPath& where, ErrorKind kind, const StyledText& message,
                                       const std::vector<StyledText>& context = {},
                                       const std::optional<StyledText>& tip = std::nullopt) {
        return std::unexpected(error_report(kind, message, context, tip, usage(where)));
    }
    std::unexpected<Error> fail(ErrorKind kind, const StyledText& message, const std::vector<StyledText>& context = {},
                                const std::optional<StyledText>& tip = std::nullopt) const {
        return fail(path(), kind, message, context, tip);
    }
    std::unexpected<Error> show_help(ErrorKind kind, bool long_help) const {
        return std::unexpected(Error(kind, help_text(path(), long_help)));
    }

    std::unexpected<Error> value_required(const Arg& arg) const {
        return fail(ErrorKind::InvalidValue, StyledText()
                                                 .add("a value is required for ")
                                                 .append(quoted(arg_display(arg), Style::Literal))
                                                 .add(" but none was supplied"));
    }
    std::unexpected<Error> unexpected_value(std::string_view spelled, std::wstring_view value) const {
        return fail(ErrorKind::UnexpectedArgument, StyledText()
                                                       .add("unexpected value ")
                                                       .append(quoted(win::to_utf8(value), Style::Invalid))
                                                       .add(" for ")
                                                       .append(quoted(spelled, Style::Literal))
                                                       .add(" found; no more were expected"));
    }
    std::unexpected<Error> unknown_argument(std::string_view spelled, std::optional<std::string> similar) const {
        std::optional<StyledText> tip;
        if (similar) tip = StyledText().add("a similar argument exists: ").append(quoted(*similar, Style::Valid));
        return fail(ErrorKind::UnknownArgument,
                    StyledText().add("unexpected argument ").append(quoted(spelled, Style::Invalid)).add(" found"), {},
                    tip);
    }
    static std::unexpected<Error> unrecognized_subcommand(const CommandPath& where, std::string_view typed,
                                                          const std::optional<std::string>& similar) {
        std::optional<StyledText> tip;
        if (similar) tip = similar_subcommand_tip(*similar);
        return fail(where, ErrorKind::InvalidSubcommand,
                    StyledText().add("unrecognized subcommand ").append(quoted(typed, Style::Invalid)), {}, tip);
    }

    void enter(const Command& command, std::size_t first_arg) {
        Level level;
        level.command = &command;
        level.first_arg = first_arg;
        for (const auto& arg : command.args) {
            level.matches.declare(arg.id);
            if (!arg.positional()) continue;
            if (arg.trailing)
                level.trailing = &arg;
            else
                level.positionals.push_back(&arg);
        }
        levels_.push_back(std::move(level));
    }

    // Options of the current command first, then the global options of the commands above it.
    template <typename Match>
    std::optional<Found> find_option(Match matches) const {
        for (std::size_t d = levels_.size(); d-- > 0;)
            for (const auto& arg : levels_[d].command->args)
                if (!arg.positional() && (d + 1 == levels_.size() || arg.global) && matches(arg)) return Found{&arg, d};
        return std::nullopt;
    }

    std::optional<Found> find_long(std::string_view name) const {
        if (name.empty()) return std::nullopt;
        return find_option([&](const Arg& arg) {
            return arg.long_name == name || std::find(arg.aliases.begin(), arg.aliases.end(), name) != arg.aliases.end();
        });
    }

    std::optional<Found> find_short(wchar_t c) const {
        if (c <= 0 || c > 0x7F) return std::nullopt;
        return find_option([&](const Arg& arg) { return arg.short_name == static_cast<char>(c); });
    }

    std::vector<std::string> visible_long_names() const {
        std::vector<std::string> names;
        for (std::size_t d = levels_.size(); d-- > 0;)
            for (const auto& arg : levels_[d].command->args)
                if (!arg.long_name.empty() && (d + 1 == levels_.size() || arg.global)) names.push_back(arg.long_name);
        names.emplace_back("help");
        if (!levels_.back().command->version.empty()) names.emplace_back("version");
        return names;
    }

    std::unexpected<Error> show_version() const {
        const Command& command = *levels_.back().command;
        return std::unexpected(Error(ErrorKind::DisplayVersion, StyledText().add(command.name + " " + command.version + "\n")));
    }

    Step long_option(std::wstring_view body) {
        const std::size_t eq = body.find(L'=');
        const std::string name = win::to_utf8(body.substr(0, eq));
        std::optional<std::wstring> attached;
        if (eq != std::wstring_view::npos) attached = std::wstring(body.substr(eq + 1));
        if (const auto found = find_long(name)) return take(*found, std::move(attached), "--" + name);

        const bool builtin_help = name == "help";
        const bool builtin_version = name == "version" && !levels_.back().command->version.empty();
        if ((builtin_help || builtin_version) && attached) return unexpected_value("--" + name, *attached);
        if (builtin_help) return show_help(ErrorKind::DisplayHelp, true);
        if (builtin_version) return show_version();

        const auto names = visible_long_names();
        std::optional<std::string> similar;
        if (const auto best = best_match(name, names)) similar = "--" + names[*best];
        return unknown_argument("--" + name, similar);
    }

    Step short_options(std::wstring_view body) {
        for (std::size_t i = 0; i < body.size(); ++i) {
            const wchar_t c = body[i];
            const std::wstring_view rest = body.substr(i + 1);
            const auto found = find_short(c);
            const bool builtin_help = !found && c == L'h';
            const bool builtin_version = !found && c == L'V' && !levels_.back().command->version.empty();
            if (!found && !builtin_help && !builtin_version) {
                // Keep a surrogate pair whole so the message names the character typed.
                const std::size_t units = (text::is_high_surrogate(c) && !rest.empty()) ? 2 : 1;
                return unknown_argument("-" + win::to_utf8(body.substr(i, units)), std::nullopt);
            }
            const std::string spelled{'-', static_cast<char>(c)};
            if (found && found->arg->action != Action::SetTrue) {
                std::optional<std::wstring> attached;
                if (rest.starts_with(L'='))
                    attached = std::wstring(rest.substr(1));
                else if (!rest.empty())
                    attached = std::wstring(rest);
                return take(*found, std::move(attached), spelled);
            }
            if (rest.starts_with(L'=')) return unexpected_value(spelled, rest.substr(1));
            if (builtin_help) return show_help(ErrorKind::DisplayHelp, false);
            if (builtin_version) return show_version();
            if (auto step = take(*found, std::nullopt, spelled); !step) return step;
        }
        return {};
    }

    // One occurrence of an option, with the value attached to it ("--name=value", "-nvalue") if any.
    Step take(const Found& found, std::optional<std::wstring> attached, std::string_view spelled) {
        const Arg& arg = *found.arg;
        Level& owner = levels_[found.level];
        if (arg.action != Action::Append && owner.given.contains(arg.id))
            return fail(ErrorKind::ArgumentUsedTwice, StyledText()
                                                          .add("the argument ")
                                                          .append(quoted(arg_display(arg), Style::Invalid))
                                                          .add(" cannot be used multiple times"));
        owner.given.insert(arg.id);
        if (arg.action == Action::SetTrue) {
            if (attached) return unexpected_value(spelled, *attached);
            owner.matches.add_value(arg.id, flag_value(true));
            return {};
        }
        std::wstring raw;
        if (attached)
            raw = std::move(*attached);
        else if (pos_ + 1 < args_.size() && !looks_like_option(args_[pos_ + 1]))
            raw = args_[++pos_];
        else
            return value_required(arg);
        auto value = convert(arg, raw);
        if (!value) return std::unexpected(std::move(value.error()));
        owner.matches.add_value(arg.id, std::move(*value));
        return {};
    }

    // `refused_tip` follows the error when the argument's value parser refuses the value.
    std::expected<MatchedValue, Error> convert(const Arg& arg, const std::wstring& raw,
                                               const std::optional<StyledText>& refused_tip = std::nullopt) const {
        MatchedValue value;
        value.raw = raw;
        switch (arg.kind) {
            case ValueKind::Text: {
                auto text = win::to_utf8_strict(raw);
                if (!text)
                    return fail(ErrorKind::InvalidUtf8,
                                StyledText().add("invalid UTF-8 was detected in one or more arguments"));
                value.text = std::move(*text);
                break;
            }
            case ValueKind::Path:
                if (raw.empty()) return value_required(arg);
                value.text = win::to_utf8(raw);
                break;
            case ValueKind::OsText: value.text = win::to_utf8(raw); break;
        }

        const auto invalid_value = [&] {
            return StyledText()
                .add("invalid value ")
                .append(quoted(value.text, Style::Invalid))
                .add(" for ")
                .append(quoted(arg_display(arg), Style::Literal));
        };
        if (!arg.possible_values.empty()) {
            const auto& values = arg.possible_values;
            const auto matched = std::find_if(values.begin(), values.end(), [&](const PossibleValue& v) {
                return ascii_iequal(v.name, value.text) ||
                       std::any_of(v.aliases.begin(), v.aliases.end(),
                                   [&](const std::string& alias) { return ascii_iequal(alias, value.text); });
            });
            if (matched == values.end()) {
                StyledText listed;
                listed.add("  [possible values: ");
                std::vector<std::string> lowered;
                for (std::size_t i = 0; i < values.size(); ++i) {
                    if (i) listed.add(", ");
                    listed.add(values[i].name, Style::Valid);
                    lowered.push_back(ascii_lower(values[i].name));
                }
                listed.add("]");
                std::optional<StyledText> tip;
                if (const auto best = best_match(ascii_lower(value.text), lowered))
                    tip = StyledText().add("a similar value exists: ").append(quoted(values[*best].name, Style::Valid));
                return fail(ErrorKind::InvalidValue, invalid_value(), {listed}, tip);
            }
            value.choice = static_cast<std::size_t>(matched - values.begin());
        }
        if (arg.value_parser) {
            auto parsed = arg.value_parser(raw);
            if (!parsed) return fail(ErrorKind::InvalidValue, invalid_value().add(": " + parsed.error()), {}, refused_tip);
            value.parsed = std::move(*parsed);
        }
        return value;
    }

    // An argument that is neither an option nor an option's value.
    Step word(const std::wstring& raw) {
        const Command& command = *levels_.back().command;
        const bool may_be_subcommand = !escaped_ && !command.subcommands.empty();
        const std::string text = win::to_utf8(raw);
        if (may_be_subcommand) {
            if (const Command* sub = find_subcommand(command, text)) {
                enter(*sub, pos_ + 1);
                return {};
            }
            if (text == "help") return help_command();
        }

        Level& level = levels_.back();
        if (escaped_ && level.trailing) {
            auto value = convert(*level.trailing, raw);
            if (!value) return std::unexpected(std::move(value.error()));
            level.matches.add_value(level.trailing->id, std::move(*value));
            level.given.insert(level.trailing->id);
            return {};
        }
        if (level.next_positional < level.positionals.size()) {
            const Arg& arg = *level.positionals[level.next_positional];
            const auto inner = may_be_subcommand ? similar_inner_subcommand(command, text) : std::nullopt;
            auto value = convert(arg, raw, inner ? std::optional(similar_subcommand_tip(inner->path)) : std::nullopt);
            if (!value) {
                // A refused value that looks like a misspelt subcommand was most likely meant as one;
                // an inner subcommand of exactly that name is the better guess of which.
                if (may_be_subcommand && value.error().kind() != ErrorKind::InvalidUtf8)
                    if (auto similar = similar_subcommand(command, text))
                        return unrecognized_subcommand(path(), text, inner && inner->exact ? inner->path : *similar);
                return std::unexpected(std::move(value.error()));
            }
            level.matches.add_value(arg.id, std::move(*value));
            level.given.insert(arg.id);
            if (arg.action != Action::Append) ++level.next_positional;
            return {};
        }
        if (may_be_subcommand) {
            auto similar = similar_subcommand(command, text);
            // Where only a subcommand can stand, any word is a subcommand gone wrong.
            if (similar || level.positionals.empty()) return unrecognized_subcommand(path(), text, similar);
        }
        std::optional<StyledText> tip;
        if (level.positionals.empty() && !level.trailing) tip = value_of_command_above(text);
        return fail(ErrorKind::UnexpectedArgument,
                    StyledText().add("unexpected argument ").append(quoted(text, Style::Invalid)).add(" found"), {},
                    tip);
    }

    // A command that takes no value of its own was given one: where a command above it still
    // takes one (NAME before the subcommand), the tip shows the word in that place.
    std::optional<StyledText> value_of_command_above(const std::string& text) const {
        for (std::size_t depth = levels_.size() - 1; depth-- > 0;) {
            const Level& level = levels_[depth];
            if (level.next_positional >= level.positionals.size()) continue;
            std::string line = bin_;
            for (std::size_t k = 1; k < levels_.size(); ++k) {
                if (k == depth + 1) line += " " + shell_word(text);
                line += " " + levels_[k].command->name;
            }
            return StyledText()
                .add("to pass ")
                .append(quoted(text, Style::Invalid))
                .add(" as ")
                .append(quoted(arg_display(*level.positionals[level.next_positional]), Style::Literal))
                .add(", put it before the subcommand: ")
                .append(quoted(line, Style::Valid));
        }
        return std::nullopt;
    }

    // `help` with the names of (sub)subcommands after it: the long help of the last one named.
    Step help_command() {
        CommandPath target = path();
        for (std::size_t k = pos_ + 1; k < args_.size(); ++k) {
            const std::string name = win::to_utf8(args_[k]);
            const Command& current = target.command();
            const Command* sub = find_subcommand(current, name);
            if (!sub && name == "help" && !current.subcommands.empty()) sub = &help_subcommand();
            if (!sub) return unrecognized_subcommand(target, name, similar_subcommand(current, name));
            target.chain.push_back(sub);
        }
        return std::unexpected(Error(ErrorKind::DisplayHelp, help_text(target, true)));
    }

    Step finish() {
        const Level& deepest = levels_.back();
        if (deepest.first_arg >= args_.size() && deepest.command->help_when_empty)
            return show_help(ErrorKind::DisplayHelpOnEmpty, false);

        for (std::size_t depth = levels_.size(); depth-- > 0;) {
            const Level& level = levels_[depth];
            const Command& command = *level.command;
            const CommandPath where = path(depth + 1);
            if (depth + 1 == levels_.size() && command.subcommand_required) {
                StyledText listed;
                listed.add("  [subcommands: ");
                const auto names = subcommand_names(command);
                for (std::size_t i = 0; i < names.size(); ++i) {
                    if (i) listed.add(", ");
                    listed.add(names[i], Style::Valid);
                }
                listed.add("]");
                return fail(where, ErrorKind::MissingSubcommand,
                            StyledText()
                                .append(quoted(command_display_name(where), Style::Invalid))
                                .add(" requires a subcommand but one was not provided"),
                            {listed});
            }
            std::vector<StyledText> missing;
            for (const auto& arg : command.args)
                if ((arg.required || needed_by_given(level, arg.id)) && !arg.default_value &&
                    level.matches.values(arg.id)->empty())
                    missing.push_back(StyledText().add("  ").add(arg_display(arg), Style::Valid));
            if (!missing.empty())
                return fail(where, ErrorKind::MissingRequiredArgument,
                            StyledText().add("the following required arguments were not provided:"), missing);
        }

        for (auto& level : levels_) {
            for (const auto& arg : level.command->args) {
                if (!level.matches.values(arg.id)->empty()) continue;
                if (arg.action == Action::SetTrue) {
                    level.matches.add_value(arg.id, flag_value(false));
                } else if (arg.default_value) {
                    auto value = convert(arg, win::to_wide(*arg.default_value));
                    if (!value) return std::unexpected(std::move(value.error()));
                    level.matches.add_value(arg.id, std::move(*value));
                }
            }
        }
        return {};
    }

    const std::vector<std::wstring>& args_;
    std::string bin_;
    std::vector<Level> levels_;
    std::size_t pos_ = 1;
    bool escaped_ = false;  // after "--": no more options or subcommands
};

}  // namespace

std::expected<Matches, Error> parse(const Command& root, const std::vector<std::wstring>& args) {
    return Parser(root, args).run();
}

std::string bin_name(const std::wstring& argv0) {
    const std::size_t slash = argv0.find_last_of(L"/\\");
    return win::to_utf8(slash == std::wstring::npos ? std::wstring_view(argv0) : std::wstring_view(argv0).substr(slash + 1));
}

}  // namespace kestrune::args
