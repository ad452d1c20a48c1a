// The registry edits of the settings commands: made one at a time across runs of the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "harness.hpp"
#include "ide_settings.hpp"
#include "win/handle.hpp"
#include "win/utf.hpp"

namespace kestrune::e2e {
namespace {

using ::testing::StartsWith;

using RegistryEdits = IdeSettings;

// Build scripts and installers run such edits side by side. Each run reads the list, adds
// its item and writes the list back; a run that read before another wrote would drop the
// other's item. Twenty at once lost about one item a round, so there are several rounds.
TEST_F(RegistryEdits, PathListEditsStartedTogetherLoseNothing) {
    install(true, false);
    constexpr std::size_t rounds = 3, runs = 20;
    struct Case {
        std::string command;
        std::wstring key, value;
    };
    const Case cases[] = {{"library-path", library(L"Win32"), L"Search Path"}, {"env-path", env32, L"Path"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        std::vector<std::string> added;
        for (std::size_t round = 0; round < rounds; ++round) {
            std::vector<std::vector<std::string>> commands;
            for (std::size_t i = 0; i < runs; ++i) {
                added.push_back("D:\\Lib" + std::to_string(round) + "." + std::to_string(i));
                commands.push_back({c.command, "-p", "Win32", "add", added.back()});
            }
            for (const RunResult& r : run_together(commands)) EXPECT_EQ(r.status, 0u) << r.err;
        }

        const auto stored = text(c.key, c.value);
        ASSERT_TRUE(stored);
        std::multiset<std::string> entries;  // the missing value read as one empty entry, then the items
        for (std::size_t start = 0, end = 0; end != std::wstring::npos; start = end + 1) {
            end = stored->find(L';', start);
            entries.insert(win::to_utf8(stored->substr(start, end - start)));
        }
        std::vector<std::string> lost;
        for (const std::string& item : added)
            if (entries.count(item) != 1) lost.push_back(item);
        EXPECT_TRUE(lost.empty()) << lost.size() << " of " << added.size() << " lost: " << ::testing::PrintToString(lost);
        EXPECT_EQ(entries.size(), added.size() + 1) << win::to_utf8(*stored);
    }
}

// A listing takes no lock, so the values it reads may grow between the size it asks for and the
// read. Each edit appends a long item, and the many variables around Path make the listing of
// the key take long enough for edits to land in it.
TEST_F(RegistryEdits, ListingsWhileEditsRunAreWhole) {
    install(true, false);
    constexpr std::size_t rounds = 3, edits = 20, listings = 10, variables = 150;
    const std::wstring padding(200, L'x');
    const std::string long_item = "D:\\" + std::string(300, 'y');
    std::vector<std::string> names;
    for (std::size_t i = 0; i < variables; ++i) {
        names.push_back((i % 2 ? "Z" : "A") + std::to_string(1000 + i));
        registry.set(env32, win::to_wide(names.back()), padding);
    }
    names.push_back("Path");
    registry.set(env32, L"Path", L"C:\\first;" + padding);
    registry.set(library(L"Win32"), L"Search Path", L"C:\\first;" + padding);

    for (std::size_t round = 0; round < rounds; ++round) {
        std::vector<std::vector<std::string>> commands;
        for (std::size_t i = 0; i < edits; ++i) {
            const std::string item = long_item + std::to_string(round) + "." + std::to_string(i);
            commands.push_back({i % 2 ? "library-path" : "env-path", "-p", "Win32", "add", item});
        }
        for (std::size_t i = 0; i < listings; ++i) {
            commands.push_back({"env"});
            commands.push_back({"library-path", "-p", "Win32"});
        }
        const auto results = run_together(commands);
        for (std::size_t i = 0; i < results.size(); ++i) {
            const RunResult& r = results[i];
            const std::string label = std::to_string(round) + " " + ::testing::PrintToString(commands[i]);
            ASSERT_EQ(r.status, 0u) << label << r.err;
            ASSERT_EQ(r.err, "") << label;
            if (i < edits) continue;
            ASSERT_TRUE(r.out.ends_with("┘\n")) << label << r.out;
            if (commands[i][0] == "library-path") {
                ASSERT_NE(r.out.find("│ 1  ┆ C:\\first "), std::string::npos) << label << r.out;
                continue;
            }
            for (const std::string& name : names)
                ASSERT_NE(r.out.find("│ " + name + " "), std::string::npos) << label << " lacks " << name;
        }
    }
}

// Every edit waits for the lock first, and one that cannot be had stops the edit with an error
// that says so; a listing takes no lock.
TEST_F(RegistryEdits, AnEditThatCannotTakeTheLockChangesNothing) {
    install(true, false);
    registry.set(env32, L"KEEP", L"kept");
    // An object of another kind under the lock's name: the lock can be neither created nor opened.
    const win::UniqueHandle squatter(CreateEventW(nullptr, TRUE, FALSE, L"Local\\KestruneCLI.RegistryEdit"));
    ASSERT_TRUE(squatter);

    const std::vector<std::string> edits[] = {
        {"library-path", "add", "D:\\Lib"},
        {"browsing-path", "insert", "D:\\Src"},
        {"env-path", "remove", "D:\\Old"},
        {"env", "set", "FOO", "bar"},
        {"env", "remove", "KEEP"},
        {"package", "register", "C:\\p.bpl", "Mine"},
        {"package", "unregister", "C:\\p.bpl"},
        {"self", "install"},
        {"self", "uninstall"},
    };
    const auto environment_path = registry.get(L"Environment", L"Path");
    for (const auto& edit : edits) {
        const std::string label = ::testing::PrintToString(edit);
        const auto r = run(edit);
        EXPECT_EQ(r.status, 1u) << label;
        EXPECT_EQ(r.out, "") << label;
        EXPECT_THAT(r.err, StartsWith("Error: cannot create the registry edit lock Local\\KestruneCLI.RegistryEdit: "))
            << label;
    }
    EXPECT_EQ(registry.value_names(library(L"Win32")), std::vector<std::wstring>{});
    EXPECT_EQ(registry.value_names(env32), std::vector<std::wstring>{L"KEEP"});
    EXPECT_EQ(registry.value_names(version + L"\\Known Packages"), std::vector<std::wstring>{});
    EXPECT_FALSE(registry.get(L"Environment", L"KestruneCLI"));
    EXPECT_EQ(registry.get(L"Environment", L"Path").has_value(), environment_path.has_value());

    for (const char* listing : {"library-path", "env-path", "env"}) EXPECT_EQ(run({listing}).status, 0u) << listing;
}

}  // namespace
}  // namespace kestrune::e2e
