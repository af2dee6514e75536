#include "base/document_dialogs.h"

namespace lumo {

std::string descriptionsOfFilter(const std::string& filter) {
    std::string result;
    std::size_t start = 0;
    bool description = true;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            bar = filter.size();
        }
        if (description && bar > start) {
            if (!result.empty()) {
                result += ";;";
            }
            result += filter.substr(start, bar - start);
        }
        description = !description;
        start = bar + 1;
    }
    return result;
}

}  // namespace lumo
