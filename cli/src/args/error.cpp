#include "args/error.hpp"

#include "args/help.hpp"
#include "exit_status.hpp"

namespace kestrune::args {
namespace {

bool is_display(ErrorKind kind) { return kind == ErrorKind::DisplayHelp || kind == ErrorKind::DisplayVersion; }

}  // namespace

int Error::exit_code() const {
    return cli::code(is_display(kind_) ? cli::ExitStatus::Success : cli::ExitStatus::CommandLineError);
}

bool Error::to_stderr() const { return !is_display(kind_); }

Error error_report(ErrorKind kind, const StyledText& message, const std::vector<StyledText>& context,
                   const std::optional<StyledText>& tip, const StyledText& usage_line) {
    StyledText text;
    text.add("error:", Style::Error).add(" ").append(message).add("\n");
    for (const auto& line : context) text.append(line).add("\n");
    if (tip) text.add("\n  ").add("tip:", Style::Valid).add(" ").append(*tip).add("\n");
    text.add("\n").add("Usage:", Style::Usage).add(" ").append(usage_line).add("\n");
    text.add("\nFor more information, try '").add("--help", Style::Literal).add("'.\n");
    return Error(kind, std::move(text));
}

Error make_error(const Command& root, std::string_view bin_name, ErrorKind kind, std::string_view message) {
    const CommandPath path{std::string(bin_name), {&root}};
    return error_report(kind, StyledText().add(message), {}, std::nullopt, usage(path));
}

}  // namespace kestrune::args
