#include "settings/control_tree.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

using Lines = std::vector<std::string>;

Control make(ControlKind kind, std::string name, std::int64_t tag = 0,
             std::vector<Control> children = {}) {
    Control control;
    control.kind = kind;
    control.name = std::move(name);
    control.tag = tag;
    control.children = std::move(children);
    return control;
}

Control combo(std::string name, std::int64_t tag, int index) {
    Control box = make(ControlKind::ComboBox, std::move(name), tag);
    box.items = {"a", "b", "c"};
    box.select(index);
    return box;
}

// Every kind the walk knows, nested: a panel holding a group box, labels and buttons
// that add nothing, and one value control of each class.
Control mixedTree() {
    Control edit = make(ControlKind::EditBox, "Edit1", 1);
    edit.text = "hello";
    Control untaggedEdit = make(ControlKind::EditBox, "Edit2", 0);
    untaggedEdit.text = "keep";
    Control check = make(ControlKind::CheckBox, "CheckBox1", 1);
    Control radio = make(ControlKind::RadioButton, "RadioButton1", 2);
    radio.checked = true;
    return make(ControlKind::Panel, "Panel1", 0,
                {make(ControlKind::Label, "Label1"), combo("ComboBox1", 2, 1),
                 make(ControlKind::GroupBox, "GroupBox1", 0,
                      {edit, make(ControlKind::Button, "Button1"), untaggedEdit,
                       make(ControlKind::Picture, "Image1")}),
                 check, make(ControlKind::ProgressBar, "ProgressBar1"), radio});
}

TEST(ControlTree, SaveWritesOneLinePerValueControlInLayoutOrder) {
    Lines lines{"before"};
    SaveControlTree(mixedTree(), lines);
    EXPECT_EQ(lines, (Lines{"before", "1", "hello", "keep", "0", "1"}));
}

TEST(ControlTree, LoadFollowsTheTagRules) {
    Control tree = mixedTree();
    std::size_t position = 1;
    LoadControlTree(tree, {"skipped", "2", "new text", "ignored", "1", "0", "extra"}, position);
    EXPECT_EQ(position, 6u);  // the extra line is left unread

    const Control& box = *findControl(tree, "ComboBox1");
    EXPECT_EQ(box.itemIndex, 2);
    EXPECT_EQ(box.tag, 3);
    EXPECT_EQ(findControl(tree, "Edit1")->text, "new text");
    EXPECT_EQ(findControl(tree, "Edit1")->tag, 1);  // an edit box's tag is never set
    // Tag 0: the edit box keeps its text and the next line goes to the next control.
    EXPECT_EQ(findControl(tree, "Edit2")->text, "keep");
    EXPECT_TRUE(findControl(tree, "CheckBox1")->checked);
    EXPECT_EQ(findControl(tree, "CheckBox1")->tag, 2);
    EXPECT_FALSE(findControl(tree, "RadioButton1")->checked);
    EXPECT_EQ(findControl(tree, "RadioButton1")->tag, 1);
}

TEST(ControlTree, LoadedValuesAndTagsPerLine) {
    struct Case {
        const char* line;
        std::int64_t tagBefore;
        int itemIndex;
        std::int64_t tag;
    };
    const Case cases[] = {
        {"-1", 5, -1, 0},                     // no selection, tag 0
        {"7", 5, -1, 8},                      // beyond the list: no selection, tag still follows
        {"-9", 5, -1, -8},                    // before the list
        {"2", 0, 2, 0},                       // untagged: the tag stays 0
        {" +1\t", 5, 1, 2},                   // blanks around and a plus sign are fine
        {"2147483647", 1, -1, 2147483648LL},  // the largest number still gets its tag
    };
    for (const Case& c : cases) {
        Control box = combo("ComboBox1", c.tagBefore, 0);
        std::size_t position = 0;
        LoadControlTree(box, {c.line}, position);
        EXPECT_EQ(box.itemIndex, c.itemIndex) << c.line;
        EXPECT_EQ(box.tag, c.tag) << c.line;
        EXPECT_EQ(position, 1u) << c.line;
    }
}

TEST(ControlTree, CheckBoxIsCheckedByAnyLineButZero) {
    struct Case {
        const char* line;
        std::int64_t tagBefore;
        bool checked;
        std::int64_t tag;
    };
    const Case cases[] = {
        {"0", 1, false, 1}, {"1", 1, true, 2},   {"5", 1, true, 6},
        {"-1", 1, true, 0}, {"yes", 0, true, 0},  // untagged: no number needed
        {"0", 0, false, 0},
    };
    for (const Case& c : cases) {
        Control check = make(ControlKind::CheckBox, "CheckBox1", c.tagBefore);
        std::size_t position = 0;
        LoadControlTree(check, {c.line}, position);
        EXPECT_EQ(check.checked, c.checked) << c.line;
        EXPECT_EQ(check.tag, c.tag) << c.line;
    }
}

TEST(ControlTree, ABadFileChangesNothingAndNamesTheLine) {
    struct Case {
        Lines lines;
        std::size_t badLine;
        const char* message;
    };
    const Case cases[] = {
        {{"0", "text", "1", "x", "0"}, 4, "Line 4 (\"x\") is not a number."},
        {{"", "text"}, 1, "Line 1 (\"\") is not a number."},
        {{"1.5"}, 1, "Line 1 (\"1.5\") is not a number."},
        {{"99999999999"}, 1, "Line 1 (\"99999999999\") is not a number."},
        {{"0", "text", "1"}, 4, "Line 4 is missing: the file ends after 3 lines."},
        {{}, 1, "Line 1 is missing: the file ends after 0 lines."},
    };
    for (const Case& c : cases) {
        Control tree = mixedTree();
        const Control before = tree;
        std::size_t position = 0;
        try {
            LoadControlTree(tree, c.lines, position);
            ADD_FAILURE() << c.message;
        } catch (const ControlTreeLoadError& e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_EQ(e.lineNumber(), c.badLine);
        }
        EXPECT_EQ(tree, before) << c.message;
        EXPECT_EQ(position, 0u);
    }
}

TEST(ControlTree, LongBadLineIsShortenedInTheMessage) {
    Control box = combo("ComboBox1", 1, 0);
    std::size_t position = 0;
    try {
        LoadControlTree(box, {std::string(500, 'z')}, position);
        FAIL();
    } catch (const ControlTreeLoadError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Line 1 (\"" + std::string(40, 'z') + "...\") is not a number.");
    }
}

TEST(ControlTree, FindsControlsAtAnyDepth) {
    Control tree = mixedTree();
    ASSERT_NE(findControl(tree, "Image1"), nullptr);
    EXPECT_EQ(findControl(tree, "Image1")->kind, ControlKind::Picture);
    EXPECT_EQ(findControl(tree, "Panel1"), &tree);
    EXPECT_EQ(findControl(tree, "Nothing"), nullptr);
}

}  // namespace
}  // namespace lumo
