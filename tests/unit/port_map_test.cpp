#include "link/port_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lumo {
namespace {

namespace fs = std::filesystem;

TEST(PortMap, ReadsComNumbersInAnyCase) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"com1", 1}, {"COM9", 9}, {"Com12", 12}, {"com0", std::nullopt},
        {"com", std::nullopt}, {"com1x", std::nullopt}, {"tty1", std::nullopt},
    };
    for (const auto& [name, number] : cases) {
        EXPECT_EQ(comNumber(name), number) << name;
    }
}

TEST(PortMap, ResolvesPathsPinsAndPresentPorts) {
    PortMap map({{"ttyACM0", "/dev/ttyACM0", ""},
                 {"ttyUSB0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-Prolific-if00"}});
    map.pin(3, "/dev/pts/7");
    EXPECT_EQ(map.resolve("/dev/ttyS4"), "/dev/ttyS4");
    EXPECT_EQ(map.resolve("com1"), "/dev/ttyACM0");
    EXPECT_EQ(map.resolve("COM2"), "/dev/serial/by-id/usb-Prolific-if00");
    EXPECT_EQ(map.resolve("com3"), "/dev/pts/7");
    EXPECT_EQ(map.resolve("com4"), std::nullopt);
    EXPECT_EQ(map.resolve("ttyUSB0"), std::nullopt);
}

TEST(PresentPorts, ListsDevicesAndSkipsUnusedUartsAndVirtualTerminals) {
    const fs::path root = fs::temp_directory_path() / ("lumo-sys-" + std::to_string(getpid()));
    fs::remove_all(root);
    auto makeTty = [&](const std::string& name, bool device, const char* type) {
        fs::create_directories(root / "class" / name);
        if (device) {
            fs::create_directories(root / "class" / name / "device");
        }
        if (type != nullptr) {
            std::ofstream(root / "class" / name / "type") << type << "\n";
        }
    };
    makeTty("ttyUSB0", true, nullptr);
    makeTty("ttyS0", true, "4");
    makeTty("ttyS1", true, "0");
    makeTty("tty1", false, nullptr);
    makeTty("ttyACM0", true, nullptr);

    const auto ports = listPresentPorts(root / "class", "/dev", root / "no-by-id");
    std::vector<std::string> names;
    for (const auto& port : ports) {
        names.push_back(port.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ttyACM0", "ttyS0", "ttyUSB0"}));
    EXPECT_EQ(ports[0].path, "/dev/ttyACM0");
    fs::remove_all(root);
}

}  // namespace
}  // namespace lumo
