#include "settings/settings_review.h"

#include <cstdio>

#include "settings/settings_listing.h"

namespace lumo {
namespace {

constexpr std::size_t kReservedSettingsByte = 3;  // 0x0E23, which the radio keeps its own
constexpr unsigned kSettingsAddress = 0x0E20;

std::string byteLine(std::size_t at, unsigned before, unsigned after, const char* from, const char* to) {
    char line[96];
    std::snprintf(line, sizeof line, "0x%04zX: %s0x%02X%s0x%02X", kSettingsAddress + at, from, before,
                  to, after);
    return line;
}

// The listing pads its columns; the lines here need no padding.
std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// Each control the two forms show differently, as "label" + `from` + the value in
// `left` + `to` + the value in `right`.
std::vector<std::string> controlDifferences(const SettingsForm& left, const SettingsForm& right,
                                            const char* from, const char* to) {
    const std::vector<std::string> a = settingsListing(left);
    const std::vector<std::string> b = settingsListing(right);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        // "Label: value" on both sides, the label the same.
        const std::size_t colon = a[i].find(": ");
        const std::string label = trimmed(colon == std::string::npos ? a[i] : a[i].substr(0, colon));
        const auto value = [](const std::string& line) {
            const std::size_t at = line.find(": ");
            return trimmed(at == std::string::npos ? line : line.substr(at + 2));
        };
        lines.push_back(label + ": " + from + value(a[i]) + to + value(b[i]));
    }
    return lines;
}

}  // namespace

SettingsForm settingsFormOf(const SettingsForm& like, std::span<const std::uint8_t> bytes) {
    SettingsForm held = like;
    held.setChangeListener({});
    held.applyRadioBytes(bytes);
    return held;
}

std::vector<std::string> settingsChanges(const SettingsForm& form, const SettingsForm& radio) {
    return controlDifferences(radio, form, "", " -> ");
}

WriteReview reviewSettingsWrite(const SettingsForm& form,
                                const std::optional<KnownRadioSettings>& radio) {
    WriteReview review;
    if (!radio) {
        return review;
    }
    review.source = radio->source;
    review.changes = settingsChanges(form, radio->form);
    review.kind = review.changes.empty() ? WriteReview::Kind::NoChanges : WriteReview::Kind::Changes;
    return review;
}

std::vector<std::string> compareWrittenSettings(const SettingsForm& wrote, const SettingsBytes& held) {
    const std::vector<std::uint8_t> sent = wrote.radioBytes();
    return controlDifferences(settingsFormOf(wrote, sent), settingsFormOf(wrote, held), "wrote ",
                              ", radio holds ");
}

std::vector<std::string> compareSettingsBytes(const std::vector<std::uint8_t>& wrote,
                                              const SettingsBytes& held) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < held.size() && i < wrote.size(); ++i) {
        if (i != kReservedSettingsByte && wrote[i] != held[i]) {
            lines.push_back(byteLine(i, wrote[i], held[i], "wrote ", ", radio holds "));
        }
    }
    return lines;
}

}  // namespace lumo
