#pragma once

#include <cstdint>
#include <optional>
#include <span>
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

// The settings as the radio's bytes from 0x0E20 give them, in a form with the texts and
// layout of `like`.
SettingsForm settingsFormOf(const SettingsForm& like, std::span<const std::uint8_t> bytes);

// The settings a write of `form` would change on a radio holding `radio`, each
// "label: old -> new" as the listing shows them.
std::vector<std::string> settingsChanges(const SettingsForm& form, const SettingsForm& radio);

// The same as a review: nothing known when there is no `radio`.
WriteReview reviewSettingsWrite(const SettingsForm& form,
                                const std::optional<KnownRadioSettings>& radio);

// The settings the radio shows otherwise than `wrote` after a write, by meaning,
// control by control: "Ssquelch Leverl: wrote 5, radio holds 7". Bytes that no
// control shows never count.
std::vector<std::string> compareWrittenSettings(const SettingsForm& wrote, const SettingsBytes& held);

// Every settings byte the radio holds differently from those written, the reserved
// byte 0x0E23 apart: "0x0E24: wrote 0x05, radio holds 0x07".
std::vector<std::string> compareSettingsBytes(const std::vector<std::uint8_t>& wrote,
                                              const SettingsBytes& held);

}  // namespace lumo
