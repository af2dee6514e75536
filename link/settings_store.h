#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumo {

// The per-user settings store: keys such as "PortSet/portitm" (group/name) with text
// values. The window uses Qt's store; the command line and tests use the file below,
// which reads and writes the same file.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> value(const std::string& key) const = 0;
    virtual void setValue(const std::string& key, const std::string& value) = 0;
    // The names of the keys directly in `group`.
    virtual std::vector<std::string> keysIn(const std::string& group) const = 0;
};

// An INI file in the layout Qt's settings use on Linux ([Group] then name=value).
// Loaded on construction; every change is written back at once, atomically.
class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(std::filesystem::path file);

    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;
    std::vector<std::string> keysIn(const std::string& group) const override;

    const std::filesystem::path& file() const { return file_; }

private:
    void save() const;

    std::filesystem::path file_;
    std::map<std::string, std::map<std::string, std::string>> groups_;
};

// A store held in memory, for tests and for runs that must not touch the user's file.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;
    std::vector<std::string> keysIn(const std::string& group) const override;

private:
    std::map<std::string, std::string> values_;
};

// Where the user's Lumo settings live: $XDG_CONFIG_HOME/Vantor/Lumo.conf, else
// ~/.config/Vantor/Lumo.conf, as Qt's settings put them.
std::filesystem::path userSettingsFile();

}  // namespace lumo
