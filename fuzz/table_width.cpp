// Text widths and the table layout: for any cells and any width, every line of a table is as
// wide as every other, in terminal columns; and the measures agree with each other (a fitting
// start fits, a character ends after it starts).
#include <cstdint>
#include <string>
#include <vector>

#include "check.hpp"
#include "table/table.hpp"
#include "text/width.hpp"

namespace {

using kestrune::fuzz::shown;
namespace text = kestrune::text;

void check_width(std::string_view cell, std::size_t columns) {
    const std::size_t fits = text::fitting_prefix(cell, columns);
    KESTRUNE_FUZZ_CHECK(fits <= cell.size(), shown(cell));
    KESTRUNE_FUZZ_CHECK(text::display_width(cell.substr(0, fits)) <= columns, shown(cell));
    for (std::size_t at = 0; at < cell.size();) {
        const std::size_t end = text::character_end(cell, at);
        KESTRUNE_FUZZ_CHECK(end > at && end <= cell.size(), shown(cell));
        at = end;
    }
    KESTRUNE_FUZZ_CHECK(text::widest_character(cell) >= 1, shown(cell));
    KESTRUNE_FUZZ_CHECK(text::display_width(cell) <= cell.size() * 2, shown(cell));
}

std::string cell(FuzzedDataProvider& input) {
    std::string bytes = input.ConsumeRandomLengthString(48);
    // Cells hold what the program shows, which is UTF-8; now and then bytes that are not.
    return input.ConsumeBool() ? kestrune::win::to_utf8(kestrune::win::to_wide(bytes)) : bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(0, 160);
    const auto columns = input.ConsumeIntegralInRange<std::size_t>(1, 5);
    const auto rows = input.ConsumeIntegralInRange<std::size_t>(0, 6);
    std::vector<std::string> header;
    for (std::size_t i = 0; i < columns; ++i) header.push_back(cell(input));
    kestrune::cli::Table table(header);
    std::vector<std::string> cells = header;
    for (std::size_t r = 0; r < rows; ++r) {
        // A row may be shorter than the header: its missing cells are empty.
        std::vector<std::string> row;
        const auto given = input.ConsumeIntegralInRange<std::size_t>(0, columns);
        for (std::size_t i = 0; i < given; ++i) row.push_back(cell(input));
        cells.insert(cells.end(), row.begin(), row.end());
        table.add_row(std::move(row));
    }
    for (const auto& c : cells) check_width(c, static_cast<std::size_t>(width));

    const std::string rendered = table.render(width);
    const auto lines = text::split_lines(rendered);
    const std::size_t first = text::display_width(lines.front());
    for (const auto line : lines) KESTRUNE_FUZZ_CHECK(text::display_width(line) == first, shown(rendered));

    return 0;
}
