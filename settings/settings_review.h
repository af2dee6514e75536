#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/write_review.h"
#include "settings/settings_form.h"
#include "settings/settings_transfer.h"

namespace lumo {

// What Lumo knows the radio's settings to be before a write: the settings of the last
// read or write in this session, or else the newest settings backup, as a form.
struct KnownRadioSettings {
    SettingsForm form;
    std::string source;
};

// The settings a write of `form` would change, each "label: old -> new" as the
// listing shows them; bytes no control shows are named by address.
WriteReview reviewSettingsWrite(const SettingsForm& form,
                                const std::optional<KnownRadioSettings>& radio);

// The settings bytes the radio holds that differ from those written, the reserved
// byte apart: "0x0E24: wrote 0x05, radio holds 0x07".
std::vector<std::string> compareWrittenSettings(const std::vector<std::uint8_t>& wrote,
                                                const SettingsBytes& held);

}  // namespace lumo
