#include "settings/settings_form.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "settings/settings_bytes.h"

namespace lumo {
namespace {

namespace names = settings_controls;

// Default's table: the entry each box gets, and the check boxes it clears. The time-out
// timer's default "120S" differs from its design-time "180S".
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kDefaultEntries{{
    {names::kSquelch, "5"},
    {names::kPower, "OFF"},
    {names::kVolume, "10"},
    {names::kBacklight, "5"},
    {names::kTimeOutTimer, "120S"},
    {names::kBeepVolume, "b4"},
}};
constexpr std::array<std::string_view, 2> kDefaultUnchecked{names::kCeilingMounting,
                                                            names::kKeyLock};

// "Off" is the first entry of both tone boxes.
constexpr int kToneOff = 0;

int entryIndexOf(const Control& box, std::string_view entry) {
    for (std::size_t i = 0; i < box.items.size(); ++i) {
        if (box.items[i] == entry) {
            return static_cast<int>(i);
        }
    }
    throw std::logic_error(box.name + " has no entry " + std::string(entry));
}

bool isSeenWithin(const Control& control, std::string_view name) {
    if (!control.visible || control.covered) {
        return false;
    }
    if (control.name == name) {
        return true;
    }
    for (const Control& child : control.children) {
        if (isSeenWithin(child, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace

SettingsForm::SettingsForm(const LanguageStrings& strings) : body_(makeSettingsLayout(strings)) {}

const Control& SettingsForm::control(std::string_view name) const {
    const Control* found = findControl(body_, name);
    if (found == nullptr) {
        throw std::out_of_range("the settings window has no control " + std::string(name));
    }
    return *found;
}

Control& SettingsForm::mutableControl(std::string_view name) {
    return const_cast<Control&>(std::as_const(*this).control(name));
}

bool SettingsForm::isSeen(std::string_view name) const {
    control(name);  // an unknown name is a mistake, not an unseen control
    return isSeenWithin(body_, name);
}

void SettingsForm::changed() {
    if (listener_) {
        listener_();
    }
}

void SettingsForm::setItemIndex(std::string_view name, int index) {
    mutableControl(name).select(index);
    changed();
}

void SettingsForm::setChecked(std::string_view name, bool checked) {
    mutableControl(name).checked = checked;
    changed();
}

void SettingsForm::userSelect(std::string_view name, int index) {
    Control& box = mutableControl(name);
    box.select(index);
    box.tag = box.itemIndex + 1;
    // A channel carries either a CTCSS tone or a DCS code, never both; only the user's
    // own pick enforces it, so a radio holding both still shows both.
    if (box.itemIndex != kToneOff && box.itemIndex >= 0) {
        if (name == names::kCtcss) {
            mutableControl(names::kDcs).select(kToneOff);
        } else if (name == names::kDcs) {
            mutableControl(names::kCtcss).select(kToneOff);
        }
    }
    changed();
}

void SettingsForm::userCheck(std::string_view name, bool checked) {
    Control& box = mutableControl(name);
    box.checked = checked;
    box.tag = checked ? 2 : 1;
    changed();
}

void SettingsForm::restoreDefaults() {
    for (const auto& [name, entry] : kDefaultEntries) {
        Control& box = mutableControl(name);
        box.select(entryIndexOf(box, entry));
    }
    for (std::string_view name : kDefaultUnchecked) {
        mutableControl(name).checked = false;
    }
    changed();
}

std::vector<std::string> SettingsForm::saveLines() const {
    std::vector<std::string> lines;
    SaveControlTree(body_, lines);
    return lines;
}

void SettingsForm::loadLines(const std::vector<std::string>& lines) {
    std::size_t position = 0;
    LoadControlTree(body_, lines, position);
    changed();
}

void SettingsForm::applyRadioBytes(std::span<const std::uint8_t> bytes) {
    applySettingsBytes(body_, bytes);
    changed();
}

std::vector<std::uint8_t> SettingsForm::radioBytes() const {
    return settingsBytes(body_);
}

void SettingsForm::setProgress(int position, int maximum) {
    Control& bar = mutableControl(names::kProgressBar);
    bar.maximum = maximum;
    bar.position = position;
    changed();
}

}  // namespace lumo
