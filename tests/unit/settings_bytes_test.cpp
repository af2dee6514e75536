#include "settings/settings_bytes.h"

#include <gtest/gtest.h>

#include "settings/settings_form.h"
#include "settings/settings_transfer.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A radio block 0x0E20..0x0E2F with one byte changed from a plain valid block.
Bytes blockWith(std::size_t offset, std::uint8_t value) {
    Bytes block{0x01, 0x00, 0x01, 0x00, 0x05, 0x00, 0x04, 0x00,
                0x00, 0x0A, 0x05, 0x00, 0x00, 0x0C, 0x0C, 0x00};
    block[offset] = value;
    return block;
}

TEST(SettingsBytes, EachByteSelectsAndIsWrittenBack) {
    struct Case {
        std::uint16_t address;
        std::uint8_t read;
        const char* control;
        const char* shown;  // entry text, "(none)" without selection, or checked/unchecked
        std::uint8_t written;
    };
    const Case cases[] = {
        {0x0E20, 0x05, "ComboBox1", "5", 0x05},
        {0x0E20, 0x01, "ComboBox1", "1", 0x01},
        {0x0E20, 0x63, "ComboBox1", "99", 0x63},
        {0x0E20, 0x00, "ComboBox1", "(none)", 0x00},
        {0x0E20, 0x64, "ComboBox1", "(none)", 0x00},
        {0x0E20, 0xFF, "ComboBox1", "(none)", 0x00},
        {0x0E21, 0x00, "ComboBox2", "Off", 0x00},
        {0x0E21, 0x32, "ComboBox2", "50", 0x32},
        {0x0E21, 0x33, "ComboBox2", "(none)", 0xFF},
        {0x0E22, 0x68, "ComboBox3", "104", 0x68},
        {0x0E22, 0x69, "ComboBox3", "(none)", 0xFF},
        {0x0E24, 0x09, "ComboBox4", "9", 0x09},
        {0x0E24, 0x0A, "ComboBox4", "(none)", 0xFF},
        {0x0E25, 0x01, "ComboBox5", "ON", 0x01},
        {0x0E25, 0x02, "ComboBox5", "(none)", 0xFF},
        {0x0E26, 0x00, "ComboBox11", "b0(off)", 0x00},
        {0x0E26, 0x09, "ComboBox11", "", 0x09},  // the empty tenth entry
        {0x0E26, 0x0A, "ComboBox11", "(none)", 0xFF},
        {0x0E27, 0x01, "ComboBox6", "ON", 0x01},
        {0x0E28, 0x01, "CheckBox1", "checked", 0x01},
        {0x0E28, 0x03, "CheckBox1", "checked", 0x01},
        {0x0E28, 0x02, "CheckBox1", "unchecked", 0x00},
        {0x0E29, 0x0F, "ComboBox7", "15", 0x0F},
        {0x0E29, 0x10, "ComboBox7", "(none)", 0xFF},
        {0x0E2A, 0x05, "ComboBox8", "5", 0x05},
        {0x0E2B, 0xFF, "CheckBox6", "checked", 0x01},
        {0x0E2C, 0x03, "CheckBox4", "checked", 0x01},
        {0x0E2D, 0x0C, "ComboBox10", "180S", 0x0C},
        {0x0E2D, 0x0D, "ComboBox10", "(none)", 0xFF},
        {0x0E2D, 0x00, "ComboBox10", "0ff", 0x00},
        {0x0E2E, 0x08, "ComboBox9", "120S", 0x08},
        {0x0E2E, 0x0D, "ComboBox9", "(none)", 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.address << " = " << int{c.read});
        const std::size_t offset = c.address - kSettingsAddress;
        Bytes block = blockWith(offset, c.read);
        SettingsForm form;
        form.applyRadioBytes(block);
        const Control& control = form.control(c.control);
        const std::string shown = control.kind == ControlKind::CheckBox
                                      ? (control.checked ? "checked" : "unchecked")
                                  : control.itemIndex < 0 ? "(none)"
                                                          : control.selectedText();
        EXPECT_EQ(shown, c.shown);
        block[offset] = c.written;
        EXPECT_EQ(form.radioBytes(), block);
    }
}

TEST(SettingsBytes, ReservedBytesAreWrittenAsZero) {
    SettingsForm form;
    Bytes block(16, 0x5A);
    form.applyRadioBytes(block);
    const Bytes written = form.radioBytes();
    EXPECT_EQ(written[0x0E23 - kSettingsAddress], 0x00);
    EXPECT_EQ(written[0x0E2F - kSettingsAddress], 0x00);
}

TEST(SettingsBytes, DesignTimeFormWritesItsValues) {
    EXPECT_EQ(SettingsForm().radioBytes(), (Bytes{0x01, 0x00, 0x01, 0x00, 0x05, 0x00, 0x04, 0x00,
                                                  0x00, 0x0A, 0x05, 0x00, 0x00, 0x0C, 0x0C, 0x00}));
}

TEST(HexByteAt, PicksBytesOutOfHexText) {
    struct Case {
        const char* text;
        std::size_t position;
        int value;
    };
    const Case cases[] = {
        {"52 0E 00 40 ", 0, 0x52}, {"52 0E 00 40 ", 3, 0x40}, {"52 0E 00 40", 3, 0x40},
        {"ff a0 ", 0, 0xFF},       {"ff a0 ", 1, 0xA0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexByteAt(c.text, c.position), c.value) << c.text << c.position;
    }
    EXPECT_THROW(HexByteAt("52 0E ", 2), HexTextError);
    EXPECT_THROW(HexByteAt("52 0", 1), HexTextError);
    EXPECT_THROW(HexByteAt("52 G0 ", 1), HexTextError);
    EXPECT_THROW(HexByteAt("", static_cast<std::size_t>(-1)), HexTextError);
}

}  // namespace
}  // namespace lumo
