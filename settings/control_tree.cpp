#include "settings/control_tree.h"

#include <charconv>
#include <utility>

namespace lumo {
namespace {

// Enough of a bad line to recognise it in a message.
constexpr std::size_t kQuotedLineLength = 40;

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

std::string quoted(std::string_view line) {
    if (line.size() <= kQuotedLineLength) {
        return "\"" + std::string(line) + "\"";
    }
    return "\"" + std::string(line.substr(0, kQuotedLineLength)) + "...\"";
}

// Walks a tree applying lines; throws on the first line that does not fit.
class TreeLoader {
  public:
    TreeLoader(const std::vector<std::string>& lines, std::size_t position)
        : lines_(lines), position_(position) {}

    void load(Control& control) {
        if (control.isContainer()) {
            for (Control& child : control.children) {
                load(child);
            }
            return;
        }
        switch (control.kind) {
            case ControlKind::ComboBox: {
                const int number = nextNumber();
                if (control.tag != 0) {
                    control.tag = std::int64_t{number} + 1;
                }
                control.select(number);
                break;
            }
            case ControlKind::EditBox: {
                const std::string& line = nextLine();
                if (control.tag > 0) {
                    control.text = line;
                }
                break;
            }
            case ControlKind::CheckBox:
            case ControlKind::RadioButton: {
                // Only a tagged control needs the line to be a number.
                const std::string& line = currentLine();
                if (control.tag != 0) {
                    control.tag = std::int64_t{nextNumber()} + 1;
                } else {
                    ++position_;
                }
                control.checked = trimmed(line) != "0";
                break;
            }
            default:
                break;
        }
    }

    std::size_t position() const { return position_; }

  private:
    const std::string& currentLine() const {
        if (position_ >= lines_.size()) {
            throw ControlTreeLoadError(position_ + 1, "Line " + std::to_string(position_ + 1) +
                                                          " is missing: the file ends after " +
                                                          std::to_string(lines_.size()) +
                                                          " lines.");
        }
        return lines_[position_];
    }

    const std::string& nextLine() {
        const std::string& line = currentLine();
        ++position_;
        return line;
    }

    int nextNumber() {
        const std::string& line = currentLine();
        const std::string_view digits = trimmed(line);
        const char* begin = digits.data();
        const char* end = begin + digits.size();
        if (!digits.empty() && digits.front() == '+') {
            ++begin;  // from_chars takes only a minus
        }
        int value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (digits.empty() || error != std::errc{} || stop != end) {
            throw ControlTreeLoadError(position_ + 1, "Line " + std::to_string(position_ + 1) +
                                                          " (" + quoted(line) +
                                                          ") is not a number.");
        }
        ++position_;
        return value;
    }

    const std::vector<std::string>& lines_;
    std::size_t position_;
};

}  // namespace

void Control::select(long long index) {
    itemIndex =
        index >= 0 && index < static_cast<long long>(items.size()) ? static_cast<int>(index) : -1;
}

std::string Control::selectedText() const {
    return itemIndex >= 0 && itemIndex < static_cast<int>(items.size())
               ? items[static_cast<std::size_t>(itemIndex)]
               : std::string();
}

const Control* findControl(const Control& root, std::string_view name) {
    if (root.name == name) {
        return &root;
    }
    for (const Control& child : root.children) {
        if (const Control* found = findControl(child, name)) {
            return found;
        }
    }
    return nullptr;
}

Control* findControl(Control& root, std::string_view name) {
    return const_cast<Control*>(findControl(std::as_const(root), name));
}

void SaveControlTree(const Control& control, std::vector<std::string>& lines) {
    if (control.isContainer()) {
        for (const Control& child : control.children) {
            SaveControlTree(child, lines);
        }
        return;
    }
    switch (control.kind) {
        case ControlKind::ComboBox:
            lines.push_back(std::to_string(control.itemIndex));
            break;
        case ControlKind::EditBox:
            lines.push_back(control.text);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            lines.push_back(control.checked ? "1" : "0");
            break;
        default:
            break;
    }
}

void LoadControlTree(Control& control, const std::vector<std::string>& lines,
                     std::size_t& position) {
    // Loading into a copy first keeps a bad file from leaving a half-loaded form.
    Control loaded = control;
    TreeLoader loader(lines, position);
    loader.load(loaded);
    control = std::move(loaded);
    position = loader.position();
}

}  // namespace lumo
