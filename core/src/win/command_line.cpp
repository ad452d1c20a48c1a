#include "win/command_line.hpp"

#include "win/path.hpp"
#include "win/utf.hpp"

namespace kestrune::win {
namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

ChildCommand& ChildCommand::arg(std::wstring text) {
    arguments.push_back({ChildArgument::Kind::Ordinary, std::move(text)});
    return *this;
}

ChildCommand& ChildCommand::verbatim(std::wstring text) {
    arguments.push_back({ChildArgument::Kind::Verbatim, std::move(text)});
    return *this;
}

std::wstring quote_argument(std::wstring_view argument) {
    return quote_argument(argument, argument.empty() || argument.find_first_of(L" \t") != std::wstring_view::npos);
}

std::wstring quote_argument(std::wstring_view argument, bool enclose) {
    std::wstring out;
    if (enclose) out += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            // The splitter halves a backslash run before a quote, so the run is doubled and the
            // quote itself escaped.
            if (c == L'"') out.append(backslashes + 1, L'\\');
            backslashes = 0;
        }
        out += c;
    }
    if (enclose) {
        out.append(backslashes, L'\\');
        out += L'"';
    }
    return out;
}

std::wstring command_line(const ChildCommand& command) {
    std::wstring line = L"\"" + command.program + L"\"";
    for (const ChildArgument& argument : command.arguments) {
        line += L' ';
        line += argument.kind == ChildArgument::Kind::Verbatim ? argument.text : quote_argument(argument.text);
    }
    return line;
}

std::expected<std::wstring, IoError> checked_command_line(const ChildCommand& command) {
    std::wstring line = command_line(command);
    if (line.size() <= max_command_line) return line;
    // The system would cut it short or refuse it with a code that names nothing.
    return std::unexpected(IoError::from_text("the command line of " + to_utf8(file_name(command.program)) + " would be " +
                                              std::to_string(line.size()) + " characters long, more than the " +
                                              std::to_string(max_command_line) + " a program can be given"));
}

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

}  // namespace kestrune::win
