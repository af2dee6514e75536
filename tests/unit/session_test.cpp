#include "base/session.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"

namespace lumo {
namespace {

TEST(Session, SetUpConfiguresTheTarnAndItsStatusTexts) {
    LanguageStrings strings;
    Session session(strings);
    EXPECT_FALSE(session.isConfigured());
    EXPECT_FALSE(session.isInRange(445));
    session.setUp();
    EXPECT_EQ(session.ModelIndex, 3);
    EXPECT_EQ(session.statusPanels,
              (std::array<std::string, 4>{"Connect state:", "connect", "Mode: ", "Tarn"}));
    EXPECT_TRUE(session.channelAndParamEnabled);
    EXPECT_EQ(session.Band2Low, 440);
    EXPECT_EQ(session.Band2High, 451);
    EXPECT_EQ(strings.DetectMessages[2], "Device Tarn been detect!");
}

TEST(Session, RangeExcludesTheLimits) {
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    for (const long double inside : {440.00625L, 450.99375L, 445.0L}) {
        EXPECT_TRUE(session.isInRange(inside)) << static_cast<double>(inside);
    }
    for (const long double outside : {440.0L, 451.0L, 439.9875L, 451.0125L, 0.0L}) {
        EXPECT_FALSE(session.isInRange(outside)) << static_cast<double>(outside);
    }
    // Band 2 counts on its own.
    session.Band2Low = 460;
    session.Band2High = 470;
    EXPECT_TRUE(session.isInRange(465));
}

TEST(Session, LateSetUpAsksAndShowsTheBandLimits) {
    LanguageStrings strings;
    Session session(strings);
    test::ScriptedDialogs no({false});
    EXPECT_FALSE(session.lateSetUp(no));
    EXPECT_FALSE(session.isConfigured());
    EXPECT_EQ(no.questions(), std::vector<std::string>{"Device no connect,connect now?"});

    test::ScriptedDialogs yes({true});
    EXPECT_TRUE(session.lateSetUp(yes));
    EXPECT_EQ(session.ModelIndex, 3);
    EXPECT_EQ(yes.messages(),
              std::vector<std::string>{"Device Tarn been detect!Band Limits[440-451Mhz]"});
    EXPECT_EQ(session.statusPanels, (std::array<std::string, 4>{}));
    EXPECT_FALSE(session.channelAndParamEnabled);
    EXPECT_EQ(shortestDecimal(440.5L), "440.5");
}

}  // namespace
}  // namespace lumo

#include "shell/app_state.h"

namespace lumo {
namespace {

TEST(ProbePorts, NotesTheFolderAndFillsTheOptionWords) {
    test::ScriptedDialogs dialogs;
    AppState state(dialogs, std::make_unique<MemorySettingsStore>());
    state.strings.word25K = "Wide";
    ProbePorts(state, "/opt/lumo/bin/lumo");
    EXPECT_EQ(state.AppDir, std::filesystem::path("/opt/lumo/bin/"));
    EXPECT_EQ(state.vocabulary.toneList.front(), "Off");
    bool wide = false;
    for (const OptionWord& entry : state.vocabulary.optionWords) {
        wide = wide || entry.word == "Wide";
    }
    EXPECT_TRUE(wide);
    EXPECT_TRUE(dialogs.messages().empty());  // a missing port is not reported
    EXPECT_FALSE(state.link->isOpen());
}

}  // namespace
}  // namespace lumo
