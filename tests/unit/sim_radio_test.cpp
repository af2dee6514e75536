#include <gtest/gtest.h>

#include "sim/radio_fleet.h"
#include "sim/tarn_radio.h"

namespace tarnsim {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kHello{0x51, 0x5A, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};
const Bytes kIdentity{0x06, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};

// Feeds bytes and collects everything the radio answers.
Bytes feed(TarnRadio& radio, const Bytes& bytes, bool* hungUp = nullptr) {
    Bytes out;
    for (const std::uint8_t b : bytes) {
        const auto reply = radio.receive(b, TarnRadio::Clock::now());
        out.insert(out.end(), reply.bytes.begin(), reply.bytes.end());
        if (reply.hangUp && hungUp != nullptr) {
            *hungUp = true;
        }
    }
    return out;
}

Bytes handshake(TarnRadio& radio) {
    Bytes out = feed(radio, kHello);
    const Bytes identity = feed(radio, {0x02});
    out.insert(out.end(), identity.begin(), identity.end());
    return out;
}

SimFault fault(const std::string& faultText) {
    std::string error;
    const auto parsed = parseFault(faultText, error);
    EXPECT_TRUE(parsed) << error;
    return parsed.value_or(SimFault{});
}

TEST(TarnRadio, AnswersHandshakeReadAndWriteFrames) {
    TarnRadio radio({});
    Bytes image(0x2000);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7);
    }
    radio.loadMemory(image);

    Bytes expected{0x06};
    expected.insert(expected.end(), kIdentity.begin(), kIdentity.end());
    EXPECT_EQ(handshake(radio), expected);
    EXPECT_EQ(feed(radio, {0x06}), Bytes{0x06});

    const Bytes first = feed(radio, {0x52, 0x00, 0x10, 0x40});
    ASSERT_EQ(first.size(), 68u);
    EXPECT_EQ(Bytes(first.begin() + 4, first.end()), Bytes(image.begin() + 0x10, image.begin() + 0x50));
    const Bytes second = feed(radio, {0x52, 0x00, 0x10, 0x40});
    EXPECT_NE(Bytes(first.begin(), first.begin() + 4), Bytes(second.begin(), second.begin() + 4))
        << "header bytes must vary";

    Bytes write{0x57, 0x0E, 0x20, 0x03, 0xAA, 0x06, 0x52};
    EXPECT_EQ(feed(radio, write), Bytes{0x06});
    const Bytes memory = radio.memory();
    EXPECT_EQ(Bytes(memory.begin() + 0x0E20, memory.begin() + 0x0E23), (Bytes{0xAA, 0x06, 0x52}));
    EXPECT_EQ(memory[0x2000], 0xFF);

    // The next program's hello, which holds an 'R', starts a new session cleanly.
    EXPECT_EQ(feed(radio, kHello), Bytes{0x06});
}

TEST(TarnRadio, IgnoresBootHellosAndHonoursFaults) {
    TarnRadio booting({.bootHellos = 2});
    EXPECT_TRUE(feed(booting, kHello).empty());
    EXPECT_TRUE(feed(booting, kHello).empty());
    EXPECT_EQ(feed(booting, kHello), Bytes{0x06});

    TarnRadio wrong({.faults = {fault("wrong-identity")}});
    const Bytes reply = handshake(wrong);
    ASSERT_EQ(reply.size(), 9u);
    EXPECT_EQ(reply.back(), 0x34);

    // Exchange 1 answered, 2 short, 3 noisy, 4 silent in session 1 only, 5 hangs up.
    TarnRadio faulty({.faults = {fault("short:2:30"), fault("noise:3:4"), fault("no-reply:4@1"),
                                 fault("hangup:5")}});
    handshake(faulty);
    EXPECT_EQ(feed(faulty, {0x06}), Bytes{0x06});
    EXPECT_EQ(feed(faulty, {0x52, 0x00, 0x10, 0x40}).size(), 30u);
    EXPECT_EQ(feed(faulty, {0x06}), (Bytes{0x15, 0x15, 0x15, 0x15, 0x06}));
    EXPECT_TRUE(feed(faulty, {0x06}).empty());
    bool hungUp = false;
    feed(faulty, {0x06}, &hungUp);
    EXPECT_TRUE(hungUp);

    TarnRadio silentOnce({.faults = {fault("silent@1")}});
    EXPECT_TRUE(feed(silentOnce, kHello).empty());
    EXPECT_EQ(feed(silentOnce, kHello), Bytes{0x06});
}

TEST(SimFault, RejectsMalformedSpecs) {
    for (const std::string faultText : {"loud", "short", "short:x", "hangup:0", "no-ack:1:2", "silent:3",
                                   "noise:2@0", "noise:2@"}) {
        std::string error;
        EXPECT_FALSE(parseFault(faultText, error)) << faultText;
        EXPECT_FALSE(error.empty());
    }
}

TEST(RadioFleet, EachRadioStartsAlikeAndTakesOnlyItsOwnFaults) {
    std::string error;
    const struct {
        const char* text;
        int radio;  // -1: refused
    } cases[] = {{"corrupt:0x0020%2", 2}, {"silent", 0}, {"no-reply:3@2%4", 4},
                 {"silent%0", -1},        {"silent%", -1}, {"silent%x", -1},
                 {"bogus%2", -1}};
    for (const auto& c : cases) {
        const auto parsed = parseFleetFault(c.text, error);
        EXPECT_EQ(parsed ? parsed->radio : -1, c.radio) << c.text;
    }

    const Bytes image(0x100, 0x11);
    RadioFleet fleet(3, image, {}, {*parseFleetFault("corrupt:0x0020%2", error)});
    ASSERT_EQ(fleet.count(), 3);
    EXPECT_EQ(fleet.current(), 1);
    for (int number = 1; number <= 3; ++number) {
        TarnRadio& radio = fleet.radio(number);
        EXPECT_EQ(radio.memory()[0x20], 0x11);
        handshake(radio);
        feed(radio, {0x57, 0x00, 0x20, 0x01, 0x40});
        EXPECT_EQ(radio.memory()[0x20], number == 2 ? 0x41 : 0x40) << "radio " << number;
    }
}

}  // namespace
}  // namespace tarnsim
