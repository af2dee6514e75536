// Hex command texts: conversion never reads or writes out of bounds, never yields more
// than the command buffer holds, and formatting what it gives converts back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "link/hex_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto bytes = lumo::parseHexText(text);
        if (bytes.size() > lumo::kCommandBytesSize) {
            std::abort();
        }
        if (lumo::parseHexText(lumo::formatHexText(bytes)) != bytes) {
            std::abort();
        }
    } catch (const lumo::HexTextError&) {
    }
    return 0;
}
