#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/settings_review.h"

namespace lumo {
namespace {

using Lines = std::vector<std::string>;

const Lines kDesignTimeFile{"0",  "0",  "1", "5", "10", "5", "0",
                            "12", "12", "4", "0", "0",  "0", "0"};

// Every value control of the window, walk order, with its label, entries and start.
TEST(SettingsLayout, HoldsEveryCaptionEntryAndInitialValue) {
    struct Row {
        const char* control;
        const char* label;  // the label's caption, or the check box's own
        std::size_t entries;
        const char* first;
        const char* last;
        const char* initial;  // entry text; "" for an unchecked check box
        bool seen;            // neither hidden nor covered
        bool enabled;
    };
    const Row rows[] = {
        {"ComboBox1", "The Current Channel", 99, "1", "99", "1", false, true},
        {"ComboBox2", "CTCSS", 51, "Off", "50", "Off", false, true},
        {"ComboBox3", "DCS", 105, "Off", "104", "1", false, true},
        {"ComboBox4", "Ssquelch Leverl", 10, "0", "9", "5", true, true},
        {"ComboBox7", "Volumecon", 16, "0", "15", "10", true, true},
        {"ComboBox8", "Backlighting Level", 6, "0", "5", "5", true, true},
        {"ComboBox5", "Hight Powered Allow ", 2, "OFF", "ON", "OFF", true, true},
        {"ComboBox10", "Time Out Timer(S):", 13, "0ff", "180S", "180S", true, true},
        {"ComboBox9", "TOT Pre-Alert(S):", 13, "0ff", "180S", "180S", false, false},
        {"ComboBox11", "Beep Volumecon", 10, "b0(off)", "", "b4", true, true},
        {"ComboBox6", "Power :", 2, "OFF", "ON", "OFF", false, false},
        {"CheckBox4", "LCD Ceiling Mounting", 0, "", "", "", true, true},
        {"CheckBox6", "Locking Key", 0, "", "", "", true, true},
        {"CheckBox1", "Hight TX Power ", 0, "", "", "", false, false},
    };
    const SettingsForm form;
    std::vector<const Control*> labels;
    std::function<void(const Control&)> collect = [&](const Control& c) {
        if (c.kind == ControlKind::Label) {
            labels.push_back(&c);
        }
        for (const Control& child : c.children) {
            collect(child);
        }
    };
    collect(form.body());

    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        const Control& c = form.control(row.control);
        EXPECT_EQ(form.isSeen(row.control), row.seen);
        // Hidden controls are switched off, except the covered ones of Panel1.
        EXPECT_EQ(c.enabled, row.enabled);
        if (c.kind == ControlKind::CheckBox) {
            EXPECT_EQ(c.caption, row.label);
            EXPECT_FALSE(c.checked);
            EXPECT_EQ(c.tag, 1);
            continue;
        }
        ASSERT_EQ(c.kind, ControlKind::ComboBox);
        const auto label = std::find_if(labels.begin(), labels.end(), [&](const Control* l) {
            return l->focusControl == row.control;
        });
        ASSERT_NE(label, labels.end());
        EXPECT_EQ((*label)->caption, row.label);
        EXPECT_EQ((*label)->enabled, c.enabled);
        ASSERT_EQ(c.items.size(), row.entries);
        EXPECT_EQ(c.items.front(), row.first);
        EXPECT_EQ(c.items.back(), row.last);
        EXPECT_EQ(c.selectedText(), row.initial);
        EXPECT_EQ(c.tag, c.itemIndex + 1);
    }
    EXPECT_EQ(form.control("ComboBox10").items,
              (Lines{"0ff", "15S", "30S", "45S", "60S", "75S", "90S", "105S", "120S", "135S",
                     "150S", "165S", "180S"}));
    EXPECT_EQ(form.control("ComboBox9").items, form.control("ComboBox10").items);
    EXPECT_EQ(form.control("ComboBox11").items[8], "b8");
}

TEST(SettingsLayout, BodyHoldsPanelsProgressAndButtons) {
    const SettingsForm form;
    const Control& body = form.body();
    EXPECT_EQ(body.name, "Panel7");
    EXPECT_EQ(body.width, 497);
    EXPECT_EQ(body.height, 268);
    Lines names;
    Lines captions;
    for (const Control& c : body.children) {
        names.push_back(c.name);
        captions.push_back(c.caption);
    }
    EXPECT_EQ(names, (Lines{"Panel1", "Panel2", "Label21", "ProgressBar1", "Button1", "Button2",
                            "Button3", "Button4", "Button5", "Button6"}));
    EXPECT_EQ(captions,
              (Lines{"", "", "Progress", "", "Read", "Write", "Default", "Save", "Open", "Close"}));
    EXPECT_TRUE(body.children[0].covered);
    EXPECT_EQ(kSettingsCaption, "Dune-");

    LanguageStrings strings;
    Session session(strings);
    session.setUp();
    EXPECT_EQ(settingsTitle(session), "Tarn Param config");
}

TEST(SettingsForm, DesignTimeFileAndItsReload) {
    SettingsForm form;
    EXPECT_EQ(form.saveLines(), kDesignTimeFile);

    // Tags drift from the values by user picks; a load puts them back at value + 1.
    form.userSelect("ComboBox4", 7);
    form.setItemIndex("ComboBox4", 5);
    form.userCheck("CheckBox4", true);
    form.setChecked("CheckBox4", false);
    form.loadLines(kDesignTimeFile);
    EXPECT_EQ(form.body(), SettingsForm().body());
}

TEST(SettingsForm, MinusOneLeavesNoSelectionAndTagZero) {
    SettingsForm form;
    Lines lines = kDesignTimeFile;
    lines[3] = "-1";  // squelch
    form.loadLines(lines);
    EXPECT_EQ(form.control("ComboBox4").itemIndex, -1);
    EXPECT_EQ(form.control("ComboBox4").tag, 0);
    EXPECT_EQ(form.saveLines(), lines);

    // With tag 0 a later load still sets the value but no longer the tag.
    form.loadLines(kDesignTimeFile);
    EXPECT_EQ(form.control("ComboBox4").itemIndex, 5);
    EXPECT_EQ(form.control("ComboBox4").tag, 0);
}

TEST(SettingsForm, BadFileChangesNoControl) {
    SettingsForm form;
    form.userSelect("ComboBox7", 3);
    const Control before = form.body();
    Lines damaged = kDesignTimeFile;
    damaged[9] = "b4";
    EXPECT_THROW(form.loadLines(damaged), ControlTreeLoadError);
    const Lines cut(kDesignTimeFile.begin(), kDesignTimeFile.begin() + 13);
    EXPECT_THROW(form.loadLines(cut), ControlTreeLoadError);
    EXPECT_EQ(form.body(), before);
}

TEST(SettingsForm, DefaultSetsExactlyItsEightControls) {
    SettingsForm form;
    // Move every value control away from both its start and its default.
    const char* boxes[] = {"ComboBox1", "ComboBox2",  "ComboBox3", "ComboBox4",
                           "ComboBox5", "ComboBox6",  "ComboBox7", "ComboBox8",
                           "ComboBox9", "ComboBox10", "ComboBox11"};
    for (const char* box : boxes) {
        form.setItemIndex(box, 1);
    }
    for (const char* check : {"CheckBox1", "CheckBox4", "CheckBox6"}) {
        form.setChecked(check, true);
    }
    form.restoreDefaults();

    struct Expect {
        const char* control;
        const char* text;  // entry; "checked"/"unchecked" for check boxes
    };
    const Expect expected[] = {
        {"ComboBox4", "5"},
        {"ComboBox6", "OFF"},
        {"ComboBox7", "10"},
        {"ComboBox8", "5"},
        {"ComboBox10", "120S"},
        {"ComboBox11", "b4"},
        {"CheckBox4", "unchecked"},
        {"CheckBox6", "unchecked"},
        // untouched:
        {"ComboBox1", "2"},
        {"ComboBox2", "1"},
        {"ComboBox3", "1"},
        {"ComboBox5", "ON"},
        {"ComboBox9", "15S"},
        {"CheckBox1", "checked"},
    };
    for (const Expect& e : expected) {
        const Control& c = form.control(e.control);
        const std::string shown = c.kind == ControlKind::CheckBox
                                      ? (c.checked ? "checked" : "unchecked")
                                      : c.selectedText();
        EXPECT_EQ(shown, e.text) << e.control;
    }
}

TEST(SettingsForm, ToneExclusionOnlyOnTheUsersPick) {
    struct Case {
        const char* picked;
        int entry;
        int ctcss;
        int dcs;
    };
    // Both boxes start at CTCSS 5 and DCS 7, as a radio may hold them.
    const Case cases[] = {
        {"ComboBox2", 3, 3, 0},  // a CTCSS tone switches DCS off
        {"ComboBox3", 9, 0, 9},  // a DCS code switches CTCSS off
        {"ComboBox2", 0, 0, 7},  // picking "Off" leaves the other box alone
        {"ComboBox3", 0, 5, 0},
    };
    for (const Case& c : cases) {
        SettingsForm form;
        form.setItemIndex("ComboBox2", 5);
        form.setItemIndex("ComboBox3", 7);
        EXPECT_EQ(form.control("ComboBox3").itemIndex, 7);  // program values: no exclusion
        form.userSelect(c.picked, c.entry);
        EXPECT_EQ(form.control("ComboBox2").itemIndex, c.ctcss) << c.picked << c.entry;
        EXPECT_EQ(form.control("ComboBox3").itemIndex, c.dcs) << c.picked << c.entry;
        EXPECT_EQ(form.control(c.picked).tag, c.entry + 1);
    }

    // Neither a file nor the radio's bytes nor Default trigger it.
    SettingsForm form;
    Lines both = kDesignTimeFile;
    both[1] = "5";
    both[2] = "7";
    form.loadLines(both);
    EXPECT_EQ(form.control("ComboBox2").itemIndex, 5);
    EXPECT_EQ(form.control("ComboBox3").itemIndex, 7);
    std::vector<std::uint8_t> bytes(15, 0);
    bytes[1] = 0x05;
    bytes[2] = 0x07;
    form.applyRadioBytes(bytes);
    form.restoreDefaults();
    EXPECT_EQ(form.control("ComboBox2").itemIndex, 5);
    EXPECT_EQ(form.control("ComboBox3").itemIndex, 7);
}

TEST(SettingsForm, ListenerHearsEveryChange) {
    SettingsForm form;
    int heard = 0;
    form.setChangeListener([&] { ++heard; });
    form.userSelect("ComboBox4", 2);
    form.userCheck("CheckBox6", true);
    form.restoreDefaults();
    form.loadLines(kDesignTimeFile);
    form.applyRadioBytes(std::vector<std::uint8_t>(15, 1));
    form.setProgress(3, 6);
    EXPECT_EQ(heard, 6);
    EXPECT_EQ(form.control("ProgressBar1").position, 3);
    EXPECT_EQ(form.control("ProgressBar1").maximum, 6);
    EXPECT_THROW(form.control("ComboBox99"), std::out_of_range);
}

}  // namespace
}  // namespace lumo

namespace lumo {
namespace {

TEST(SettingsReview, ListsEachChangedSettingOldToNew) {
    SettingsForm radio;
    EXPECT_EQ(reviewSettingsWrite(radio, std::nullopt).kind, WriteReview::Kind::Unknown);
    const KnownRadioSettings known{radio, "the last read, at 10:00:00"};
    EXPECT_EQ(reviewSettingsWrite(radio, known).kind, WriteReview::Kind::NoChanges);

    SettingsForm edited = radio;
    edited.userSelect("ComboBox2", 3);
    const WriteReview review = reviewSettingsWrite(edited, known);
    EXPECT_EQ(review.kind, WriteReview::Kind::Changes);
    EXPECT_EQ(review.source, "the last read, at 10:00:00");
    // The CTCSS pick, and the DCS code it switched off.
    ASSERT_EQ(review.changes.size(), 2u);
    EXPECT_EQ(review.changes[0].rfind("CTCSS: Off", 0), 0u) << review.changes[0];
    EXPECT_NE(review.changes[0].find(" -> 3"), std::string::npos) << review.changes[0];
    EXPECT_EQ(review.changes[1].rfind("DCS: ", 0), 0u) << review.changes[1];

    // The read-back names each setting the radio shows otherwise; the bytes apart, each
    // byte that differs, the reserved one apart.
    SettingsBytes held{};
    std::copy_n(radio.radioBytes().begin(), held.size(), held.begin());
    held[3] = 9;      // 0x0E23, reserved: no setting shows it
    held[4] = 7;      // squelch
    held[12] |= 0x02;  // LCD ceiling mounting: only bit 0 counts
    EXPECT_EQ(compareWrittenSettings(radio, held),
              std::vector<std::string>{"Ssquelch Leverl: wrote 5, radio holds 7"});
    EXPECT_EQ(compareSettingsBytes(radio.radioBytes(), held),
              (std::vector<std::string>{"0x0E24: wrote 0x05, radio holds 0x07",
                                        "0x0E2C: wrote 0x00, radio holds 0x02"}));
}

}  // namespace
}  // namespace lumo
