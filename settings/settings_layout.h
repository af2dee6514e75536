#pragma once

#include <string>
#include <string_view>

#include "base/languagestr.h"
#include "base/session.h"
#include "settings/control_tree.h"

namespace lumo {

// The settings window's controls by role.
namespace settings_controls {
inline constexpr std::string_view kBody = "Panel7";
inline constexpr std::string_view kChannelPanel = "Panel1";
inline constexpr std::string_view kSettingsPanel = "Panel2";
inline constexpr std::string_view kCurrentChannel = "ComboBox1";
inline constexpr std::string_view kCtcss = "ComboBox2";
inline constexpr std::string_view kDcs = "ComboBox3";
inline constexpr std::string_view kSquelch = "ComboBox4";
inline constexpr std::string_view kHighPowerAllowed = "ComboBox5";
inline constexpr std::string_view kPower = "ComboBox6";
inline constexpr std::string_view kVolume = "ComboBox7";
inline constexpr std::string_view kBacklight = "ComboBox8";
inline constexpr std::string_view kPreAlert = "ComboBox9";
inline constexpr std::string_view kTimeOutTimer = "ComboBox10";
inline constexpr std::string_view kBeepVolume = "ComboBox11";
inline constexpr std::string_view kHighTxPower = "CheckBox1";
inline constexpr std::string_view kCeilingMounting = "CheckBox4";
inline constexpr std::string_view kKeyLock = "CheckBox6";
inline constexpr std::string_view kProgressLabel = "Label21";
inline constexpr std::string_view kProgressBar = "ProgressBar1";
}  // namespace settings_controls

// The settings window's own caption; its frame shows settingsTitle() in its place.
inline constexpr std::string_view kSettingsCaption = "Dune-";

// The settings window's body (Panel7) as a control tree: every caption, entry and
// design-time value, in the order the settings file walks them. The button and
// progress captions come from `strings`.
Control makeSettingsLayout(const LanguageStrings& strings = defaultStrings());

// The title on the settings window's frame: the session's model name + " Param config".
std::string settingsTitle(const Session& session);

}  // namespace lumo
