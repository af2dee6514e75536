// Edit > Preferences...: review and verify around writes, names, how long backups stay,
// the light or dark look.
#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "shell/preferences.h"

namespace lumo {

// The preferences as the user leaves them, or nothing when cancelled.
std::optional<Preferences> askPreferences(QWidget* parent, const Preferences& current,
                                          const std::filesystem::path& backups);

}  // namespace lumo
