#include "channels/channel_keys.h"

#include <cctype>

namespace lumo {
namespace {

char upper(char key) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
}

bool isDigit(char key) {
    return key >= '0' && key <= '9';
}

// A key past the limit would have emptied the cell; it is dropped instead.
void dropPastLimit(const std::string& text, char& key, std::size_t limit) {
    if (key != kBackspace && text.size() > limit) {
        key = kNoKey;
    }
}

}  // namespace

std::string FilterFrequencyKey(std::string text, char& key, std::size_t limit) {
    key = upper(key);
    const bool hasPoint = text.find('.') != std::string::npos;
    if (!(key == kBackspace || isDigit(key) || (key == '.' && !hasPoint))) {
        key = kNoKey;
    }
    dropPastLimit(text, key, limit);
    return text;
}

std::string FilterNameKey(std::string text, char& key, std::size_t limit) {
    key = upper(key);
    if (!(key == kBackspace || isDigit(key) || (key >= 'A' && key <= 'Z'))) {
        key = kNoKey;
    }
    dropPastLimit(text, key, limit);
    return text;
}

}  // namespace lumo
