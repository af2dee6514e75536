#include "sim/radio_fleet.h"

#include <charconv>

namespace tarnsim {

std::optional<FleetFault> parseFleetFault(const std::string& text, std::string& error) {
    FleetFault result;
    std::string faultText = text;
    if (const auto percent = text.rfind('%'); percent != std::string::npos) {
        const char* first = text.data() + percent + 1;
        const char* last = text.data() + text.size();
        const auto [end, failure] = std::from_chars(first, last, result.radio);
        if (first == last || failure != std::errc{} || end != last || result.radio < 1) {
            error = "bad radio number in fault '" + text + "'";
            return std::nullopt;
        }
        faultText = text.substr(0, percent);
    }
    const auto fault = parseFault(faultText, error);
    if (!fault) {
        return std::nullopt;
    }
    result.fault = *fault;
    return result;
}

RadioFleet::RadioFleet(int count, std::span<const std::uint8_t> image,
                       const TarnRadio::Options& options, const std::vector<FleetFault>& faults) {
    for (int number = 1; number <= count; ++number) {
        TarnRadio::Options own = options;
        for (const FleetFault& fault : faults) {
            if (fault.radio == 0 || fault.radio == number) {
                own.faults.push_back(fault.fault);
            }
        }
        radios_.push_back(std::make_unique<TarnRadio>(std::move(own)));
        radios_.back()->loadMemory(image);
    }
}

void RadioFleet::swap(RadioServer& server, std::chrono::milliseconds gap) {
    if (current_ > count()) {
        return;
    }
    const int next = current_ + 1;
    current_ = next;
    server.swapRadio(next <= count() ? &radio(next) : nullptr, gap);
}

}  // namespace tarnsim
