#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "settings/control_tree.h"

namespace lumo {

// Where the settings live in radio memory: the block read, and the part of it used.
inline constexpr std::uint16_t kSettingsReadAddress = 0x0E00;
inline constexpr std::size_t kSettingsReadLength = 0x40;
inline constexpr std::uint16_t kSettingsAddress = 0x0E20;
inline constexpr std::size_t kSettingsLength = 16;
// A read takes the bytes up to 0x0E2E; the last byte is reserved.
inline constexpr std::size_t kSettingsBytesRead = 15;

// How one byte of the settings block stands for a control.
enum class SettingsByteKind {
    ChannelNumber,  // entry index + 1; nothing selected is 0x00
    EntryIndex,     // entry index; nothing selected is 0xFF
    CheckBit,       // 0x01 / 0x00; bit 0 when reading
    Reserved,       // always written as 0x00, ignored when reading
};

struct SettingsByte {
    std::uint16_t address;
    SettingsByteKind kind;
    std::string_view control;  // empty for a reserved byte
};

// The settings block 0x0E20..0x0E2F, byte by byte.
extern const std::array<SettingsByte, kSettingsLength> kSettingsBytes;

// Puts the bytes from 0x0E20 on (at least kSettingsBytesRead) into the controls of the
// settings body. A byte beyond the last entry of its list leaves no selection.
void applySettingsBytes(Control& body, std::span<const std::uint8_t> bytes);

// The 16 bytes 0x0E20..0x0E2F that the controls of the settings body stand for.
std::vector<std::uint8_t> settingsBytes(const Control& body);

}  // namespace lumo
