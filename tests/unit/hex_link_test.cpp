#include "link/hex_link.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"
#include "tests/support/scripted_port.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ScriptedDialogs;
using test::ScriptedPort;

const Bytes kHello{0x51, 0x5A, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};
const Bytes kIdentity{0x06, 0x4B, 0x45, 0x52, 0x56, 0x4F, 0x42, 0x33};

// A link over a scripted line: every open hands out a port on the same shared queues.
struct ScriptedLink {
    explicit ScriptedLink(std::deque<bool> answers = {}) : dialogs(std::move(answers)) {}

    void incoming(const Bytes& bytes) {
        line->incoming.insert(line->incoming.end(), bytes.begin(), bytes.end());
    }

    std::shared_ptr<ScriptedPort::Shared> line = std::make_shared<ScriptedPort::Shared>();
    int opens = 0;
    bool refuseOpen = false;
    ScriptedDialogs dialogs;
    HexLink link{[this](const std::string&, OpenFailure& why) -> PortHolder {
                     ++opens;
                     if (refuseOpen) {
                         why = describeOpenFailure("/dev/ttyUSB0", EACCES);
                         return nullptr;
                     }
                     line->closed = false;
                     return std::make_unique<ScriptedPort>(line);
                 },
                 dialogs};
};

TEST(HexLink, ReceiveHexGivesUpperCaseTextWithTrailingBlank) {
    ScriptedLink s;
    ASSERT_TRUE(s.link.OpenLinkPort("com1"));
    s.incoming({0x06, 0x0A, 0xFF});
    std::string text;
    EXPECT_TRUE(s.link.ReceiveHex(text, 3));
    EXPECT_EQ(text, "06 0A FF ");

    s.incoming({0x4B});
    EXPECT_FALSE(s.link.ReceiveHex(text, 2));
    EXPECT_EQ(text, "4B ");
    EXPECT_EQ(s.dialogs.messages(), std::vector<std::string>{"Error port operate out!"});
    EXPECT_FALSE(s.link.isOpen());
}

TEST(HexLink, ExpectHexSkipsOtherBytesAndReportsItsCode) {
    ScriptedLink s;
    ASSERT_TRUE(s.link.OpenLinkPort("com1"));
    s.incoming({0x15, 0x15, 0x06, 0x42});
    EXPECT_TRUE(s.link.ExpectHex("06 ", 0));
    EXPECT_EQ(s.line->incoming.size(), 1u);  // stopped right after the 0x06

    s.line->incoming.clear();
    EXPECT_FALSE(s.link.ExpectHex("06 ", 0));
    EXPECT_FALSE(s.link.isOpen());
    EXPECT_TRUE(s.dialogs.messages().empty());

    ASSERT_TRUE(s.link.OpenLinkPort("com1"));
    EXPECT_FALSE(s.link.ExpectHex("06 ", 3));
    EXPECT_EQ(s.dialogs.messages(), std::vector<std::string>{"Connect Crc faild code:(3)"});
}

TEST(HexLink, SendHexRefusesTextsThatOverflowTheCommandBuffer) {
    ScriptedLink s;
    ASSERT_TRUE(s.link.OpenLinkPort("com1"));
    std::string text;
    for (int i = 0; i < 261; ++i) {
        text += "57 ";
    }
    EXPECT_THROW(s.link.SendHex(text), HexTextError);
    EXPECT_TRUE(s.line->written.empty());
    EXPECT_TRUE(s.link.SendHex("57 0E 20 10"));
    EXPECT_EQ(s.line->written, (Bytes{0x57, 0x0E, 0x20, 0x10}));
}

TEST(HexLink, ReadsBlocksInPiecesOfOneReply) {
    auto line = std::make_shared<ScriptedPort::Shared>();
    line->incoming.assign(200, 0xAB);
    ScriptedPort port(line);
    Bytes buffer(200);
    EXPECT_TRUE(ReadSerialBlock(&port, buffer));
    EXPECT_EQ(line->readRequests, (std::vector<std::size_t>{68, 68, 64}));
}

Bytes handshakeReplies(const Bytes& identity) {
    Bytes bytes{0x06};
    bytes.insert(bytes.end(), identity.begin(), identity.end());
    bytes.push_back(0x06);
    return bytes;
}

TEST(Handshake, SendsHelloStartAndAcknowledgement) {
    ScriptedLink s;
    s.incoming(handshakeReplies(kIdentity));
    EXPECT_TRUE(s.link.ConnectRadio("com1"));
    Bytes expected = kHello;
    expected.push_back(0x02);
    expected.push_back(0x06);
    EXPECT_EQ(s.line->written, expected);
    EXPECT_TRUE(s.link.isOpen());
    EXPECT_FALSE(s.link.FirstConnect);
}

TEST(Handshake, WithoutAckAfterHandshakeReadsOneByteInstead) {
    ScriptedLink s;
    s.link.AckAfterHandshake = false;
    Bytes replies{0x06};
    replies.insert(replies.end(), kIdentity.begin(), kIdentity.end());
    s.incoming(replies);
    EXPECT_TRUE(s.link.ConnectRadio("com1"));
    Bytes expected = kHello;
    expected.push_back(0x02);
    EXPECT_EQ(s.line->written, expected);
    EXPECT_TRUE(s.link.AckAfterHandshake) << "a silent radio turns the flag back on";

    s.link.AckAfterHandshake = false;
    s.incoming(replies);
    s.incoming({0x99});
    EXPECT_TRUE(s.link.ConnectRadio("com1"));
    EXPECT_FALSE(s.link.AckAfterHandshake);
}

TEST(Handshake, IncompleteIdentityAsksToTryAgain) {
    ScriptedLink s({true});
    s.incoming({0x06, 0x06, 0x4B, 0x45});  // first attempt: identity cut short
    EXPECT_FALSE(s.link.ConnectRadio("com1"));
    EXPECT_EQ(s.opens, 2);
    EXPECT_EQ(s.dialogs.messages(),
              (std::vector<std::string>{"Error port operate out!",
                                        "Device unconnect or device on booting,please wait a "
                                        "minute,then try again!"}));
    EXPECT_EQ(s.dialogs.questions(), std::vector<std::string>{"Device no connect,Try again?"});
    EXPECT_FALSE(s.link.isOpen());
}

TEST(Handshake, OpenFailureOffersRetryWithTheSystemReason) {
    ScriptedLink s({true, false});
    s.refuseOpen = true;
    EXPECT_FALSE(s.link.ConnectRadio("com1"));
    EXPECT_EQ(s.opens, 2);
    EXPECT_EQ(s.dialogs.questions(),
              (std::vector<std::string>{"Open port faild!", "Open port faild!"}));
    EXPECT_NE(s.dialogs.details()[0].find("Permission denied"), std::string::npos);
}

}  // namespace
}  // namespace lumo
