// A small command tree of the parser's tests: every kind of argument the parser knows,
// without any of the program's own commands.
#pragma once

#include <expected>
#include <string>
#include <vector>

#include "args/command.hpp"
#include "args/parser.hpp"

namespace kestrune::args::sample {

inline std::vector<PossibleValue> architectures() {
    return {{"x86", "32-bit", {"IntelX86", "32bit"}}, {"x64", "64-bit", {"IntelX64", "64bit"}}};
}

inline Arg flag(std::string id, char short_name, std::string long_name, std::string help) {
    Arg arg;
    arg.id = std::move(id);
    arg.short_name = short_name;
    arg.long_name = std::move(long_name);
    arg.help = std::move(help);
    arg.action = Action::SetTrue;
    return arg;
}

inline Arg option(std::string id, char short_name, std::string long_name, std::string value_name, std::string help) {
    Arg arg;
    arg.id = std::move(id);
    arg.short_name = short_name;
    arg.long_name = std::move(long_name);
    arg.value_name = std::move(value_name);
    arg.help = std::move(help);
    return arg;
}

inline Arg positional(std::string id, std::string value_name, std::string help, bool required) {
    Arg arg;
    arg.id = std::move(id);
    arg.value_name = std::move(value_name);
    arg.help = std::move(help);
    arg.required = required;
    return arg;
}

// tool [NAME] with global options, and the subcommands build, path (add, remove),
// pkg (install, whose --register needs --registry-key; required) and select.
inline Command tree() {
    Command build;
    build.name = "build";
    build.aliases = {"make"};
    build.about = "Build a project";
    build.long_about = "Build a project\n\nUses the default back-end.";
    {
        Arg file = positional("file", "FILE", "Project file", true);
        file.kind = ValueKind::Path;
        build.args.push_back(file);
        Arg config = option("config", 'c', "config", "CONFIG", "Configuration name");
        config.long_help = "Configuration name.\n\nIf omitted, the project's own is used.";
        build.args.push_back(config);
        Arg define = option("define", 'd', "define", "DEFINE", "Define conditionals");
        define.action = Action::Append;
        build.args.push_back(define);
        build.args.push_back(flag("quiet", 'q', "quiet", "Quiet compile"));
        build.args.push_back(flag("build", 'b', "build", "Build all units"));
        Arg alias = option("alias", 0, "alias", "ALIAS", "Set unit aliases");
        alias.default_value = "A=B;C=D";
        build.args.push_back(alias);
        Arg tool = option("tool_arch", 't', "tool-arch", "ARCH", "Tool architecture");
        tool.aliases = {"pta", "tools"};
        tool.possible_values = architectures();
        build.args.push_back(tool);
        Arg raw = positional("raw", "RAW", "Extra compiler options", false);
        raw.trailing = true;
        raw.action = Action::Append;
        build.args.push_back(raw);
        Arg company = option("company", 0, "Company", "COMPANY", "Company name");
        company.heading = "Version Information";
        build.args.push_back(company);
    }

    Command path;
    path.name = "path";
    path.aliases = {"envpath"};
    path.about = "Manage paths";
    path.args.push_back(flag("sorted", 's', "sorted", "Sort the listing"));
    for (const char* name : {"add", "remove"}) {
        Command sub;
        sub.name = name;
        sub.aliases = {std::string(name) == "add" ? "push" : "rm"};
        sub.about = std::string(name) == "add" ? "Append an item" : "Remove an item";
        Arg item = positional("item", "ITEM", "", true);
        item.kind = ValueKind::OsText;
        sub.args.push_back(item);
        path.subcommands.push_back(sub);
    }

    Command pkg;
    pkg.name = "pkg";
    pkg.about = "Manage packages";
    pkg.subcommand_required = true;
    pkg.help_when_empty = true;
    {
        Command install;
        install.name = "install";
        install.about = "Install a package";
        Arg file = positional("file", "FILE", "Package file", true);
        file.kind = ValueKind::Path;
        install.args.push_back(file);
        Arg register_ = flag("register", 'r', "register", "Register the installed package");
        register_.needs = {"registry_key"};
        install.args.push_back(register_);
        install.args.push_back(option("registry_key", 0, "registry-key", "KEY", "Registry key to register under"));
        pkg.subcommands.push_back(install);
    }

    Command select;
    select.name = "select";
    select.about = "Select interactively";
    {
        Arg message = positional("message", "MESSAGE", "Prompt message", false);
        message.default_value = "Pick one:";
        select.args.push_back(message);
        select.args.push_back(flag("multi", 'm', "multi", "Allow multi-select"));
    }

    Command top;
    top.name = "Sample Tool";
    top.about = "Sample Tool";
    top.version = "2.0.1";
    top.help_when_empty = true;
    {
        Arg name = positional("name", "NAME", "Choose a thing", false);
        name.long_help = "Choose a thing\n\nBy name.";
        name.value_parser = [](const std::wstring& raw) -> std::expected<std::any, std::string> {
            if (raw == L"alpha" || raw == L"beta") return std::any(raw.size());
            return std::unexpected(std::string("no such thing"));
        };
        top.args.push_back(name);
    }
    top.subcommands = {build, path, pkg, select};
    {
        Arg arch = option("architecture", 'a', "architecture", "ARCH", "Specify the architecture");
        arch.aliases = {"arch", "ide"};
        arch.possible_values = architectures();
        Arg platform = option("platform", 'p', "platform", "PLATFORM", "Specify the platform");
        Arg json = flag("json", 0, "json", "Output JSON");
        Arg no_splash = flag("no_splash", 0, "no-splash", "No splash screen");
        no_splash.aliases = {"nosplash", "ns"};
        for (Arg* arg : {&arch, &platform, &json, &no_splash}) {
            arg->global = true;
            arg->heading = "Global Options";
            top.args.push_back(*arg);
        }
    }
    return top;
}

// Parses the words after the program's own path.
inline std::expected<Matches, Error> run(const Command& root, std::vector<std::wstring> words) {
    words.insert(words.begin(), L"C:\\bin\\tool.exe");
    return parse(root, words);
}

}  // namespace kestrune::args::sample
