#pragma once

#include <string_view>
#include <vector>

namespace lumo {

// Splits the text of our files into lines at CR LF, a lone CR or LF, as the files of
// the Windows-era program are read; a final line without an ending still counts, and
// a final line break does not start another line.
std::vector<std::string_view> splitTextLines(std::string_view text);

}  // namespace lumo
