#include "link/serial_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "sim/pty_line.h"
#include "tests/support/link_fixture.h"

namespace lumo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::shortTimeouts;

TEST(SerialPort, OpenFailsCleanlyWithTheReason) {
    const int before = test::openDescriptorCount();
    OpenFailure why;
    EXPECT_EQ(OpenSerialPort("/dev/no-such-tty", {}, &why), nullptr);
    EXPECT_EQ(why.error, ENOENT);
    EXPECT_FALSE(why.describe().empty());

    // A regular file is no serial device.
    char name[] = "/tmp/lumo-notatty-XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(OpenSerialPort(name, {}, &why), nullptr);
    EXPECT_EQ(why.error, ENOTTY);
    unlink(name);
    EXPECT_EQ(test::openDescriptorCount(), before);
}

TEST(SerialPort, SecondOpenOfTheSameDeviceFails) {
    tarnsim::PtyLine line;
    PortHolder first = OpenSerialPort(line.path());
    ASSERT_NE(first, nullptr);
    OpenFailure why;
    EXPECT_EQ(OpenSerialPort(line.path(), {}, &why), nullptr);
    EXPECT_EQ(why.error, EBUSY);
    CloseSerialPort(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_NE(OpenSerialPort(line.path()), nullptr);
}

TEST(SerialPort, AppliesTheRadioLineSetup) {
    tarnsim::PtyLine line;
    // Start from a cooked line with flow control, as a previous program may leave it.
    {
        const int fd = open(line.path().c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(fd, &tio);
        tio.c_lflag |= ICANON | ECHO | ISIG;
        tio.c_iflag |= IXON | IXOFF | ICRNL;
        tio.c_oflag |= OPOST;
        tio.c_cflag |= CRTSCTS | PARENB | CSTOPB;
        cfsetspeed(&tio, B115200);
        tcsetattr(fd, TCSANOW, &tio);
        close(fd);
    }
    PortHolder port = OpenSerialPort(line.path());
    ASSERT_NE(port, nullptr);
    termios tio{};
    ASSERT_EQ(tcgetattr(static_cast<SerialPort*>(port.get())->descriptor(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(cfgetospeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
}

TEST(SerialPort, ReadsEndOnTheTotalAndTheGapTimeouts) {
    tarnsim::PtyLine line;
    PortHolder port = OpenSerialPort(line.path(), shortTimeouts());
    ASSERT_NE(port, nullptr);

    // Only 30 of 68 bytes: the read ends on the gap after the last byte, keeping them.
    std::vector<std::uint8_t> sent(30);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<std::uint8_t>(i + 1);
    }
    ASSERT_EQ(write(line.master(), sent.data(), sent.size()), 30);
    std::vector<std::uint8_t> buffer(68, 0);
    const auto start = Clock::now();
    EXPECT_FALSE(ReadSerialBlock(port.get(), buffer));
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), buffer.begin()));

    // Bytes that arrive in two bursts closer than the gap make one read.
    std::thread sender([&] {
        const std::uint8_t a[3] = {1, 2, 3};
        (void)!write(line.master(), a, 3);
        std::this_thread::sleep_for(20ms);
        (void)!write(line.master(), a, 3);
    });
    std::uint8_t six[6] = {};
    EXPECT_TRUE(ReadSerialBlock(port.get(), six));
    sender.join();

    // Writes reach the other side whole.
    const std::uint8_t command[4] = {0x52, 0x0E, 0x00, 0x40};
    EXPECT_TRUE(WriteSerialBlock(port.get(), command));
    std::uint8_t got[4] = {};
    EXPECT_EQ(read(line.master(), got, 4), 4);
    EXPECT_EQ(std::memcmp(got, command, 4), 0);
}

TEST(SerialPort, SilentLineTimesOutAfterTheRealSingleByteBudget) {
    tarnsim::PtyLine line;
    PortHolder port = OpenSerialPort(line.path());
    ASSERT_NE(port, nullptr);
    std::uint8_t byte = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(ReadSerialByte(port.get(), byte));
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 1100ms);
    EXPECT_LT(took, 1600ms);
}

TEST(SerialPort, VanishedDeviceFailsAtOnce) {
    auto line = std::make_unique<tarnsim::PtyLine>();
    PortHolder port = OpenSerialPort(line->path());
    ASSERT_NE(port, nullptr);
    std::thread unplug([&] {
        std::this_thread::sleep_for(50ms);
        line->hangUp();
    });
    std::uint8_t buffer[68];
    const auto start = Clock::now();
    EXPECT_FALSE(ReadSerialBlock(port.get(), buffer));  // default budget would be 68 s
    unplug.join();
    EXPECT_LT(Clock::now() - start, 1s);
    // Later calls fail at once too.
    std::uint8_t byte = 0;
    EXPECT_FALSE(ReadSerialByte(port.get(), byte));
    EXPECT_FALSE(WriteSerialByte(port.get(), 0x06));
    EXPECT_LT(Clock::now() - start, 1s);
}

TEST(SerialPort, EmptyHolderDoesNothing) {
    PortHolder none;
    std::uint8_t byte = 0;
    EXPECT_FALSE(WriteSerialByte(none.get(), 1));
    EXPECT_FALSE(ReadSerialByte(none.get(), byte));
    EXPECT_FALSE(WriteSerialBlock(none.get(), std::span<const std::uint8_t>(&byte, 1)));
    EXPECT_FALSE(ReadSerialBlock(none.get(), std::span<std::uint8_t>(&byte, 1)));
    CloseSerialPort(none);
}

}  // namespace
}  // namespace lumo
