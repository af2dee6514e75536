#include "base/document_dialogs.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace lumo {
namespace {

// The (description, patterns) pairs of a "description|patterns|..." filter.
std::vector<std::pair<std::string, std::string>> filterPairs(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            bar = filter.size();
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        pairs.emplace_back(parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string());
    }
    return pairs;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether one of the ';'-separated patterns, "*.ext" or "*.*", takes `extension`.
bool patternsTake(const std::string& patterns, const std::string& extension) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t semicolon = patterns.find(';', start);
        if (semicolon == std::string::npos) {
            semicolon = patterns.size();
        }
        const std::string pattern = lowerCase(patterns.substr(start, semicolon - start));
        if (pattern == "*.*" || (!extension.empty() && pattern == "*" + extension)) {
            return true;
        }
        start = semicolon + 1;
    }
    return false;
}

}  // namespace

std::string descriptionsOfFilter(const std::string& filter) {
    std::string result;
    for (const auto& [description, patterns] : filterPairs(filter)) {
        if (description.empty()) {
            continue;
        }
        if (!result.empty()) {
            result += ";;";
        }
        result += description;
    }
    return result;
}

std::string descriptionForFile(const std::string& filter, const std::filesystem::path& file) {
    const std::string extension = lowerCase(file.extension().string());
    for (const auto& [description, patterns] : filterPairs(filter)) {
        if (!description.empty() && patternsTake(patterns, extension)) {
            return description;
        }
    }
    return {};
}

}  // namespace lumo
