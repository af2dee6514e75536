#include "link/port_map.h"

#include <cctype>
#include <charconv>

namespace lumo {

std::optional<int> comNumber(const std::string& name) {
    if (name.size() < 4) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i]) {
            return std::nullopt;
        }
    }
    int number = 0;
    const char* first = name.data() + 3;
    const char* last = name.data() + name.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc{} || end != last || number < 1) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> PortMap::resolve(const std::string& name) const {
    if (!name.empty() && name.front() == '/') {
        return name;
    }
    const auto number = comNumber(name);
    if (!number) {
        return std::nullopt;
    }
    if (const auto pinned = pins_.find(*number); pinned != pins_.end()) {
        return pinned->second;
    }
    const auto index = static_cast<std::size_t>(*number - 1);
    if (index < present_.size()) {
        const PresentPort& port = present_[index];
        return port.byId.empty() ? port.path : port.byId;
    }
    return std::nullopt;
}

}  // namespace lumo
