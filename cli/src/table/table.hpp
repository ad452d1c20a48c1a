// The box table every listing of the program is drawn with.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "output/output.hpp"

namespace kestrune::cli {

class Table {
public:
    explicit Table(std::vector<std::string> header);
    // A copy would point at the other table's text.
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;
    Table(Table&&) = default;
    Table& operator=(Table&&) = default;
    // A row whose cells the table keeps. Missing cells are empty; cells beyond the header's are
    // not shown.
    void add_row(std::vector<std::string> row);
    // A row whose cells the table only points at: their text must stay until the table has been
    // rendered. A listing of thousands of rows is drawn without a copy of each cell.
    void add_row_of_views(std::initializer_list<std::string_view> row);

    // The table's lines joined by line feeds, without a final one. A width above zero
    // narrows a wider table to it by wrapping cells; zero keeps the natural widths.
    std::string render(int width = 0) const;

private:
    std::size_t columns_;
    // The text of the header and of the rows given as strings; a deque keeps it in place.
    std::deque<std::string> kept_;
    // The header's cells, then each row's, `columns_` to a row.
    std::vector<std::string_view> cells_;
};

// Prints the table and a line feed: fitted to the output's width when it shows in a console.
void print_table(const Table& table, Output& out);

// snake_case to Title Case: "is_known" gives "Is Known".
std::string title_case(std::string_view key);

}  // namespace kestrune::cli
