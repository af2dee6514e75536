// The settings read and write over a real pty against the simulated radio.
#include "settings/settings_transfer.h"

#include <gtest/gtest.h>

#include "settings/settings_bytes.h"
#include "settings/settings_commands.h"
#include "sim/sim_fault.h"
#include "tests/support/link_fixture.h"
#include "tests/support/sim_radio_setup.h"

namespace lumo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;
using test::SimLink;

const std::string kUnconnect =
    "Device unconnect or device on booting,please wait a minute,then try again!";
const std::string kPortOut = "Error port operate out!";
const std::string kNoAck3 = "Connect Crc faild code:(3)";
// Far beyond any settings transfer on the short time-outs: only a hang gets there.
constexpr auto kNoHang = 5s;

// What the radio holds at 0x0E20..0x0E2F in these tests: every field set, the reserved
// bytes not zero, the timer beyond its list.
const Bytes kRadioSettings{0x05, 0x03, 0x07, 0xAA, 0x07, 0x01, 0x09, 0x01,
                           0x03, 0x0F, 0x02, 0x01, 0x00, 0x0D, 0x04, 0xBB};
// The same as the controls write it back.
const Bytes kWrittenBack{0x05, 0x03, 0x07, 0x00, 0x07, 0x01, 0x09, 0x01,
                         0x01, 0x0F, 0x02, 0x01, 0x00, 0xFF, 0x04, 0x00};

using test::faults;

Bytes imageWithSettings() {
    Bytes image(0x1000, 0x3C);
    std::copy(kRadioSettings.begin(), kRadioSettings.end(), image.begin() + kSettingsAddress);
    return image;
}

Bytes radioSettings(tarnsim::SimulatedRadio& radio) {
    const Bytes memory = radio.radio().memory();
    return {memory.begin() + kSettingsAddress,
            memory.begin() + kSettingsAddress + static_cast<long>(kSettingsLength)};
}

// A simulated radio holding kRadioSettings, a fresh settings form, and the progress
// positions a transfer reports.
struct SettingsSim {
    explicit SettingsSim(std::vector<tarnsim::SimFault> radioFaults = {}, bool pace = false)
        : sim({.faults = std::move(radioFaults)}, {}, test::shortLinkTimings(), pace) {
        sim.radio.radio().loadMemory(imageWithSettings());
    }

    TransferProgress recorder() {
        return [this](int position, int maximum) {
            EXPECT_EQ(maximum, 6);
            positions.push_back(position);
        };
    }
    bool read() { return ReadDuneArea(sim.link, form, recorder()); }
    bool write() { return WriteDuneArea(sim.link, form, recorder()); }

    SimLink sim;
    SettingsForm form;
    std::vector<int> positions;
};

TEST(SettingsTransfer, ReadAndWriteRoundTrip) {
    SettingsSim s;
    const int descriptors = test::openDescriptorCount();
    ASSERT_TRUE(s.read());
    EXPECT_EQ(s.positions, (std::vector<int>{1, 2, 3, 5, 6}));
    EXPECT_EQ(s.form.control("ComboBox1").selectedText(), "5");
    EXPECT_EQ(s.form.control("ComboBox2").selectedText(), "3");  // both tones, as read
    EXPECT_EQ(s.form.control("ComboBox3").selectedText(), "7");
    EXPECT_EQ(s.form.control("ComboBox11").selectedText(), "");  // the empty tenth entry
    EXPECT_EQ(s.form.control("ComboBox10").itemIndex, -1);
    EXPECT_TRUE(s.form.control("CheckBox1").checked);
    EXPECT_EQ(s.form.radioBytes(), kWrittenBack);

    s.positions.clear();
    s.form.userSelect("ComboBox7", 4);
    ASSERT_TRUE(s.write());
    EXPECT_EQ(s.positions, (std::vector<int>{1, 3, 5, 6}));
    Bytes expected = kWrittenBack;
    expected[0x0E29 - kSettingsAddress] = 0x04;
    EXPECT_EQ(radioSettings(s.sim.radio), expected);
    const Bytes memory = s.sim.radio.radio().memory();
    EXPECT_EQ(memory[kSettingsAddress - 1], 0x3C);  // nothing beyond the block
    EXPECT_EQ(memory[kSettingsAddress + kSettingsLength], 0x3C);

    EXPECT_TRUE(s.sim.dialogs.messages().empty());
    EXPECT_FALSE(s.sim.link.isOpen());
    EXPECT_EQ(test::openDescriptorCount(), descriptors);
    EXPECT_EQ(s.sim.radio.radio().sessionsHeard(), 2);
}

TEST(SettingsTransfer, ReadReconnectsOnceWhenTheReplyDoesNotArrive) {
    // Session 1: exchange 1 is the handshake's acknowledgement, 2 the read. The
    // reconnect ends its handshake without an acknowledgement, so there the read is 1.
    SettingsSim once(faults({"no-reply:2@1"}));
    EXPECT_TRUE(once.read());
    EXPECT_EQ(once.sim.dialogs.messages(), Texts{kPortOut});
    EXPECT_EQ(once.sim.radio.radio().sessionsHeard(), 2);
    EXPECT_EQ(once.form.radioBytes(), kWrittenBack);

    SettingsSim twice(faults({"no-reply:2@1", "short:1:30@2"}));
    const Control before = twice.form.body();
    EXPECT_FALSE(twice.read());
    EXPECT_EQ(twice.sim.dialogs.messages(), (Texts{kPortOut, kPortOut}));
    EXPECT_EQ(twice.sim.radio.radio().sessionsHeard(), 2);
    EXPECT_EQ(twice.form.body(), before);
    EXPECT_FALSE(twice.sim.link.isOpen());
}

// Every broken link, for both transfers: the exact texts, the port closed, nothing
// leaked, no hang, and after a failed read the controls as they were.
TEST(SettingsTransfer, BrokenLinksFailCleanly) {
    struct Case {
        bool reading;
        std::initializer_list<const char*> radioFaults;
        bool pace;
        bool succeeds;
        Texts messages;
        Texts questions;
    };
    const Case cases[] = {
        {true, {"silent"}, false, false, {kUnconnect}, {}},
        {true, {"no-reply:3"}, false, false, {kNoAck3}, {}},
        {true, {"hangup:3"}, false, false, {kNoAck3}, {}},
        {true, {"short:2:67@1", "no-reply:1@2"}, false, false, {kPortOut, kPortOut}, {}},
        // The line vanishes mid-reply; the reconnect then finds no port.
        {true, {"hangup:2"}, false, false, {kPortOut}, {"Open port faild!"}},
        {true, {"noise:3:20"}, false, true, {}, {}},
        {true, {"noise:3:5000"}, true, false, {kNoAck3}, {}},
        {false, {"silent"}, false, false, {kUnconnect}, {}},
        {false, {"no-reply:2"}, false, false, {kNoAck3}, {}},
        {false, {"short:2:0"}, false, false, {kNoAck3}, {}},
        {false, {"hangup:2"}, false, false, {kNoAck3}, {}},
        {false, {"noise:2:20"}, false, true, {}, {}},
        {false, {"noise:2:5000"}, true, false, {kNoAck3}, {}},
        {false, {"no-reply:1"}, false, false, {"Connect Crc faild code:(1)"}, {}},
    };
    for (const Case& c : cases) {
        std::string name = c.reading ? "read" : "write";
        for (const char* faultText : c.radioFaults) {
            name += std::string(" ") + faultText;
        }
        SCOPED_TRACE(name);
        const int descriptors = test::openDescriptorCount();
        {
            SettingsSim s(faults(c.radioFaults), c.pace);
            s.form.userSelect("ComboBox4", 2);
            const Control before = s.form.body();
            const auto start = Clock::now();
            EXPECT_EQ(c.reading ? s.read() : s.write(), c.succeeds);
            EXPECT_LT(Clock::now() - start, kNoHang);
            EXPECT_EQ(s.sim.dialogs.messages(), c.messages);
            EXPECT_EQ(s.sim.dialogs.questions(), c.questions);
            EXPECT_FALSE(s.sim.link.isOpen());
            if (c.reading && !c.succeeds) {
                EXPECT_EQ(s.form.body(), before);
            }
            if (c.succeeds) {
                EXPECT_EQ(c.reading ? s.form.radioBytes() : radioSettings(s.sim.radio),
                          c.reading ? kWrittenBack : s.form.radioBytes());
            }
        }
        EXPECT_EQ(test::openDescriptorCount(), descriptors);
    }
}

TEST(SettingsCommands, ReadAndWriteHoldBusyAndSayWhenDone) {
    SettingsSim s;
    LanguageStrings strings;
    Session session(strings);
    SettingsCommands commands(s.form, session, s.sim.link);
    std::vector<bool> busyWhileChanging;
    s.form.setChangeListener([&] { busyWhileChanging.push_back(session.Busy); });

    EXPECT_TRUE(commands.read());
    EXPECT_FALSE(session.Busy);
    EXPECT_EQ(s.form.control("ProgressBar1").position, 0);
    EXPECT_EQ(busyWhileChanging, std::vector<bool>(7, true));  // 5 steps, the bytes, back to 0
    EXPECT_TRUE(commands.write());
    EXPECT_EQ(s.sim.dialogs.messages(),
              (Texts{"Recive data complete!", "Translate data complete!"}));
    EXPECT_EQ(radioSettings(s.sim.radio), kWrittenBack);

    // A failure says only what the link said, and drops Busy too.
    SettingsSim silent(faults({"silent"}));
    SettingsCommands failing(silent.form, session, silent.sim.link);
    EXPECT_FALSE(failing.read());
    EXPECT_FALSE(session.Busy);
    EXPECT_EQ(silent.sim.dialogs.messages(), Texts{kUnconnect});
    EXPECT_EQ(silent.form.control("ProgressBar1").position, 0);

    // While Busy every command does nothing at all.
    session.Busy = true;
    const int sessions = s.sim.radio.radio().sessionsHeard();
    s.form.userSelect("ComboBox4", 1);
    const Control before = s.form.body();
    EXPECT_FALSE(commands.read());
    EXPECT_FALSE(commands.write());
    EXPECT_FALSE(commands.restoreDefaults());
    EXPECT_FALSE(commands.open("/nonexistent/s.optw"));
    EXPECT_FALSE(commands.save("/nonexistent/s.optw"));
    EXPECT_EQ(s.sim.radio.radio().sessionsHeard(), sessions);
    EXPECT_EQ(s.form.body(), before);
    EXPECT_EQ(s.sim.dialogs.messages().size(), 2u);
    EXPECT_TRUE(session.Busy);
}

}  // namespace
}  // namespace lumo
