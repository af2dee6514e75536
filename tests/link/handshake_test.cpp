// The handshake over a real pty against the simulated radio.
#include <gtest/gtest.h>

#include "sim/sim_fault.h"
#include "tests/support/link_fixture.h"

namespace lumo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::SimLink;

const std::string kUnconnect =
    "Device unconnect or device on booting,please wait a minute,then try again!";

tarnsim::SimFault fault(const std::string& faultText) {
    std::string error;
    return tarnsim::parseFault(faultText, error).value();
}

TEST(HandshakeOverPty, ConnectsAndClosesWithoutLeaks) {
    SimLink sim;
    const int before = test::openDescriptorCount();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(sim.connect());
        ASSERT_TRUE(sim.link.isOpen());
        sim.link.CloseLinkPort();
    }
    EXPECT_EQ(test::openDescriptorCount(), before);
    EXPECT_EQ(sim.radio.radio().sessionsHeard(), 3);
    EXPECT_TRUE(sim.dialogs.messages().empty());
}

TEST(HandshakeOverPty, FirstConnectMakesOneAttemptLaterOnesFive) {
    SimLink booting({.bootHellos = 100});
    EXPECT_FALSE(booting.connect());
    EXPECT_EQ(booting.dialogs.messages(), std::vector<std::string>{kUnconnect});
    EXPECT_FALSE(booting.link.isOpen());

    // After one success, a radio that needs four more hellos is reached on the fifth.
    SimLink later({.bootHellos = 4});
    later.link.FirstConnect = false;
    const auto start = Clock::now();
    EXPECT_TRUE(later.connect());
    EXPECT_GE(Clock::now() - start, 4 * 88ms);
    later.link.CloseLinkPort();

    SimLink never({.bootHellos = 5});
    never.link.FirstConnect = false;
    EXPECT_FALSE(never.connect());
    EXPECT_EQ(never.dialogs.messages(), std::vector<std::string>{kUnconnect});
    EXPECT_EQ(never.radio.radio().sessionsHeard(), 0);
}

TEST(HandshakeOverPty, WrongIdentityShowsBothTexts) {
    SimLink sim({.faults = {fault("wrong-identity")}}, {true});
    const int before = test::openDescriptorCount();
    EXPECT_FALSE(sim.connect());
    const std::string box =
        "Data Crc Faild,\r\n|06 4B 45 52 56 4F 42 34 |\r\n|06 4B 45 52 56 4F 42 33|1";
    EXPECT_EQ(sim.dialogs.questions(), (std::vector<std::string>{box, box}));
    EXPECT_EQ(sim.radio.radio().sessionsHeard(), 2);  // Yes tried once more
    EXPECT_FALSE(sim.link.isOpen());
    EXPECT_EQ(test::openDescriptorCount(), before);
}

TEST(HandshakeOverPty, MissingFinalAcknowledgementReportsCodeOne) {
    SimLink sim({.faults = {fault("no-ack:1")}});
    EXPECT_FALSE(sim.connect());
    EXPECT_EQ(sim.dialogs.messages(), std::vector<std::string>{"Connect Crc faild code:(1)"});
    EXPECT_FALSE(sim.link.isOpen());
    EXPECT_TRUE(sim.link.FirstConnect);
}

TEST(HandshakeOverPty, NoiseBeforeTheAcknowledgementIsSkipped) {
    SimLink sim({.faults = {fault("noise:1:20")}});
    EXPECT_TRUE(sim.connect());
}

TEST(HandshakeOverPty, BabblingLineEndsLikeASilentOne) {
    // Over five seconds of noise on a paced line before the acknowledgement.
    SimLink sim({.faults = {fault("noise:1:5000")}}, {}, test::shortLinkTimings(), true);
    const auto start = Clock::now();
    EXPECT_FALSE(sim.connect());
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(sim.dialogs.messages(), std::vector<std::string>{"Connect Crc faild code:(1)"});
}

TEST(HandshakeOverPty, LineHangingUpFailsAtOnce) {
    SimLink sim({.faults = {fault("hangup:1")}}, {}, LinkTimings{});
    const auto start = Clock::now();
    EXPECT_FALSE(sim.connect());
    EXPECT_LT(Clock::now() - start, 1s);  // a silent line would take 1.1 s
    EXPECT_EQ(sim.dialogs.messages(), std::vector<std::string>{"Connect Crc faild code:(1)"});
    EXPECT_FALSE(sim.link.isOpen());
}

TEST(HandshakeOverPty, SwitchedOffRadioTakesTheRealTimeout) {
    SimLink sim({.faults = {fault("silent")}}, {}, LinkTimings{});
    const auto start = Clock::now();
    EXPECT_FALSE(sim.connect());
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 1100ms);
    EXPECT_LT(took, 1800ms);
    EXPECT_EQ(sim.dialogs.messages(), std::vector<std::string>{kUnconnect});
}

}  // namespace
}  // namespace lumo
