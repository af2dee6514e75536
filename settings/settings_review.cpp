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

}  // namespace

WriteReview reviewSettingsWrite(const SettingsForm& form,
                                const std::optional<KnownRadioSettings>& radio) {
    WriteReview review;
    if (!radio) {
        return review;
    }
    review.source = radio->source;
    const std::vector<std::string> now = settingsListing(form);
    const std::vector<std::string> before = settingsListing(radio->form);
    for (std::size_t i = 0; i < now.size() && i < before.size(); ++i) {
        if (now[i] == before[i]) {
            continue;
        }
        // "Label: value" on both sides, the label the same.
        // The listing pads its columns; the review needs no padding.
        const auto trimmed = [](std::string text) {
            const std::size_t first = text.find_first_not_of(' ');
            const std::size_t last = text.find_last_not_of(' ');
            return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
        };
        const std::size_t colon = now[i].find(": ");
        const std::string label =
            trimmed(colon == std::string::npos ? now[i] : now[i].substr(0, colon));
        const auto value = [&](const std::string& line) {
            const std::size_t at = line.find(": ");
            return trimmed(at == std::string::npos ? line : line.substr(at + 2));
        };
        review.changes.push_back(label + ": " + value(before[i]) + " -> " + value(now[i]));
    }
    if (review.changes.empty()) {
        const std::vector<std::uint8_t> wrote = form.radioBytes();
        const std::vector<std::uint8_t> held = radio->form.radioBytes();
        for (std::size_t i = 0; i < wrote.size() && i < held.size(); ++i) {
            if (i != kReservedSettingsByte && wrote[i] != held[i]) {
                review.changes.push_back(byteLine(i, held[i], wrote[i], "", " -> "));
            }
        }
    }
    review.kind = review.changes.empty() ? WriteReview::Kind::NoChanges : WriteReview::Kind::Changes;
    return review;
}

std::vector<std::string> compareWrittenSettings(const std::vector<std::uint8_t>& wrote,
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
