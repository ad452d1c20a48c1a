// What MSBuild.exe makes of its command line, for the stand-in named MSBuild.exe: the
// arguments, split by the system's CommandLineToArgvW rules, and the properties that its /p:
// switches set.
//
// MSBuild splits a property switch's parameters at every ";" and "," outside double quotes,
// takes each one as NAME=VALUE and decodes the %XX escapes of the value; it also separates
// arguments at any white space outside quotes, where the system's splitter sees only blanks
// and tabs. The report lines, each after "msbuild ":
//   argument TEXT        an argument that sets no property (the project, /t:Build, /nologo)
//   property NAME=VALUE  one property set, the value decoded
//   error TEXT           what MSBuild would read otherwise than the system's splitter, a
//                        parameter without "=", or a line break, at which cmd.exe on Windows
//                        would have cut the command short
// Backslashes, carriage returns and line feeds in TEXT, NAME and VALUE are written as \\, \r
// and \n, so that every report line stays one line.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

#include "text/text.hpp"

namespace kestrune::fake_ide {

// One character of an argument and whether it stood inside double quotes.
struct SplitChar {
    wchar_t c;
    bool quoted;
};
using SplitArgument = std::vector<SplitChar>;

inline std::wstring text_of(const SplitArgument& argument) {
    std::wstring out;
    for (const SplitChar& s : argument) out += s.c;
    return out;
}

// The arguments after the program, by the rules of CommandLineToArgvW: the program ends at the
// first blank outside quotes; then 2n backslashes before a quote give n and the quote toggles
// quoting, 2n+1 give n and a literal quote; of a run of quotes, every third is a literal one.
inline std::vector<SplitArgument> split_arguments(std::wstring_view line) {
    std::size_t i = 0;
    for (bool quoted = false; i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t')); ++i)
        if (line[i] == L'"') quoted = !quoted;
    std::vector<SplitArgument> arguments;
    while (true) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) break;
        SplitArgument argument;
        int quotes = 0;  // 1 inside quotes
        while (i < line.size() && (quotes == 1 || (line[i] != L' ' && line[i] != L'\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                for (std::size_t k = 0; k < backslashes / 2; ++k) argument.push_back({L'\\', quotes == 1});
                if (backslashes % 2 == 1)
                    argument.push_back({L'"', quotes == 1});
                else
                    ++quotes;
                for (++i; i < line.size() && line[i] == L'"'; ++i) {
                    if (++quotes == 3) {
                        argument.push_back({L'"', true});
                        quotes = 0;
                    }
                }
                if (quotes == 2) quotes = 0;
            } else {
                for (std::size_t k = 0; k < backslashes; ++k) argument.push_back({L'\\', quotes == 1});
                if (backslashes == 0) argument.push_back({line[i++], quotes == 1});
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

inline int hex_digit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// MSBuild's unescaping: every % followed by two hexadecimal digits is that character.
inline std::wstring unescape(std::wstring_view value) {
    std::wstring out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == L'%' && i + 2 < value.size() && hex_digit(value[i + 1]) >= 0 && hex_digit(value[i + 2]) >= 0) {
            out += static_cast<wchar_t>(hex_digit(value[i + 1]) * 16 + hex_digit(value[i + 2]));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

inline std::wstring one_line(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\\')
            out += L"\\\\";
        else if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return out;
}

inline bool is_property_switch(std::wstring_view text) {
    if (text.empty() || (text[0] != L'/' && text[0] != L'-')) return false;
    const auto colon = text.find(L':');
    if (colon == std::wstring_view::npos) return false;
    const std::wstring name(text.substr(1, colon - 1));
    return _wcsicmp(name.c_str(), L"p") == 0 || _wcsicmp(name.c_str(), L"property") == 0;
}

// The report lines of the command line, each ending in a line feed.
inline std::wstring msbuild_report(const std::wstring& line) {
    std::wstring report;
    const auto add = [&](std::wstring_view kind, std::wstring_view text) {
        report += L"msbuild " + std::wstring(kind) + L" " + one_line(text) + L"\n";
    };
    const std::vector<SplitArgument> arguments = split_arguments(line);

    int count = 0;
    wchar_t** system = CommandLineToArgvW(line.c_str(), &count);
    bool same = system && static_cast<std::size_t>(count) == arguments.size() + 1;
    for (std::size_t k = 0; same && k < arguments.size(); ++k) same = text_of(arguments[k]) == system[k + 1];
    if (system) LocalFree(system);
    if (!same) add(L"error", L"the system's splitter reads the arguments otherwise");
    // cmd.exe on Windows ends the command at a line break, wherever it stands.
    if (line.find_first_of(L"\r\n") != std::wstring::npos) add(L"error", L"a line break in the command line");

    for (const SplitArgument& argument : arguments) {
        for (const SplitChar& s : argument)
            if (!s.quoted && text::is_white_space(s.c)) add(L"error", L"white space outside quotes: " + text_of(argument));
        const std::wstring text = text_of(argument);
        if (!is_property_switch(text)) {
            add(L"argument", text);
            continue;
        }
        std::vector<SplitArgument> parameters(1);
        for (std::size_t k = text.find(L':') + 1; k < argument.size(); ++k) {
            if (!argument[k].quoted && (argument[k].c == L';' || argument[k].c == L','))
                parameters.emplace_back();
            else
                parameters.back().push_back(argument[k]);
        }
        for (const SplitArgument& parameter : parameters) {
            const std::wstring piece = text_of(parameter);
            if (piece.empty()) continue;
            const auto equals = piece.find(L'=');
            if (equals == std::wstring::npos)
                add(L"error", L"a property without a value: " + piece);
            else
                add(L"property", piece.substr(0, equals) + L"=" + unescape(piece.substr(equals + 1)));
        }
    }
    return report;
}

}  // namespace kestrune::fake_ide
