#include "link/settings_store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/atomic_file.h"

namespace lumo {
namespace {

std::pair<std::string, std::string> splitKey(const std::string& key) {
    const auto slash = key.rfind('/');
    if (slash == std::string::npos) {
        return {"General", key};
    }
    return {key.substr(0, slash), key.substr(slash + 1)};
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Values with characters the format treats specially are written in quotes.
std::string encodeValue(const std::string& value) {
    const bool plain = value.find_first_of(";,=\"\\#") == std::string::npos &&
                       trim(value) == value;
    if (plain) {
        return value;
    }
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            quoted.push_back('\\');
        }
        quoted.push_back(c);
    }
    return quoted + "\"";
}

std::string decodeValue(const std::string& raw) {
    const std::string text = trim(raw);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return text;
    }
    std::string value;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && i + 2 < text.size()) {
            ++i;
        }
        value.push_back(text[i]);
    }
    return value;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::filesystem::path file) : file_(std::move(file)) {
    std::ifstream in(file_);
    std::string line;
    std::string group = "General";
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            group = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            groups_[group][trim(line.substr(0, equals))] = decodeValue(line.substr(equals + 1));
        }
    }
}

std::optional<std::string> IniSettingsStore::value(const std::string& key) const {
    const auto [group, name] = splitKey(key);
    const auto g = groups_.find(group);
    if (g == groups_.end()) {
        return std::nullopt;
    }
    const auto v = g->second.find(name);
    if (v == g->second.end()) {
        return std::nullopt;
    }
    return v->second;
}

void IniSettingsStore::setValue(const std::string& key, const std::string& value) {
    const auto [group, name] = splitKey(key);
    groups_[group][name] = value;
    save();
}

std::vector<std::string> IniSettingsStore::keysIn(const std::string& group) const {
    std::vector<std::string> keys;
    if (const auto g = groups_.find(group); g != groups_.end()) {
        for (const auto& [name, value] : g->second) {
            keys.push_back(name);
        }
    }
    return keys;
}

void IniSettingsStore::save() const {
    std::ostringstream out;
    bool first = true;
    for (const auto& [group, values] : groups_) {
        if (!first) {
            out << "\n";
        }
        first = false;
        out << "[" << group << "]\n";
        for (const auto& [name, value] : values) {
            out << name << "=" << encodeValue(value) << "\n";
        }
    }
    std::filesystem::create_directories(file_.parent_path());
    writeFileAtomically(file_, out.str());
}

std::optional<std::string> MemorySettingsStore::value(const std::string& key) const {
    const auto v = values_.find(key);
    return v == values_.end() ? std::nullopt : std::optional(v->second);
}

void MemorySettingsStore::setValue(const std::string& key, const std::string& value) {
    values_[key] = value;
}

std::vector<std::string> MemorySettingsStore::keysIn(const std::string& group) const {
    std::vector<std::string> keys;
    const std::string prefix = group + "/";
    for (const auto& [key, value] : values_) {
        if (key.rfind(prefix, 0) == 0 && key.find('/', prefix.size()) == std::string::npos) {
            keys.push_back(key.substr(prefix.size()));
        }
    }
    return keys;
}

std::filesystem::path userSettingsFile() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "Vantor" / "Lumo.conf";
}

}  // namespace lumo
