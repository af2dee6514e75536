#include "shell/clock_time.h"

#include <chrono>
#include <ctime>

namespace lumo {

std::string clockTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

std::string localDateTime(std::chrono::system_clock::time_point when, bool compact) {
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, compact ? "%Y%m%d-%H%M%S" : "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace lumo
