#include "base/session.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"

namespace lumo {
namespace {

TEST(Session, SetUpConfiguresTheTarnAndItsStatusTexts) {
    LanguageStrings strings;
    Session session(strings);
    EXPECT_FALSE(session.isConfigured());
    EXPECT_FALSE(session.isInRange(Frequency::fromMegahertz(445)));
    session.setUp();
    EXPECT_EQ(session.ModelIndex, 3);
    EXPECT_EQ(session.statusPanels,
              (std::array<std::string, 4>{"Connect state:", "connect", "Mode: ", "Tarn"}));
    EXPECT_TRUE(session.channelAndParamEnabled);
    EXPECT_EQ(session.Band2Low, Frequency::fromMegahertz(440));
    EXPECT_EQ(session.Band2High, Frequency::fromMegahertz(451));
    EXPECT_EQ(strings.DetectMessages[2], "Device Tarn been detect!");
}

TEST(Session, RangeExcludesTheLimits) {
    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    for (const Frequency inside :
         {Frequency::fromTenHertz(44'000'625), Frequency::fromTenHertz(45'099'375),
          Frequency::fromMegahertz(445)}) {
        EXPECT_TRUE(session.isInRange(inside)) << inside.tenHertz();
    }
    for (const Frequency outside :
         {Frequency::fromMegahertz(440), Frequency::fromMegahertz(451),
          Frequency::fromTenHertz(43'998'750), Frequency::fromTenHertz(45'101'250), Frequency()}) {
        EXPECT_FALSE(session.isInRange(outside)) << outside.tenHertz();
    }
    // Band 2 counts on its own.
    session.Band2Low = Frequency::fromMegahertz(460);
    session.Band2High = Frequency::fromMegahertz(470);
    EXPECT_TRUE(session.isInRange(Frequency::fromMegahertz(465)));
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
    EXPECT_EQ(shortestDecimal(Frequency::fromTenHertz(44'050'000)), "440.5");
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
