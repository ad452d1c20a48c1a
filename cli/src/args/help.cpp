#include "args/help.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "text/text.hpp"
#include "text/width.hpp"

namespace kestrune::args {
namespace {

constexpr std::string_view help_about = "Print this message or the help of the given subcommand(s)";
// Where the long help puts an argument's text, below its names.
constexpr std::size_t long_indent = 10;

bool is_help_subcommand(const Command& command) { return &command == &help_subcommand(); }

std::string value_name(const Arg& arg) {
    if (!arg.value_name.empty()) return arg.value_name;
    std::string name = arg.id;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

bool repeats(const Arg& arg) { return arg.action == Action::Append || arg.trailing; }

std::string positional_display(const Arg& arg) {
    std::string text = arg.required ? "<" + value_name(arg) + ">" : "[" + value_name(arg) + "]";
    if (repeats(arg)) text += "...";
    return text;
}

using text::display_width;
using text::split_lines;

// One line of a section: the names on the left, the description beside them (short
// help) or below them (long help).
struct Entry {
    StyledText names;
    std::size_t width = 0;
    std::string summary;
    std::vector<StyledText> details;  // an empty line stands for a blank line
};

struct Section {
    std::string title;
    std::vector<Entry> entries;
    bool commands = false;  // subcommands keep one line each, also in the long help
};

void add_name(Entry& entry, std::string_view text, Style style) {
    entry.names.add(text, style);
    entry.width += display_width(text);
}

void add_paragraph(std::vector<StyledText>& details, std::string_view text) {
    if (!details.empty()) details.emplace_back();
    for (const auto& line : split_lines(text)) details.push_back(StyledText().add(line));
}

std::string possible_values_note(const Arg& arg) {
    std::string note = "[possible values: ";
    for (std::size_t i = 0; i < arg.possible_values.size(); ++i) {
        if (i) note += ", ";
        note += arg.possible_values[i].name;
    }
    return note + "]";
}

Entry arg_entry(const Arg& arg) {
    Entry entry;
    if (arg.positional()) {
        add_name(entry, positional_display(arg), Style::Placeholder);
    } else {
        if (arg.short_name) add_name(entry, std::string{'-', arg.short_name}, Style::Literal);
        if (!arg.long_name.empty()) {
            add_name(entry, arg.short_name ? ", " : "    ", Style::Plain);
            add_name(entry, "--" + arg.long_name, Style::Literal);
        }
        if (arg.action != Action::SetTrue) {
            add_name(entry, " ", Style::Plain);
            add_name(entry, "<" + value_name(arg) + ">", Style::Placeholder);
        }
    }

    const bool listed_values = std::any_of(arg.possible_values.begin(), arg.possible_values.end(),
                                           [](const PossibleValue& v) { return !v.help.empty(); });
    std::vector<std::string> notes;
    if (!arg.possible_values.empty()) notes.push_back(possible_values_note(arg));
    if (arg.default_value) notes.push_back("[default: " + *arg.default_value + "]");

    entry.summary = arg.help;
    for (const auto& note : notes) entry.summary += (entry.summary.empty() ? "" : " ") + note;

    const std::string& text = arg.long_help.empty() ? arg.help : arg.long_help;
    if (!text.empty()) add_paragraph(entry.details, text);
    if (listed_values) {
        if (!entry.details.empty()) entry.details.emplace_back();
        entry.details.push_back(StyledText().add("Possible values:"));
        for (const auto& value : arg.possible_values) {
            StyledText line;
            line.add("- ").add(value.name, Style::Literal);
            if (!value.help.empty()) line.add(": " + value.help);
            entry.details.push_back(std::move(line));
        }
    } else if (!arg.possible_values.empty()) {
        add_paragraph(entry.details, possible_values_note(arg));
    }
    if (arg.default_value) add_paragraph(entry.details, "[default: " + *arg.default_value + "]");
    return entry;
}

Entry builtin_entry(std::string_view short_name, std::string_view long_name, const std::string& text) {
    Entry entry;
    add_name(entry, short_name, Style::Literal);
    add_name(entry, ", ", Style::Plain);
    add_name(entry, long_name, Style::Literal);
    entry.summary = text;
    add_paragraph(entry.details, text);
    return entry;
}

Entry command_entry(const std::string& name, const std::string& about) {
    Entry entry;
    add_name(entry, name, Style::Literal);
    entry.summary = about;
    return entry;
}

// The command's own arguments, then the global ones it inherits from the commands above it.
std::vector<const Arg*> listed_args(const CommandPath& path) {
    std::vector<const Arg*> args;
    for (const auto& arg : path.command().args) args.push_back(&arg);
    if (is_help_subcommand(path.command())) return args;
    for (std::size_t i = 0; i + 1 < path.chain.size(); ++i)
        for (const auto& arg : path.chain[i]->args)
            if (arg.global && !arg.positional()) args.push_back(&arg);
    return args;
}

bool has_long_form(const Command& command, const std::vector<const Arg*>& args) {
    if (!command.long_about.empty()) return true;
    return std::any_of(args.begin(), args.end(), [](const Arg* arg) {
        return !arg->long_help.empty() || std::any_of(arg->possible_values.begin(), arg->possible_values.end(),
                                                      [](const PossibleValue& v) { return !v.help.empty(); });
    });
}

void render_section(StyledText& out, const Section& section, bool details_below) {
    out.add(section.title + ":", Style::Header).add("\n");
    std::size_t longest = 0;
    for (const auto& entry : section.entries) longest = std::max(longest, entry.width);
    bool first = true;
    for (const auto& entry : section.entries) {
        if (details_below && !first) out.add("\n");
        first = false;
        out.add("  ").append(entry.names);
        if (details_below) {
            out.add("\n");
            for (const auto& line : entry.details) {
                if (!line.empty()) out.add(std::string(long_indent, ' ')).append(line);
                out.add("\n");
            }
            continue;
        }
        if (!entry.summary.empty()) {
            const std::string indent(2 + longest + 2, ' ');
            const auto lines = split_lines(entry.summary);
            out.add(std::string(longest - entry.width + 2, ' ')).add(lines.front());
            for (std::size_t i = 1; i < lines.size(); ++i) out.add("\n").add(lines[i].empty() ? "" : indent + std::string(lines[i]));
        }
        out.add("\n");
    }
}

}  // namespace

const Command& help_subcommand() {
    static const Command help = [] {
        Command command;
        command.name = "help";
        command.about = std::string(help_about);
        Arg names;
        names.id = "command";
        names.value_name = "COMMAND";
        names.help = "Print help for the subcommand(s)";
        names.action = Action::Append;
        command.args.push_back(std::move(names));
        return command;
    }();
    return help;
}

std::string command_display_name(const CommandPath& path) {
    std::string name = path.bin_name.empty() ? path.chain.front()->name : path.bin_name;
    for (std::size_t i = 1; i < path.chain.size(); ++i) name += " " + path.chain[i]->name;
    return name;
}

std::string arg_display(const Arg& arg) {
    if (arg.positional()) return positional_display(arg);
    std::string text = arg.long_name.empty() ? std::string{'-', arg.short_name} : "--" + arg.long_name;
    if (arg.action != Action::SetTrue) text += " <" + value_name(arg) + ">";
    return text;
}

StyledText usage(const CommandPath& path) {
    const Command& command = path.command();
    StyledText text;
    text.add(command_display_name(path), Style::Literal);
    if (!is_help_subcommand(command)) text.add(" ").add("[OPTIONS]", Style::Placeholder);
    for (const auto& arg : command.args) {
        if (arg.positional() || !arg.required) continue;
        text.add(" ").add(arg.long_name.empty() ? std::string{'-', arg.short_name} : "--" + arg.long_name, Style::Literal);
        if (arg.action != Action::SetTrue) text.add(" ").add("<" + value_name(arg) + ">", Style::Placeholder);
    }
    const Arg* trailing = nullptr;
    for (const auto& arg : command.args) {
        if (!arg.positional()) continue;
        if (arg.trailing)
            trailing = &arg;
        else
            text.add(" ").add(positional_display(arg), Style::Placeholder);
    }
    if (trailing) {
        const std::string values = "-- <" + value_name(*trailing) + ">...";
        text.add(" ").add(trailing->required ? values : "[" + values + "]", Style::Placeholder);
    }
    if (!command.subcommands.empty())
        text.add(" ").add(command.subcommand_required ? "<COMMAND>" : "[COMMAND]", Style::Placeholder);
    return text;
}

StyledText help_text(const CommandPath& path, bool long_help) {
    const Command& command = path.command();
    const auto args = listed_args(path);
    const bool long_form = has_long_form(command, args);

    std::vector<Section> sections;
    if (!command.subcommands.empty()) {
        Section commands{"Commands", {}, true};
        for (const auto& sub : command.subcommands) commands.entries.push_back(command_entry(sub.name, sub.about));
        commands.entries.push_back(command_entry("help", std::string(help_about)));
        sections.push_back(std::move(commands));
    }
    Section arguments{"Arguments", {}};
    Section options{"Options", {}};
    std::vector<Section> headed;
    for (const Arg* arg : args) {
        if (!arg->heading.empty()) {
            auto found = std::find_if(headed.begin(), headed.end(), [&](const Section& s) { return s.title == arg->heading; });
            if (found == headed.end()) found = headed.insert(headed.end(), Section{arg->heading, {}});
            found->entries.push_back(arg_entry(*arg));
        } else {
            (arg->positional() ? arguments : options).entries.push_back(arg_entry(*arg));
        }
    }
    if (!is_help_subcommand(command)) {
        std::string help = "Print help";
        if (long_form) help += long_help ? " (see a summary with '-h')" : " (see more with '--help')";
        options.entries.push_back(builtin_entry("-h", "--help", help));
        if (!command.version.empty()) options.entries.push_back(builtin_entry("-V", "--version", "Print version"));
    }
    if (!arguments.entries.empty()) sections.push_back(std::move(arguments));
    if (!options.entries.empty()) sections.push_back(std::move(options));
    for (auto& section : headed) sections.push_back(std::move(section));

    StyledText out;
    const std::string& about = long_help && !command.long_about.empty() ? command.long_about : command.about;
    if (!about.empty()) out.add(about).add("\n\n");
    out.add("Usage:", Style::Usage).add(" ").append(usage(path)).add("\n");
    for (const auto& section : sections) {
        out.add("\n");
        render_section(out, section, long_help && !section.commands);
    }
    return out;
}

}  // namespace kestrune::args
