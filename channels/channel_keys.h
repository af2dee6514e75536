#pragma once

#include <string>

namespace lumo {

inline constexpr char kBackspace = '\b';
// A key a filter has swallowed.
inline constexpr char kNoKey = '\0';

// The key filters of the frequency and name cells. A text longer than `limit` is
// emptied; the key is upper-cased and replaced by kNoKey unless the cell takes it.
// Returns the text to keep.
//
// Frequencies take backspace and digits, and "." while the text has none.
std::string FilterFrequencyKey(std::string text, char& key, std::size_t limit);
// Names take backspace, digits and letters.
std::string FilterNameKey(std::string text, char& key, std::size_t limit);

}  // namespace lumo
