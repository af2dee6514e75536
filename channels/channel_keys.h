#pragma once

#include <string>

namespace lumo {

inline constexpr char kBackspace = '\b';
// A key a filter has swallowed.
inline constexpr char kNoKey = '\0';

// The key filters of the frequency and name cells. `text` is what the key goes into:
// the cell's text less any selected part the key replaces. The key is upper-cased and
// replaced by kNoKey unless the cell takes it. Once the text is longer than `limit`
// only backspace passes: a further key is dropped, never the text. Returns the text to
// keep.
//
// Frequencies take backspace and digits, and "." while the text has none.
std::string FilterFrequencyKey(std::string text, char& key, std::size_t limit);
// Names take backspace, digits and letters.
std::string FilterNameKey(std::string text, char& key, std::size_t limit);

}  // namespace lumo
