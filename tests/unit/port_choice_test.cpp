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

TEST(PortAssignments, GiveDevicesStableNumbersAndHonourPins) {
    MemorySettingsStore store;
    store.setValue("PortMap/com1", "/dev/null");  // pinned by hand to a device that exists
    const std::vector<PresentPort> present = {
        {"ttyUSB0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-A"},
        {"ttyACM0", "/dev/ttyACM0", ""},
    };
    {
        PortAssignments first(store, present);
        EXPECT_EQ(first.deviceFor(2), "/dev/serial/by-id/usb-A");
        EXPECT_EQ(first.deviceFor(3), "/dev/ttyACM0");
        EXPECT_EQ(first.portMap().resolve("com1"), "/dev/null");
        // Only devices that exist count as present; these test devices do not.
        EXPECT_EQ(first.presentNames(), std::vector<std::string>{"com1"});
    }
    // Next run the ACM device is alone: it keeps com3.
    PortAssignments second(store, {present[1]});
    EXPECT_EQ(second.deviceFor(3), "/dev/ttyACM0");
    EXPECT_EQ(second.deviceFor(2), "/dev/serial/by-id/usb-A");
    EXPECT_EQ(store.keysIn("PortMap"), (std::vector<std::string>{"com1", "com2", "com3"}));
}

}  // namespace
}  // namespace lumo
