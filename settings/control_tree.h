#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

enum class ControlKind {
    Panel,
    GroupBox,
    ComboBox,
    EditBox,
    CheckBox,
    RadioButton,
    Label,
    Button,
    Picture,
    ProgressBar,
};

// One control of a window body, as data: the window builds its widgets from a tree of
// these, and the settings file walks it. Fields a kind does not use keep their defaults.
struct Control {
    ControlKind kind = ControlKind::Panel;
    std::string name;                // "ComboBox4"
    std::string caption;             // label, check box, radio button and button text
    std::string text;                // edit box text
    std::vector<std::string> items;  // combo box entries
    int itemIndex = -1;              // combo box selection; -1 for none
    bool checked = false;            // check box, radio button
    // Free for the window's own use; the settings file reads and sets it (see
    // LoadControlTree). 64 bits so that any int of a file plus one fits.
    std::int64_t tag = 0;
    bool enabled = true;       // false: switched off
    bool visible = true;       // false: not shown at all
    bool covered = false;      // lies under a sibling that hides it completely
    std::string focusControl;  // label: the name of the control it describes
    int position = 0;          // progress bar
    int maximum = 100;         // progress bar
    int width = 0;             // design size where the layout fixes one, else 0
    int height = 0;
    std::vector<Control> children;  // panels and group boxes, in layout order

    bool isContainer() const { return kind == ControlKind::Panel || kind == ControlKind::GroupBox; }
    // Selects entry `index`; an index that does not fit the list leaves no selection.
    void select(long long index);
    // The selected entry's text, empty without a selection.
    std::string selectedText() const;

    bool operator==(const Control&) const = default;
};

// The control called `name` anywhere in the tree, or null.
Control* findControl(Control& root, std::string_view name);
const Control* findControl(const Control& root, std::string_view name);

// A settings file that does not fit the tree it is loaded into.
class ControlTreeLoadError : public std::runtime_error {
  public:
    ControlTreeLoadError(std::size_t lineNumber, const std::string& what)
        : std::runtime_error(what), lineNumber_(lineNumber) {}
    // The offending line, counted from 1.
    std::size_t lineNumber() const { return lineNumber_; }

  private:
    std::size_t lineNumber_;
};

// Appends one line per value control in depth-first layout order: a combo box its item
// index ("-1" for none), an edit box its text, a check box or radio button "1" or "0".
// Panels and group boxes only pass on to their children; other controls add nothing.
void SaveControlTree(const Control& control, std::vector<std::string>& lines);

// Applies lines from `position` on in the order SaveControlTree writes them, and moves
// `position` past the lines used. A control other than an edit box whose tag is not 0
// takes the line's number + 1 as its tag; an edit box takes its line only while its tag
// is positive. The whole tree is checked before anything changes: a line that is not a
// number where one is needed, or too few lines, throws ControlTreeLoadError and leaves
// both the tree and `position` as they were.
void LoadControlTree(Control& control, const std::vector<std::string>& lines,
                     std::size_t& position);

}  // namespace lumo
