// Where the chosen port and port numbers are kept between runs, through QSettings.
#pragma once

#include <QSettings>

#include "link/settings_store.h"

namespace lumo {

// The per-user store through Qt: organisation "Vantor", application "Lumo".
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore() : settings_("Vantor", "Lumo") {}

    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;
    std::vector<std::string> keysIn(const std::string& group) const override;

private:
    mutable QSettings settings_;
};

}  // namespace lumo
