// The box table every listing of the program is drawn with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "output/output.hpp"

namespace kestrune::cli {

class Table {
public:
    explicit Table(std::vector<std::string> header) : header_(std::move(header)) {}
    void add_row(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

    // The table's lines joined by line feeds, without a final one. A width above zero
    // narrows a wider table to it by wrapping cells; zero keeps the natural widths.
    std::string render(int width = 0) const;

private:
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};

// Prints the table and a line feed: fitted to the output's width when it shows in a console.
void print_table(const Table& table, Output& out);

// snake_case to Title Case: "is_known" gives "Is Known".
std::string title_case(std::string_view key);

}  // namespace kestrune::cli
