#include "win/command_line.hpp"

#include <windows.h>

namespace kestrune::win {
namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> split_command_line(std::wstring_view line) {
    std::vector<std::wstring> args;
    std::size_t i = 0;

    // The program: quotes only toggle quoting, backslashes are literal.
    {
        std::wstring program;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            const wchar_t c = line[i];
            if (c == L'"') {
                quoted = !quoted;
            } else if (!quoted && is_blank(c)) {
                break;
            } else {
                program += c;
            }
        }
        args.push_back(std::move(program));
    }

    while (true) {
        while (i < line.size() && is_blank(line[i])) ++i;
        if (i >= line.size()) break;

        std::wstring arg;
        bool quoted = false;
        while (i < line.size()) {
            const wchar_t c = line[i];
            if (c == L'\\') {
                std::size_t run = 0;
                while (i < line.size() && line[i] == L'\\') ++run, ++i;
                if (i < line.size() && line[i] == L'"') {
                    arg.append(run / 2, L'\\');
                    if (run % 2 == 1) {
                        arg += L'"';
                        ++i;
                    }
                } else {
                    arg.append(run, L'\\');
                }
            } else if (c == L'"') {
                // Inside quotes, a doubled quote is one literal quote.
                if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    arg += L'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else if (!quoted && is_blank(c)) {
                break;
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::vector<std::wstring> process_arguments() { return split_command_line(GetCommandLineW()); }

}  // namespace kestrune::win
