#pragma once

#include <string>
#include <vector>

#include "settings/settings_form.h"

namespace lumo {

// The settings for a person to read, one line each: the control's label and the value
// as the window shows it ("(none)" for an empty selection, "(blank)" for the empty
// entry, "checked"/"unchecked"). The controls the user sees come first in window
// order, then the hidden ones, each marked "(hidden)".
std::vector<std::string> settingsListing(const SettingsForm& form);

}  // namespace lumo
