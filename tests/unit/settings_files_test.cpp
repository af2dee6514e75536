// Save and Open of the settings window's commands, through a path.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/optw_file.h"
#include "settings/settings_commands.h"
#include "settings/settings_document.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/scripted_documents.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class SettingsFiles : public ::testing::Test {
  protected:
    void put(const std::string& name, const std::string& text) {
        test::writeTextFile(dir_ / name, text);
    }

    test::TempDir dir_;
    test::ScriptedDialogs dialogs;
    // No radio here: any open fails.
    HexLink link{[](const std::string&, OpenFailure&) { return PortHolder{}; }, dialogs};
    LanguageStrings strings;
    Session session{strings};
    SettingsForm form;
    SettingsCommands commands{form, session, link};
};

TEST_F(SettingsFiles, SaveThenOpenRestoresEveryControl) {
    form.userSelect("ComboBox7", 3);
    form.userCheck("CheckBox6", true);
    form.setItemIndex("ComboBox10", -1);
    ASSERT_TRUE(commands.save(dir_ / "s.optw"));

    SettingsForm fresh;
    SettingsCommands other(fresh, session, link);
    ASSERT_TRUE(other.open(dir_ / "s.optw"));
    EXPECT_EQ(fresh.saveLines(), form.saveLines());
    EXPECT_EQ(fresh.control("ComboBox7").selectedText(), "3");
    EXPECT_TRUE(fresh.control("CheckBox6").checked);
    EXPECT_EQ(fresh.control("ComboBox10").itemIndex, -1);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SettingsFiles, FilesThatDoNotFitChangeNothingAndSayWhy) {
    put("cut.optw", "0\r\n0\r\n1\r\n");
    put("word.optw", "0\r\n0\r\n1\r\n5\r\nten\r\n");
    form.userSelect("ComboBox4", 8);
    const Control before = form.body();
    EXPECT_FALSE(commands.open(dir_ / "cut.optw"));
    EXPECT_FALSE(commands.open(dir_ / "word.optw"));
    EXPECT_FALSE(commands.open(dir_ / "none.optw"));
    EXPECT_FALSE(commands.save(dir_ / "no-folder" / "s.optw"));
    EXPECT_EQ(form.body(), before);

    const std::string dir = dir_.path().string();
    const Texts messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0], "\"" + dir +
                               "/cut.optw\" does not fit the settings: Line 4 is "
                               "missing: the file ends after 3 lines. Nothing was changed.");
    EXPECT_EQ(messages[1], "\"" + dir +
                               "/word.optw\" does not fit the settings: Line 5 "
                               "(\"ten\") is not a number. Nothing was changed.");
    EXPECT_EQ(messages[2], "cannot open " + dir + "/none.optw: No such file or directory");
    EXPECT_EQ(messages[3], "cannot write " + dir + "/no-folder/s.optw: No such file or directory");
    EXPECT_EQ(dialogs.warnings(), messages);  // refusals, in a warning box
}

TEST_F(SettingsFiles, SaveProposesTheFileLastOpenedOrSavedHereOrANewNameForABackup) {
    enum class Step { Save, Open, Backup };
    test::ScriptedDocuments documents;
    SettingsDocument document(form, commands, session, documents);
    put("cut.optw", "0\r\n");
    const fs::path saved = dir_ / "s.optw";
    const fs::path opened = dir_ / "t.optw";
    ASSERT_TRUE(commands.save(opened));
    const fs::path restored = kRestoredSettingsName;
    const struct {
        const char* name;
        Step step;
        std::optional<fs::path> chosen;
        fs::path fileAfter;
        fs::path proposedAfter;
    } steps[] = {
        {"a new window has none", Step::Save, std::nullopt, "", ""},
        {"saved", Step::Save, saved, saved, saved},
        {"opened", Step::Open, opened, opened, opened},
        {"open cancelled", Step::Open, std::nullopt, opened, opened},
        {"open refused", Step::Open, dir_ / "cut.optw", opened, opened},
        {"a backup refused", Step::Backup, dir_ / "cut.optw", opened, opened},
        // Not the file last opened: saving would overwrite it with the backup's settings.
        {"a backup taken", Step::Backup, opened, "", restored},
        {"save cancelled", Step::Save, std::nullopt, "", restored},
        {"saved after the backup", Step::Save, saved, saved, saved},
    };
    for (const auto& s : steps) {
        switch (s.step) {
            case Step::Save:
                documents.saveAnswers.push_back(s.chosen);
                document.saveSettings();
                break;
            case Step::Open:
                documents.openAnswers.push_back(s.chosen);
                document.openSettings();
                break;
            case Step::Backup: document.openBackup(*s.chosen); break;
        }
        EXPECT_EQ(document.currentFile(), s.fileAfter) << s.name;
        document.saveSettings();  // cancelled: the script has no answer left
        EXPECT_EQ(documents.proposed.back(), s.proposedAfter) << s.name;
    }
}

}  // namespace
}  // namespace lumo
