#include "settings/settings_layout.h"

#include <vector>

namespace lumo {
namespace {

namespace names = settings_controls;

constexpr int kBodyWidth = 497;
constexpr int kBodyHeight = 268;

// The controls the user never sees are switched off as well.
enum class Seen { Shown, Hidden };

std::vector<std::string> numbered(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) {
        entries.push_back(std::to_string(n));
    }
    return entries;
}

std::vector<std::string> offThenNumbered(int last) {
    std::vector<std::string> entries{"Off"};
    const std::vector<std::string> rest = numbered(1, last);
    entries.insert(entries.end(), rest.begin(), rest.end());
    return entries;
}

// The time-out timer's steps of 15 s; "0ff" is spelt with a zero.
std::vector<std::string> timerEntries() {
    return {"0ff",  "15S",  "30S",  "45S",  "60S",  "75S", "90S",
            "105S", "120S", "135S", "150S", "165S", "180S"};
}

void applySeen(Control& control, Seen seen) {
    control.enabled = seen == Seen::Shown;
    control.visible = seen == Seen::Shown;
}

Control panel(std::string_view name, std::vector<Control> children) {
    Control control;
    control.kind = ControlKind::Panel;
    control.name = name;
    control.children = std::move(children);
    return control;
}

Control label(std::string name, std::string caption, std::string_view describes,
              Seen seen = Seen::Shown) {
    Control control;
    control.kind = ControlKind::Label;
    control.name = std::move(name);
    control.caption = std::move(caption);
    control.focusControl = describes;
    applySeen(control, seen);
    return control;
}

// A drop-down list; its tag starts as its value + 1, as the change handler keeps it.
Control comboBox(std::string_view name, std::vector<std::string> entries, int initial,
                 Seen seen = Seen::Shown) {
    Control control;
    control.kind = ControlKind::ComboBox;
    control.name = name;
    control.items = std::move(entries);
    control.select(initial);
    control.tag = control.itemIndex + 1;
    applySeen(control, seen);
    return control;
}

Control checkBox(std::string_view name, std::string caption, Seen seen = Seen::Shown) {
    Control control;
    control.kind = ControlKind::CheckBox;
    control.name = name;
    control.caption = std::move(caption);
    control.tag = 1;  // unchecked + 1
    applySeen(control, seen);
    return control;
}

Control button(std::string name, std::string caption) {
    Control control;
    control.kind = ControlKind::Button;
    control.name = std::move(name);
    control.caption = std::move(caption);
    return control;
}

Control channelPanel() {
    Control control = panel(names::kChannelPanel,
                            {
                                label("Label1", "The Current Channel", names::kCurrentChannel),
                                comboBox(names::kCurrentChannel, numbered(1, 99), 0),
                                label("Label2", "CTCSS", names::kCtcss),
                                comboBox(names::kCtcss, offThenNumbered(50), 0),
                                label("Label3", "DCS", names::kDcs),
                                comboBox(names::kDcs, offThenNumbered(104), 1),
                            });
    // Panel2 lies over it: the three boxes are hidden though not switched off.
    control.covered = true;
    return control;
}

Control settingsPanel() {
    std::vector<std::string> beep{"b0(off)", "b1", "b2", "b3", "b4", "b5", "b6", "b7", "b8", ""};
    return panel(names::kSettingsPanel,
                 {
                     label("Label4", "Ssquelch Leverl", names::kSquelch),
                     comboBox(names::kSquelch, numbered(0, 9), 5),
                     label("Label10", "Volumecon", names::kVolume),
                     comboBox(names::kVolume, numbered(0, 15), 10),
                     label("Label11", "Backlighting Level", names::kBacklight),
                     comboBox(names::kBacklight, numbered(0, 5), 5),
                     label("Label5", "Hight Powered Allow ", names::kHighPowerAllowed),
                     comboBox(names::kHighPowerAllowed, {"OFF", "ON"}, 0),
                     label("Label6", "Time Out Timer(S):", names::kTimeOutTimer),
                     comboBox(names::kTimeOutTimer, timerEntries(), 12),
                     label("Label7", "TOT Pre-Alert(S):", names::kPreAlert, Seen::Hidden),
                     comboBox(names::kPreAlert, timerEntries(), 12, Seen::Hidden),
                     label("Label12", "Beep Volumecon", names::kBeepVolume),
                     comboBox(names::kBeepVolume, std::move(beep), 4),
                     label("Label9", "Power :", names::kPower, Seen::Hidden),
                     comboBox(names::kPower, {"OFF", "ON"}, 0, Seen::Hidden),
                     checkBox(names::kCeilingMounting, "LCD Ceiling Mounting"),
                     checkBox(names::kKeyLock, "Locking Key"),
                     checkBox(names::kHighTxPower, "Hight TX Power ", Seen::Hidden),
                 });
}

}  // namespace

Control makeSettingsLayout(const LanguageStrings& strings) {
    Control progress;
    progress.kind = ControlKind::ProgressBar;
    progress.name = names::kProgressBar;

    Control body =
        panel(names::kBody,
              {
                  channelPanel(),
                  settingsPanel(),
                  label(std::string(names::kProgressLabel), strings.progress, names::kProgressBar),
                  std::move(progress),
                  button("Button1", strings.button1Read),
                  button("Button2", strings.button2Write),
                  button("Button3", strings.button3Default),
                  button("Button4", strings.button4Save),
                  button("Button5", strings.button5Open),
                  button("Button6", strings.button6Close),
              });
    body.width = kBodyWidth;
    body.height = kBodyHeight;
    return body;
}

std::string settingsTitle(const Session& session) {
    return session.modeName() + session.strings().paramConfig;
}

}  // namespace lumo
