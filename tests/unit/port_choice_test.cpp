#include "link/port_choice.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

namespace lumo {
namespace {

using Visible = std::array<bool, kPortItemCount>;

TEST(PortChoice, ChoosesTheSavedPresentPortOrFallsBack) {
    struct Case {
        std::vector<std::string> present;
        std::optional<std::string> saved;
        int checked;
    };
    const Case cases[] = {
        {{"COM1", "COM3"}, "2", 2},
        {{"COM3"}, "0", 2},
        {{"com12", "COM4"}, std::nullopt, 3},  // com12 has no item
        {{"Com4"}, "3", 3},                    // letter case does not matter
        {{}, "1", 8},                          // nothing present: the last item
        {{"COM2"}, "junk", 1},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.saved) {
            store.setValue(kPortSettingKey, *c.saved);
        }
        const int chosen = choosePortItem(ReadPortSetting(store), ListSerialPorts(c.present));
        EXPECT_EQ(chosen, c.checked) << "saved " << c.saved.value_or("none");
        // Showing the window never writes the choice.
        EXPECT_EQ(store.value(kPortSettingKey), c.saved);
    }
    EXPECT_EQ(ListSerialPorts({"COM1", "COM3"}),
              (Visible{true, false, true, false, false, false, false, false, false}));
    EXPECT_EQ(portHint(2), "com3");
}

TEST(PortChoice, ClickSavesThePositionInTheQtLayout) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("lumo-ini-" + std::to_string(getpid())) / "Vantor" / "Lumo.conf";
    {
        IniSettingsStore store(file);
        EXPECT_EQ(ReadPortSetting(store), 0);
        WritePortSetting(store, 1);
        store.setValue("PortMap/com2", "/dev/serial/by-id/usb-FTDI,odd name");
    }
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(text.find("[PortSet]\nportitm=1\n"), std::string::npos) << text;
    IniSettingsStore reread(file);
    EXPECT_EQ(ReadPortSetting(reread), 1);
    EXPECT_EQ(reread.value("PortMap/com2"), "/dev/serial/by-id/usb-FTDI,odd name");
    EXPECT_EQ(reread.keysIn("PortMap"), std::vector<std::string>{"com2"});
    std::filesystem::remove_all(file.parent_path().parent_path());
}

PresentPort usb(int n) {
    return {"ttyUSB" + std::to_string(n), "/dev/fake/ttyUSB" + std::to_string(n), ""};
}

TEST(PortAssignments, GiveDevicesStableNumbersAndHonourPins) {
    MemorySettingsStore store;
    store.setValue("PortPin/com1", "/dev/null");  // pinned by hand to a device that exists
    const std::vector<PresentPort> present = {
        {"ttyUSB0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-A"},
        {"ttyACM0", "/dev/ttyACM0", ""},
    };
    {
        PortAssignments first(store, present, 1000);
        EXPECT_EQ(first.deviceFor(2), "/dev/serial/by-id/usb-A");
        EXPECT_EQ(first.deviceFor(3), "/dev/ttyACM0");
        EXPECT_EQ(first.portMap().resolve("com1"), "/dev/null");
        EXPECT_EQ(first.presentNames(), (std::vector<std::string>{"com1", "com2", "com3"}));
        EXPECT_EQ(store.value("PortSeen/com3"), "1000");
    }
    // Next run the ACM device is alone: it keeps com3, and only its stamp moves on.
    PortAssignments second(store, {present[1]}, 5000);
    EXPECT_EQ(second.deviceFor(3), "/dev/ttyACM0");
    EXPECT_EQ(second.deviceFor(2), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(second.presentNames(), (std::vector<std::string>{"com1", "com3"}));
    EXPECT_EQ(store.value("PortSeen/com2"), "1000");
    EXPECT_EQ(store.value("PortSeen/com3"), "5000");
    EXPECT_EQ(store.keysIn("PortMap"), (std::vector<std::string>{"com2", "com3"}));
    EXPECT_FALSE(store.value("PortSeen/com1"));  // a pin carries no stamp
}

TEST(PortAssignments, ANewDeviceTakesTheNumberAbsentTheLongest) {
    // All nine numbers given out; com4 is pinned, com1 carries no stamp (an older
    // version wrote none) and counts as absent since ever.
    MemorySettingsStore store;
    const std::int64_t seen[] = {0, 900, 200, 50, 700, 600, 300, 800, 400};
    for (int n = 1; n <= 9; ++n) {
        store.setValue("PortMap/com" + std::to_string(n), usb(n).path);
        if (seen[n - 1] != 0) {
            store.setValue("PortSeen/com" + std::to_string(n), std::to_string(seen[n - 1]));
        }
    }
    store.setValue("PortPin/com4", "/nonexistent/pin");

    // Present: the devices of com2 and com5, and three never seen before.
    PortAssignments ports(store, {usb(2), usb(5), usb(10), usb(11), usb(12)}, 1000);
    EXPECT_EQ(ports.deviceFor(2), usb(2).path);   // present numbers stay
    EXPECT_EQ(ports.deviceFor(5), usb(5).path);
    EXPECT_EQ(ports.deviceFor(1), usb(10).path);  // no stamp: the oldest
    EXPECT_EQ(ports.deviceFor(3), usb(11).path);  // 200
    EXPECT_EQ(ports.deviceFor(7), usb(12).path);  // 300; com4 (50) is pinned
    EXPECT_EQ(ports.deviceFor(4), "/nonexistent/pin");
    EXPECT_EQ(store.value("PortMap/com7"), usb(12).path);
    EXPECT_EQ(store.value("PortSeen/com7"), "1000");
    EXPECT_EQ(ports.presentNames(), (std::vector<std::string>{"com1", "com2", "com3", "com5", "com7"}));
    EXPECT_TRUE(ports.unnumbered().empty());

    // Nine present or pinned devices: the tenth gets no number, and says so.
    std::vector<PresentPort> crowd;
    for (int n = 20; n < 29; ++n) {
        crowd.push_back(usb(n));
    }
    MemorySettingsStore full;
    full.setValue("PortPin/com9", "/dev/null");
    PortAssignments crowded(full, crowd, 1000);
    EXPECT_EQ(crowded.deviceFor(9), "/dev/null");
    EXPECT_EQ(crowded.deviceFor(8), usb(27).path);
    EXPECT_EQ(crowded.unnumbered(), std::vector<std::string>{usb(28).path});
}

TEST(PortAssignments, TheCommandLineChoosesAsTheWindowDoes) {
    struct Case {
        std::optional<std::string> saved;
        std::vector<PresentPort> present;
        std::string port;
    };
    const Case cases[] = {
        {"1", {usb(1), usb(2)}, "com2"},  // saved and present
        {"1", {usb(1)}, "com1"},          // saved but absent: the first present
        {std::nullopt, {usb(2)}, "com2"},
        {"4", {}, "com9"},                // nothing present
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        store.setValue("PortMap/com1", usb(1).path);
        store.setValue("PortMap/com2", usb(2).path);
        if (c.saved) {
            store.setValue(kPortSettingKey, *c.saved);
        }
        const PortAssignments ports(store, c.present, 1000);
        EXPECT_EQ(defaultPortName(store, ports), c.port) << "saved " << c.saved.value_or("none");
    }
}

}  // namespace
}  // namespace lumo
