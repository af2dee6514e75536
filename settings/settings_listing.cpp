#include "settings/settings_listing.h"

#include <algorithm>

namespace lumo {
namespace {

struct Entry {
    std::string label;
    std::string value;
    bool seen;
};

// A label without the blanks and colon some captions end in.
std::string tidyLabel(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) {
        text.pop_back();
    }
    return text;
}

std::string valueText(const Control& control) {
    if (control.kind != ControlKind::ComboBox) {
        return control.checked ? "checked" : "unchecked";
    }
    if (control.itemIndex < 0) {
        return "(none)";
    }
    const std::string text = control.selectedText();
    return text.empty() ? "(blank)" : text;
}

void collect(const SettingsForm& form, const Control& control, std::vector<Entry>& entries) {
    for (const Control& child : control.children) {
        if (child.isContainer()) {
            collect(form, child, entries);
        } else if (child.kind == ControlKind::Label && !child.focusControl.empty()) {
            const Control& described = form.control(child.focusControl);
            if (described.kind == ControlKind::ComboBox) {
                entries.push_back(
                    {tidyLabel(child.caption), valueText(described), form.isSeen(described.name)});
            }
        } else if (child.kind == ControlKind::CheckBox) {
            entries.push_back(
                {tidyLabel(child.caption), valueText(child), form.isSeen(child.name)});
        }
    }
}

}  // namespace

std::vector<std::string> settingsListing(const SettingsForm& form) {
    std::vector<Entry> entries;
    collect(form, form.body(), entries);
    std::stable_partition(entries.begin(), entries.end(), [](const Entry& e) { return e.seen; });
    std::size_t width = 0;
    for (const Entry& e : entries) {
        width = std::max(width, e.label.size());
    }
    std::vector<std::string> lines;
    for (const Entry& e : entries) {
        std::string line = e.label + ":" + std::string(width - e.label.size() + 2, ' ') + e.value;
        if (!e.seen) {
            line += "  (hidden)";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace lumo
