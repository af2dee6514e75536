#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/languagestr.h"
#include "settings/control_tree.h"
#include "settings/settings_layout.h"

namespace lumo {

// The settings window's state without the window: the control tree and the rules of
// its change handlers. A view builds its widgets from body() and re-reads it whenever
// the change listener fires.
class SettingsForm {
  public:
    explicit SettingsForm(const LanguageStrings& strings = defaultStrings());

    const Control& body() const { return body_; }
    // A control of the body by name; throws std::out_of_range for an unknown name.
    const Control& control(std::string_view name) const;
    // Seen by the user: visible, and neither it nor a panel around it covered.
    bool isSeen(std::string_view name) const;

    // Values put in by the program (reading, Default, a file): no change handler runs.
    void setItemIndex(std::string_view name, int index);
    void setChecked(std::string_view name, bool checked);

    // The user's own picks: the change handlers keep the tag at value + 1, and a CTCSS
    // or DCS pick other than "Off" sets the other box to "Off".
    void userSelect(std::string_view name, int index);
    void userCheck(std::string_view name, bool checked);

    // Default: resets exactly the eight controls of the default table.
    void restoreDefaults();

    // The settings file's lines for the body, and loading them back (all or nothing;
    // throws ControlTreeLoadError).
    std::vector<std::string> saveLines() const;
    void loadLines(const std::vector<std::string>& lines);

    // The radio's settings bytes from 0x0E20 (at least 15), into the controls.
    void applyRadioBytes(std::span<const std::uint8_t> bytes);
    // The 16 bytes 0x0E20..0x0E2F the controls stand for.
    std::vector<std::uint8_t> radioBytes() const;

    void setProgress(int position, int maximum);

    // Called after every change of the body, including progress.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    Control& mutableControl(std::string_view name);
    void changed();

    Control body_;
    std::function<void()> listener_;
};

}  // namespace lumo
