#include "table/table.hpp"

#include <algorithm>
#include <numeric>

#include "text/text.hpp"
#include "text/width.hpp"

namespace kestrune::cli {
namespace {

using text::split_lines;
constexpr auto width_of = text::display_width;

// The start of a line that wrapping leaves on this line: up to the last blank that fits,
// else as many whole characters as fit. A blank that carries a combining mark is no break.
std::size_t wrap_point(std::string_view line, std::size_t width, std::size_t& resume) {
    const std::size_t fits = text::fitting_prefix(line, width);
    const std::size_t with_blank = text::fitting_prefix(line, width + 1);
    for (std::size_t blank = line.substr(0, with_blank).rfind(' '); blank != std::string_view::npos && blank > 0;
         blank = line.substr(0, blank).rfind(' ')) {
        if (text::character_end(line, blank) == blank + 1) {
            resume = blank + 1;
            return blank;
        }
    }
    // A character wider than the column still goes somewhere: alone on its line.
    resume = fits > 0 ? fits : text::character_end(line, 0);
    return resume;
}

// Wraps one line at blanks where it can, and between characters where it must.
void wrap_line(std::string_view line, std::size_t width, std::vector<std::string>& out) {
    while (width_of(line) > width) {
        std::size_t resume = 0;
        const std::size_t cut = wrap_point(line, width, resume);
        out.emplace_back(line.substr(0, cut));
        line.remove_prefix(resume);
    }
    out.emplace_back(line);
}

std::vector<std::string> cell_lines(std::string_view text, std::size_t width) {
    std::vector<std::string> out;
    for (auto line : split_lines(text)) wrap_line(line, width, out);
    return out;
}

std::string repeat(std::string_view s, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += s;
    return out;
}

// Content widths that fit `available` columns: narrow columns keep their natural width and
// the rest share what remains.
std::vector<std::size_t> fit(std::vector<std::size_t> natural, std::size_t available) {
    std::vector<std::size_t> widths(natural.size(), 0);
    std::vector<bool> fixed(natural.size(), false);
    std::size_t left = available;
    std::size_t open = natural.size();
    bool changed = true;
    while (changed && open > 0) {
        changed = false;
        const std::size_t share = std::max<std::size_t>(1, left / open);
        for (std::size_t i = 0; i < natural.size(); ++i) {
            if (!fixed[i] && natural[i] <= share) {
                widths[i] = natural[i];
                fixed[i] = true;
                left -= std::min(left, natural[i]);
                --open;
                changed = true;
            }
        }
    }
    if (open > 0) {
        std::size_t share = std::max<std::size_t>(1, left / open);
        std::size_t extra = left > share * open ? left - share * open : 0;
        for (std::size_t i = 0; i < natural.size(); ++i) {
            if (fixed[i]) continue;
            widths[i] = share + (extra > 0 ? 1 : 0);
            if (extra > 0) --extra;
        }
    }
    return widths;
}

}  // namespace

std::string Table::render(int width) const {
    const std::size_t columns = header_.size();
    std::vector<std::size_t> natural(columns, 0);
    // No column gets narrower than its widest character, which wrapping cannot split.
    std::vector<std::size_t> narrowest(columns, 1);
    auto measure = [&](const std::vector<std::string>& row) {
        for (std::size_t i = 0; i < columns && i < row.size(); ++i) {
            for (auto line : split_lines(row[i])) natural[i] = std::max(natural[i], width_of(line));
            narrowest[i] = std::max(narrowest[i], text::widest_character(row[i]));
        }
    };
    measure(header_);
    for (const auto& row : rows_) measure(row);

    std::vector<std::size_t> widths = natural;
    const std::size_t frame = columns + 1 + 2 * columns;  // borders and one blank each side
    const std::size_t total = std::accumulate(natural.begin(), natural.end(), frame);
    if (width > 0 && total > static_cast<std::size_t>(width)) {
        const std::size_t available = static_cast<std::size_t>(width) > frame + columns ? width - frame : columns;
        widths = fit(natural, available);
        for (std::size_t i = 0; i < columns; ++i) widths[i] = std::max(widths[i], std::min(narrowest[i], natural[i]));
    }

    auto border = [&](std::string_view left, std::string_view fill, std::string_view mid, std::string_view right) {
        std::string line(left);
        for (std::size_t i = 0; i < columns; ++i) {
            if (i > 0) line += mid;
            line += repeat(fill, widths[i] + 2);
        }
        line += right;
        return line;
    };
    // Lines go straight into the result, not into a list joined afterwards: a listing of
    // thousands of rows is copied once less.
    std::string out;
    std::vector<std::vector<std::string>> cells(columns);
    auto add_row = [&](const std::vector<std::string>& row) {
        std::size_t height = 1;
        for (std::size_t i = 0; i < columns; ++i) {
            cells[i] = cell_lines(i < row.size() ? row[i] : std::string_view(), widths[i]);
            height = std::max(height, cells[i].size());
        }
        for (std::size_t h = 0; h < height; ++h) {
            out += "│";
            for (std::size_t i = 0; i < columns; ++i) {
                if (i > 0) out += "┆";
                const std::string_view text = h < cells[i].size() ? std::string_view(cells[i][h]) : std::string_view();
                out += ' ';
                out += text;
                out.append(widths[i] - std::min(widths[i], width_of(text)) + 1, ' ');
            }
            out += "│";
            out += '\n';
        }
    };

    out += border("┌", "─", "┬", "┐");
    out += '\n';
    add_row(header_);
    out += border("╞", "═", "╪", "╡");
    out += '\n';
    for (const auto& row : rows_) add_row(row);
    out += border("└", "─", "┴", "┘");
    return out;
}

void print_table(const Table& table, Output& out) { out.print(table.render(out.width()) + "\n"); }

std::string title_case(std::string_view key) {
    std::string out;
    bool word_start = true;
    for (const char c : key) {
        if (c == '_') {
            if (!out.empty() && out.back() != ' ') out += ' ';
            word_start = true;
            continue;
        }
        out += word_start && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
               : !word_start && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                                      : c;
        word_start = false;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace kestrune::cli
