#include "table/table.hpp"

#include <gtest/gtest.h>

namespace kestrune::cli {
namespace {

TEST(Table, DrawsTheBoxStyleAtNaturalWidth) {
    Table table({"Property", "Value"});
    table.add_row({"Is Known", "true"});
    table.add_row({"Version", "\"23.0\""});
    EXPECT_EQ(table.render(),
              "┌──────────┬────────┐\n"
              "│ Property ┆ Value  │\n"
              "╞══════════╪════════╡\n"
              "│ Is Known ┆ true   │\n"
              "│ Version  ┆ \"23.0\" │\n"
              "└──────────┴────────┘");
    // A wide terminal never stretches the table.
    EXPECT_EQ(table.render(200), table.render());
}

TEST(Table, HeaderOnlyWhenThereAreNoRows) {
    EXPECT_EQ(Table({"ID", "Item"}).render(),
              "┌────┬──────┐\n"
              "│ ID ┆ Item │\n"
              "╞════╪══════╡\n"
              "└────┴──────┘");
}

TEST(Table, NarrowsToTheWidthByWrapping) {
    Table table({"Name", "Value"});
    table.add_row({"PATH", "C:\\one;C:\\two three four"});
    const std::string text = table.render(24);
    EXPECT_EQ(text,
              "┌──────┬───────────────┐\n"
              "│ Name ┆ Value         │\n"
              "╞══════╪═══════════════╡\n"
              "│ PATH ┆ C:\\one;C:\\two │\n"
              "│      ┆ three four    │\n"
              "└──────┴───────────────┘");
}

TEST(Table, CountsCodePointsNotBytes) {
    Table table({"A", "B"});
    table.add_row({"é", "✔"});
    EXPECT_EQ(table.render(),
              "┌───┬───┐\n"
              "│ A ┆ B │\n"
              "╞═══╪═══╡\n"
              "│ é ┆ ✔ │\n"
              "└───┴───┘");
}

TEST(TitleCase, SplitsAtUnderscores) {
    EXPECT_EQ(title_case("is_known"), "Is Known");
    EXPECT_EQ(title_case("compiler_version_number"), "Compiler Version Number");
    EXPECT_EQ(title_case("ide_platforms"), "Ide Platforms");
    EXPECT_EQ(title_case("root_dir"), "Root Dir");
}

}  // namespace
}  // namespace kestrune::cli
