#include "shell/file_dialog_start.h"

#include <gtest/gtest.h>

#include <set>

namespace lumo {
namespace {

namespace fs = std::filesystem;

TEST(FileDialogStart, StartsInTheRememberedFolderElseDocumentsElseHome) {
    const fs::path music = "/home/ann/Music";
    const fs::path documents = "/home/ann/Documents";
    const fs::path home = "/home/ann";
    struct Case {
        const char* name;
        fs::path remembered;
        std::set<fs::path> existing;
        fs::path currentFile;
        DialogStart expected;
    };
    const Case cases[] = {
        {"remembered", music, {music, documents, home}, "", {music, ""}},
        {"nothing remembered", "", {music, documents, home}, "", {documents, ""}},
        {"remembered folder gone", music, {documents, home}, "", {documents, ""}},
        {"no documents folder", "", {music, home}, "", {home, ""}},
        {"relative folder remembered", "radio", {"radio", documents}, "", {documents, ""}},
        {"nothing at all", "", {}, "", {"/", ""}},
        {"current file: its name", music, {music}, "/srv/radio/a.chnw", {music, "a.chnw"}},
        {"current file elsewhere", "", {documents}, "/gone/b.csv", {documents, "b.csv"}},
    };
    for (const Case& c : cases) {
        const auto isFolder = [&](const fs::path& folder) { return c.existing.contains(folder); };
        EXPECT_EQ(dialogStart({c.remembered, documents, home}, c.currentFile, isFolder), c.expected)
            << c.name;
    }
}

TEST(FileDialogStart, RemembersTheFolderOfTheChosenFileForBothWindows) {
    MemorySettingsStore store;
    EXPECT_EQ(rememberedFolder(store), fs::path());
    rememberFolderOf(store, "/home/ann/radio/a.chnw");
    EXPECT_EQ(rememberedFolder(store), fs::path("/home/ann/radio"));
    EXPECT_EQ(store.keysIn("Files"), std::vector<std::string>{"lastFolder"});
    rememberFolderOf(store, "/srv/s.optw");
    EXPECT_EQ(rememberedFolder(store), fs::path("/srv"));
}

}  // namespace
}  // namespace lumo
