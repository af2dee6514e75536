// The write flow of both windows against the simulated radio: every way a review, a
// write and its verify can end, and what Lumo then knows the radio holds.
#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <optional>

#include "base/document_dialogs.h"
#include "channels/channel_image.h"
#include "settings/settings_document.h"
#include "shell/channel_write_subject.h"
#include "shell/settings_write_subject.h"
#include "shell/write_flow.h"
#include "tests/support/backup_home.h"
#include "tests/support/link_fixture.h"
#include "tests/support/scripted_reviews.h"
#include "tests/support/sim_radio_setup.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using State = RadioKnowledge::State;

bool startsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// Where a session is to be stopped: once the progress bar of that maximum (4416 a
// channel read, 4096 a channel write) reaches `position`.
struct StopAt {
    int maximum = 0;
    int position = 0;
};

// What a flow works on and with, apart from its subject: the link to a simulated radio,
// the review's answers, the status bar, backups in a folder of the test's own.
struct FlowBench {
    FlowBench(std::vector<tarnsim::SimFault> faults, std::deque<ReviewAnswer> reviewAnswers)
        : home(dir.path()), sim({.faults = std::move(faults)}, {}, test::transferTimings()),
          script{std::move(reviewAnswers), {}} {
        session.setUp();
    }

    WriteFlowFrontEnd frontEnd() {
        WriteFlowFrontEnd frontEnd;
        frontEnd.review = [this](const WriteReview& review) { return script(review); };
        frontEnd.status = [this](const std::string& text) { status = text; };
        frontEnd.keepBackup = [](BackupKind kind, std::string_view content, BackupOrigin origin) {
            saveBackup(backupFolder(), kind, content, std::chrono::system_clock::now(), origin);
        };
        return frontEnd;
    }

    // A host that asks `flow` to stop at `stop`.
    BlockingTransferHost hostStopping(WriteFlow& flow, std::optional<StopAt> stop) {
        return BlockingTransferHost([&flow, stop](int position, int maximum) {
            if (stop && maximum == stop->maximum && position >= stop->position) {
                flow.requestStop();
            }
        });
    }

    std::vector<std::string> messagesSince(std::size_t first) const {
        const std::vector<std::string> all = sim.dialogs.messages();
        return {all.begin() + static_cast<long>(std::min(first, all.size())), all.end()};
    }

    test::TempDir dir;
    test::BackupHome home;
    LanguageStrings strings;
    Session session{strings};
    test::SimLink sim;
    test::ScriptedReviews script;
    std::vector<WriteReview>& reviews = script.reviews;
    std::string status = "a note of an earlier command";
    RadioKnowledge knowledge;
};

// The channel window's model on a flow: its table, editor and commands.
struct ChannelFlow {
    ChannelFlow(std::vector<tarnsim::SimFault> faults = {}, std::deque<ReviewAnswer> answers = {})
        : bench(std::move(faults), std::move(answers)) {}

    FlowBench bench;
    ChannelTable table{bench.strings};
    ChannelEditor editor{table, bench.session, bench.sim.dialogs, defaultVocabulary()};
    ChannelCommands commands{table, bench.session, bench.sim.link};
    ChannelWriteSubject subject{table, commands, editor, bench.session, defaultVocabulary()};
    WriteFlow flow{subject, bench.knowledge, bench.sim.link, bench.frontEnd()};

    bool read() {
        BlockingTransferHost host;
        return flow.read(host);
    }
    WriteOutcome write(WriteOptions options = {}, std::optional<StopAt> stop = std::nullopt) {
        BlockingTransferHost host = bench.hostStopping(flow, stop);
        return flow.write(host, options);
    }
    // What the radio's memory shows in the window's columns for `channel`.
    std::string radioCell(int column, int channel) {
        const std::vector<std::uint8_t> memory = bench.sim.radio.radio().memory();
        MemoryImage image = blankMemoryImage();
        std::copy_n(memory.begin() + ChannelAreaBase, image.size(), image.begin());
        ChannelTable held;
        LoadGridFromImage(held, image);
        return held.cell(column, channel);
    }
};

// Channel 1 "BASE" and channel 2, both in the band.
void loadTwoChannels(tarnsim::SimulatedRadio& radio) {
    test::loadChannels(radio, {{1, "446.00625", "BASE"}, {2, "446.01875"}});
}

constexpr int kWriteMaximum = 4096;
constexpr int kReadMaximum = 4416;

// One way a channel write may end.
struct ChannelCase {
    const char* name;
    std::vector<const char*> faults;  // sessions: 1 the window's read when `readFirst`
    bool readFirst;                   // the window's Read before the write
    std::deque<ReviewAnswer> answers;
    std::optional<StopAt> stop;
    WriteOptions options;
    WriteOutcome outcome;
    std::vector<WriteReview::Kind> reviews;
    State knows;
    const char* source;   // what the knowledge now says it comes from
    const char* message;  // the start of the last message; "" when none came
    const char* status;
    bool edited = true;  // channel 2 changed in the window before the write
    bool warned = false;  // the last message a warning: the radio is not as the table says
};

const ChannelCase kChannelCases[] = {
    {"nothing known", {}, false, {ReviewAnswer::Cancel}, {}, {}, WriteOutcome::Cancelled,
     {WriteReview::Kind::Unknown}, State::Untouched, "", "", ""},
    {"no change", {}, true, {ReviewAnswer::Write}, {}, {}, WriteOutcome::Verified,
     {WriteReview::Kind::NoChanges}, State::Known, "the last write, at ", "Translate data complete!",
     "Written and verified", false},
    {"cancel at the review", {}, true, {ReviewAnswer::Cancel}, {}, {}, WriteOutcome::Cancelled,
     {WriteReview::Kind::Changes}, State::Known, "the last read, at ", "", ""},
    {"changes, verified", {}, true, {ReviewAnswer::Write}, {}, {}, WriteOutcome::Verified,
     {WriteReview::Kind::Changes}, State::Known, "the last write, at ", "Translate data complete!",
     "Written and verified"},
    {"read first, then written", {}, false, {ReviewAnswer::ReadFirst, ReviewAnswer::Write}, {}, {},
     WriteOutcome::Verified, {WriteReview::Kind::Unknown, WriteReview::Kind::Changes}, State::Known,
     "the last write, at ", "Translate data complete!", "Written and verified"},
    {"read first failed", {"no-reply:3@1"}, false, {ReviewAnswer::ReadFirst}, {}, {},
     WriteOutcome::Cancelled, {WriteReview::Kind::Unknown}, State::Untouched, "",
     "Connect Crc faild code:(1)", ""},
    {"read first stopped", {}, false, {ReviewAnswer::ReadFirst}, StopAt{kReadMaximum, 4 * 69}, {},
     WriteOutcome::Cancelled, {WriteReview::Kind::Unknown}, State::Untouched, "",
     "The transfer was stopped after 4 of 64 blocks. Nothing was written.", ""},
    {"write failed", {"no-reply:12@2"}, true, {}, {}, {false, true}, WriteOutcome::Failed, {},
     State::Unsettled, "", "The write failed after 10 of 256 blocks. The radio's channel area is "
     "now partly written. Write again completes the channel table. To put back", "", true, true},
    {"write stopped", {}, true, {}, StopAt{kWriteMaximum, 10 * 16}, {false, true}, WriteOutcome::Stopped, {},
     State::Unsettled, "", "The transfer was stopped after 10 of 256 blocks. The radio's channel "
     "area is now partly written.", "", true, true},
    {"write stopped before its first block", {}, true, {}, StopAt{kWriteMaximum, 0}, {false, true},
     WriteOutcome::Stopped, {}, State::Known, "the last read, at ",
     "The transfer was stopped before anything was sent.", ""},
    {"not verified, as asked", {}, true, {}, {}, {false, false}, WriteOutcome::Written, {},
     State::Known, "the last write, at ", "Translate data complete!", ""},
    {"verify differs", {"corrupt:0x0020"}, true, {}, {}, {false, true}, WriteOutcome::VerifyDiffers,
     {}, State::Known, "the radio, read back at ",
     "The radio does not hold what was written. 1 channel(s) differ:\nchannel 2: RX Frequency(MHZ) "
     "wrote 446.02500, radio holds 446.02501", "", true, true},
    {"verify sees bytes no column shows", {"corrupt:0x001F", "corrupt:0x101A"}, true, {}, {},
     {false, true}, WriteOutcome::Verified, {}, State::Known, "the last write, at ",
     "Translate data complete!", "Written and verified"},
    {"verify stopped", {}, true, {}, StopAt{kReadMaximum, 3 * 69}, {false, true}, WriteOutcome::NotVerified,
     {}, State::Known, "the last write, at ", "Translate data complete!",
     "Written, not verified: the check was stopped"},
    {"verify's own link failure", {"no-reply:3@3"}, true, {}, {}, {false, true},
     WriteOutcome::NotVerified, {}, State::Known, "the last write, at ",
     "Written, but not verified: Connect Crc faild code:(1)", "", true, true},
};

// ctest names each case by its name, not by its bytes.
void PrintTo(const ChannelCase& c, std::ostream* out) {
    *out << c.name;
}

class ChannelWriteEnds : public testing::TestWithParam<ChannelCase> {};

TEST_P(ChannelWriteEnds, LeavingTheTruthKnown) {
    const ChannelCase& c = GetParam();
    SCOPED_TRACE(c.name);
    std::vector<tarnsim::SimFault> faults;
    for (const char* fault : c.faults) {
        faults.push_back(test::faults({fault}).front());
    }
    ChannelFlow rig(faults, c.answers);
    loadTwoChannels(rig.bench.sim.radio);
    if (c.readFirst) {
        ASSERT_TRUE(rig.read());
    }
    if (c.edited) {
        rig.table.setCell(1, 2, "446.02500");
        rig.table.setCell(2, 2, "446.02500");
    }
    const std::size_t before = rig.bench.sim.dialogs.messages().size();
    const std::size_t warnedBefore = rig.bench.sim.dialogs.warnings().size();

    EXPECT_EQ(rig.write(c.options, c.stop), c.outcome);
    std::vector<WriteReview::Kind> kinds;
    for (const WriteReview& review : rig.bench.reviews) {
        kinds.push_back(review.kind);
    }
    EXPECT_EQ(kinds, c.reviews);
    EXPECT_EQ(rig.bench.knowledge.state(), c.knows);
    if (rig.bench.knowledge.known()) {
        EXPECT_TRUE(startsWith(rig.bench.knowledge.known()->source, c.source))
            << rig.bench.knowledge.known()->source;
    }
    const std::vector<std::string> told = rig.bench.sim.dialogs.messages();
    if (*c.message == '\0') {
        EXPECT_EQ(told.size(), before);
    } else {
        ASSERT_FALSE(told.empty());
        EXPECT_TRUE(startsWith(told.back(), c.message)) << told.back();
    }
    const std::vector<std::string> warned = rig.bench.sim.dialogs.warnings();
    EXPECT_EQ(warned.size(), warnedBefore + (c.warned ? 1 : 0));
    if (c.warned) {
        EXPECT_EQ(warned.back(), told.back());
    }
    // A note belongs to its command: the earlier one is gone.
    EXPECT_EQ(rig.bench.status, c.status);
    EXPECT_FALSE(rig.bench.session.Busy);
    EXPECT_FALSE(rig.bench.sim.link.isOpen());
}

// "write stopped" as write_stopped.
std::string caseName(const testing::TestParamInfo<ChannelCase>& param) {
    std::string name;
    for (const char* c = param.param.name; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(WriteFlow, ChannelWriteEnds, testing::ValuesIn(kChannelCases), caseName);

TEST(WriteFlow, AfterAFailedVerifyTheReviewListsWhatTheRadioReallyHolds) {
    ChannelFlow rig(test::faults({"corrupt:0x0020"}), {ReviewAnswer::Write, ReviewAnswer::Cancel});
    loadTwoChannels(rig.bench.sim.radio);
    ASSERT_TRUE(rig.read());
    rig.table.setCell(1, 2, "446.02500");
    ASSERT_EQ(rig.write(), WriteOutcome::VerifyDiffers);
    // The verify kept what it read, newer than the write's record.
    const std::vector<BackupEntry> backups = listBackups(backupFolder());
    ASSERT_EQ(backups.size(), 3u);
    EXPECT_EQ(backups[0].origin, BackupOrigin::Read);
    EXPECT_EQ(backups[1].origin, BackupOrigin::Written);

    EXPECT_EQ(rig.write(), WriteOutcome::Cancelled);
    const WriteReview& again = rig.bench.reviews.back();
    EXPECT_EQ(again.kind, WriteReview::Kind::Changes);
    EXPECT_EQ(again.changes,
              std::vector<std::string>{"channel 2, RX Frequency(MHZ): 446.02501 -> 446.02500"});
}

TEST(WriteFlow, AfterACutWriteTheReviewSaysTheRadioIsNotKnownUntilALook) {
    ChannelFlow rig({}, {ReviewAnswer::Cancel, ReviewAnswer::ReadFirst, ReviewAnswer::Cancel});
    loadTwoChannels(rig.bench.sim.radio);
    ASSERT_TRUE(rig.read());
    rig.table.setCell(1, 2, "446.02500");
    ASSERT_EQ(rig.write({false, false}, StopAt{4096, 10 * 16}), WriteOutcome::Stopped);
    EXPECT_NE(rig.bench.sim.dialogs.messages().back().find(" To put back what the radio held before, "
                                                            "open the newest backup of a read, channels-"),
              std::string::npos);

    EXPECT_EQ(rig.write(), WriteOutcome::Cancelled);
    EXPECT_EQ(rig.bench.reviews[0].kind, WriteReview::Kind::Unsettled);
    EXPECT_EQ(rig.bench.reviews[0].source,
              "the last write stopped after block 10 of 256; the radio's content is not known");
    // The blocks written are what a look finds: channel 2 is no change any more.
    EXPECT_EQ(rig.write(), WriteOutcome::Cancelled);
    ASSERT_EQ(rig.bench.reviews.size(), 3u);
    EXPECT_EQ(rig.bench.reviews[2].kind, WriteReview::Kind::NoChanges);

    // A write that never reached the radio changes nothing of what is known.
    rig.bench.sim.link.PortName = (rig.bench.dir / "no-such-port").string();
    EXPECT_EQ(rig.write({false, false}), WriteOutcome::NotSent);
    EXPECT_TRUE(startsWith(rig.bench.knowledge.known()->source, "the radio, read at "));
}

TEST(WriteFlow, ABackupTellsOnlyWhenNothingHappenedAndItIsNoWriteRecord) {
    ChannelFlow rig;
    ChannelTable held;
    held.setCell(1, 3, "446.01000");
    MemoryImage image = blankMemoryImage();
    StoreGridToImage(held, image);
    const std::string bytes(image.begin(), image.end());
    const auto now = std::chrono::system_clock::now();
    // The newest backup is a read: it tells.
    saveBackup(backupFolder(), BackupKind::Channels, bytes, now - std::chrono::hours(2));
    ASSERT_TRUE(rig.flow.known());
    EXPECT_TRUE(startsWith(rig.flow.known()->source, "the newest backup, ")) << rig.flow.known()->source;
    // A write's record after it says only what was sent.
    saveBackup(backupFolder(), BackupKind::Channels, bytes, now - std::chrono::hours(1),
               BackupOrigin::Written);
    EXPECT_FALSE(rig.flow.known());
    // Once something happened in this run, backups no longer speak for the radio.
    saveBackup(backupFolder(), BackupKind::Channels, bytes, now);
    rig.bench.knowledge.unsettle("the last write failed after block 3 of 256");
    EXPECT_FALSE(rig.flow.known());
    EXPECT_EQ(rig.flow.review().kind, WriteReview::Kind::Unsettled);
}

// A radio holding channel 120 at 435 MHz, outside the band, as some are.
void loadOutOfBandChannel(tarnsim::SimulatedRadio& radio) {
    test::loadChannels(radio, {{1, "446.00625"}, {120, "435.00000", "FAR"}});
}

TEST(WriteFlow, ATableReadFromTheRadioCanAlwaysBeWrittenBack) {
    ChannelFlow rig({}, {ReviewAnswer::Write});
    loadOutOfBandChannel(rig.bench.sim.radio);
    ASSERT_TRUE(rig.read());
    EXPECT_EQ(rig.write(), WriteOutcome::Verified);
    ASSERT_EQ(rig.bench.reviews.size(), 1u);
    EXPECT_EQ(rig.bench.reviews[0].kind, WriteReview::Kind::NoChanges);
    EXPECT_EQ(rig.bench.reviews[0].warnings,
              std::vector<std::string>{
                  "channel 120: 435.00000 MHz is outside 440-451 MHz; the radio already holds it"});
    EXPECT_EQ(rig.radioCell(1, 120), "435.00000");
    EXPECT_EQ(rig.radioCell(12, 120), "FAR");

    // A frequency outside the band that the radio does not hold is still refused.
    rig.table.setCell(2, 120, "436.00000");
    const std::size_t before = rig.bench.sim.dialogs.messages().size();
    EXPECT_EQ(rig.write(), WriteOutcome::Refused);
    const std::vector<std::string> told = rig.bench.sim.dialogs.messages();
    ASSERT_EQ(told.size(), before + 1);
    EXPECT_EQ(rig.bench.sim.dialogs.warnings().back(), told.back());  // a refusal
    EXPECT_NE(told.back().find("channel 120"), std::string::npos) << told.back();
    EXPECT_NE(told.back().find("\"436.00000\" is outside 440-451 MHz"), std::string::npos) << told.back();
}

TEST(WriteFlow, WhatTheRadioHoldsIsLookedAtBeforeAnOutOfBandChannelIsRefused) {
    ChannelFlow rig({}, {ReviewAnswer::ReadFirst, ReviewAnswer::Write});
    loadOutOfBandChannel(rig.bench.sim.radio);
    // The table of a file: the same channels, nothing known of the radio.
    rig.table.setCell(1, 120, "435.00000");
    rig.table.setCell(2, 120, "435.00000");
    rig.table.setCell(12, 120, "FAR");
    rig.table.setCell(1, 1, "446.00625");
    rig.table.setCell(2, 1, "446.00625");
    EXPECT_EQ(rig.write({true, false}), WriteOutcome::Written);
    ASSERT_EQ(rig.bench.reviews.size(), 2u);
    EXPECT_EQ(rig.bench.reviews[0].kind, WriteReview::Kind::Unknown);
    EXPECT_EQ(rig.bench.reviews[1].warnings.size(), 1u);

    // Without a review nothing may settle it: refused before the radio is reached.
    ChannelFlow blind;
    loadOutOfBandChannel(blind.bench.sim.radio);
    blind.table = rig.table;
    EXPECT_EQ(blind.write({false, false}), WriteOutcome::Refused);
    EXPECT_EQ(blind.bench.sim.radio.radio().sessionsHeard(), 0);
}

// The settings window's model on a flow.
struct SettingsFlow {
    SettingsFlow(std::vector<tarnsim::SimFault> faults = {}, std::deque<ReviewAnswer> answers = {})
        : bench(std::move(faults), std::move(answers)) {}

    FlowBench bench;
    SettingsForm form{bench.strings};
    SettingsCommands commands{form, bench.session, bench.sim.link};
    NoDocumentDialogs documents;
    SettingsDocument document{form, commands, bench.session, documents};
    SettingsWriteSubject subject{form, commands, document};
    WriteFlow flow{subject, bench.knowledge, bench.sim.link, bench.frontEnd()};

    WriteOutcome write(WriteOptions options = {}, std::optional<StopAt> stop = std::nullopt) {
        BlockingTransferHost host = bench.hostStopping(flow, stop);
        return flow.write(host, options);
    }
};

TEST(WriteFlow, SettingsGoTheSameWay) {
    const struct Case {
        const char* name;
        const char* fault;
        std::optional<StopAt> stop;
        WriteOutcome outcome;
        State knows;
        const char* message;
        const char* status;
    } cases[] = {
        {"verified", nullptr, {}, WriteOutcome::Verified, State::Known, "Translate data complete!",
         "Written and verified"},
        {"verify differs", "corrupt:0x0E24", {}, WriteOutcome::VerifyDiffers, State::Known,
         "The radio does not hold the settings that were written. 1 setting(s) differ:\n"
         "Ssquelch Leverl: wrote 3, radio holds 2",
         ""},
        {"stopped before the block", nullptr, StopAt{kSettingsProgressSteps, 1}, WriteOutcome::Stopped,
         State::Known, "The transfer was stopped before anything was sent.", ""},
        {"verify's own link failure", "no-reply:3@3", {}, WriteOutcome::NotVerified, State::Known,
         "Written, but not verified: Connect Crc faild code:(3)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFlow rig(c.fault != nullptr ? test::faults({c.fault}) : std::vector<tarnsim::SimFault>{},
                         {ReviewAnswer::Write});
        BlockingTransferHost readHost;
        ASSERT_TRUE(rig.flow.read(readHost));
        rig.form.userSelect("ComboBox4", 3);  // squelch 3
        EXPECT_EQ(rig.write(WriteOptions{}, c.stop), c.outcome);
        ASSERT_EQ(rig.bench.reviews.size(), 1u);
        EXPECT_EQ(rig.bench.reviews[0].changes.size(), 1u);
        EXPECT_EQ(rig.bench.knowledge.state(), c.knows);
        const std::vector<std::string> told = rig.bench.sim.dialogs.messages();
        ASSERT_FALSE(told.empty());
        EXPECT_TRUE(startsWith(told.back(), c.message)) << told.back();
        EXPECT_EQ(rig.bench.status, c.status);
        EXPECT_FALSE(rig.bench.sim.link.isOpen());
    }
}

}  // namespace
}  // namespace lumo
