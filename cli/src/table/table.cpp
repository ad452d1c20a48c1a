#include "table/table.hpp"

#include <algorithm>
#include <numeric>

#include "text/text.hpp"
#include "text/width.hpp"

namespace kestrune::cli {
namespace {

constexpr auto width_of = text::display_width;

// Calls line(text) for each line of the text, split at line feeds.
template <class Line>
void for_each_line(std::string_view text, Line line) {
    for (;;) {
        const std::size_t end = text.find('\n');
        line(text.substr(0, end));
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

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
void wrap_line(std::string_view line, std::size_t width, std::vector<std::string_view>& out) {
    while (width_of(line) > width) {
        std::size_t resume = 0;
        const std::size_t cut = wrap_point(line, width, resume);
        out.push_back(line.substr(0, cut));
        line.remove_prefix(resume);
    }
    out.push_back(line);
}

// The lines a cell is shown in, each a piece of its text, into `out`.
void cell_lines(std::string_view text, std::size_t width, std::vector<std::string_view>& out) {
    out.clear();
    for_each_line(text, [&](std::string_view line) { wrap_line(line, width, out); });
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

Table::Table(std::vector<std::string> header) : columns_(header.size()) {
    for (std::string& cell : header) cells_.emplace_back(kept_.emplace_back(std::move(cell)));
}

void Table::add_row(std::vector<std::string> row) {
    for (std::size_t i = 0; i < columns_; ++i)
        cells_.push_back(i < row.size() ? std::string_view(kept_.emplace_back(std::move(row[i]))) : std::string_view());
}

void Table::add_row_of_views(std::initializer_list<std::string_view> row) {
    for (std::size_t i = 0; i < columns_; ++i) cells_.push_back(i < row.size() ? row.begin()[i] : std::string_view());
}

std::string Table::render(int width) const {
    const std::size_t columns = columns_;
    const std::size_t rows = columns == 0 ? 0 : cells_.size() / columns;  // the header's included
    std::vector<std::size_t> natural(columns, 0);
    // No column gets narrower than its widest character, which wrapping cannot split.
    std::vector<std::size_t> narrowest(columns, 1);
    // The width of each cell that is one line, measured once; npos for one of more lines.
    constexpr std::size_t lines_apart = std::string_view::npos;
    std::vector<std::size_t> one_line(cells_.size(), lines_apart);
    for (std::size_t at = 0; at < cells_.size(); ++at) {
        const std::size_t i = at % columns;
        const std::string_view cell = cells_[at];
        // Plain ASCII, nearly every cell of a long listing, takes a column a byte.
        if (std::all_of(cell.begin(), cell.end(), [](char c) { return c != '\n' && static_cast<unsigned char>(c) < 0x80; })) {
            one_line[at] = cell.size();
            natural[i] = std::max(natural[i], cell.size());
            continue;
        }
        if (cell.find('\n') == std::string_view::npos) one_line[at] = width_of(cell);
        for_each_line(cell, [&](std::string_view line) { natural[i] = std::max(natural[i], width_of(line)); });
        narrowest[i] = std::max(narrowest[i], text::widest_character(cell));
    }

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
    // Lines go straight into the result, not into a list joined afterwards, and each cell's
    // lines are pieces of its text: a listing of thousands of rows is copied once, into the result.
    const std::string top = border("┌", "─", "┬", "┐");
    std::string out;
    out.reserve((rows + 3) * (top.size() + 1));
    std::vector<std::vector<std::string_view>> lines(columns);
    std::vector<std::vector<std::size_t>> line_widths(columns);
    auto add_row = [&](std::size_t row) {
        std::size_t height = 1;
        for (std::size_t i = 0; i < columns; ++i) {
            const std::size_t at = row * columns + i;
            line_widths[i].clear();
            if (one_line[at] <= widths[i]) {
                lines[i].assign(1, cells_[at]);
                line_widths[i].push_back(one_line[at]);
            } else {
                cell_lines(cells_[at], widths[i], lines[i]);
                for (const std::string_view line : lines[i]) line_widths[i].push_back(width_of(line));
            }
            height = std::max(height, lines[i].size());
        }
        for (std::size_t h = 0; h < height; ++h) {
            out += "│";
            for (std::size_t i = 0; i < columns; ++i) {
                if (i > 0) out += "┆";
                const bool has_line = h < lines[i].size();
                out += ' ';
                if (has_line) out += lines[i][h];
                out.append(widths[i] - std::min(widths[i], has_line ? line_widths[i][h] : 0) + 1, ' ');
            }
            out += "│";
            out += '\n';
        }
    };

    out += top;
    out += '\n';
    add_row(0);
    out += border("╞", "═", "╪", "╡");
    out += '\n';
    for (std::size_t row = 1; row < rows; ++row) add_row(row);
    out += border("└", "─", "┴", "┘");
    return out;
}

void print_table(const Table& table, Output& out) {
    std::string text = table.render(out.width());
    text += '\n';
    out.print(text);
}

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
