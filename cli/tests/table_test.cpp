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

TEST(Table, PadsByTerminalColumns) {
    Table table({"Name", "Value"});
    table.add_row({"BDSLIB", "C:\\Users\\王小明\\lib"});
    table.add_row({"Cafe\u0301", "ＡＢ"});  // a combining accent takes no column
    table.add_row({"é", "✔"});
    EXPECT_EQ(table.render(),
              "┌────────┬─────────────────────┐\n"
              "│ Name   ┆ Value               │\n"
              "╞════════╪═════════════════════╡\n"
              "│ BDSLIB ┆ C:\\Users\\王小明\\lib │\n"
              "│ Cafe\u0301   ┆ ＡＢ                │\n"
              "│ é      ┆ ✔                   │\n"
              "└────────┴─────────────────────┘");
}

TEST(Table, NarrowingNeverSplitsACharacter) {
    Table table({"ID", "Item"});
    table.add_row({"1", "王小明王小明王小明"});
    table.add_row({"2", "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"});
    EXPECT_EQ(table.render(16),
              "┌────┬─────────┐\n"
              "│ ID ┆ Item    │\n"
              "╞════╪═════════╡\n"
              "│ 1  ┆ 王小明  │\n"
              "│    ┆ 王小明  │\n"
              "│    ┆ 王小明  │\n"
              "│ 2  ┆ e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301 │\n"
              "│    ┆ e\u0301       │\n"
              "└────┴─────────┘");

    // Too narrow even for one ideograph: its column keeps two, and the borders still line up.
    Table tight({"A", "B"});
    tight.add_row({"王", "abc"});
    EXPECT_EQ(tight.render(8),
              "┌────┬───┐\n"
              "│ A  ┆ B │\n"
              "╞════╪═══╡\n"
              "│ 王 ┆ a │\n"
              "│    ┆ b │\n"
              "│    ┆ c │\n"
              "└────┴───┘");
}

TEST(TitleCase, SplitsAtUnderscores) {
    EXPECT_EQ(title_case("is_known"), "Is Known");
    EXPECT_EQ(title_case("compiler_version_number"), "Compiler Version Number");
    EXPECT_EQ(title_case("ide_platforms"), "Ide Platforms");
    EXPECT_EQ(title_case("root_dir"), "Root Dir");
}

}  // namespace
}  // namespace kestrune::cli
