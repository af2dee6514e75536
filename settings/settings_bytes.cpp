#include "settings/settings_bytes.h"

#include <stdexcept>

#include "settings/settings_layout.h"

namespace lumo {
namespace {

namespace names = settings_controls;
using Kind = SettingsByteKind;

constexpr std::uint8_t kNoSelection = 0xFF;

// The named control of a const or mutable body.
template <typename Body>
auto& controlOf(Body& body, std::string_view name) {
    auto* control = findControl(body, name);
    if (control == nullptr) {
        throw std::logic_error("settings body has no " + std::string(name));
    }
    return *control;
}

}  // namespace

const std::array<SettingsByte, kSettingsLength> kSettingsBytes{{
    {0x0E20, Kind::ChannelNumber, names::kCurrentChannel},
    {0x0E21, Kind::EntryIndex, names::kCtcss},
    {0x0E22, Kind::EntryIndex, names::kDcs},
    {0x0E23, Kind::Reserved, {}},
    {0x0E24, Kind::EntryIndex, names::kSquelch},
    {0x0E25, Kind::EntryIndex, names::kHighPowerAllowed},
    {0x0E26, Kind::EntryIndex, names::kBeepVolume},
    {0x0E27, Kind::EntryIndex, names::kPower},
    {0x0E28, Kind::CheckBit, names::kHighTxPower},
    {0x0E29, Kind::EntryIndex, names::kVolume},
    {0x0E2A, Kind::EntryIndex, names::kBacklight},
    {0x0E2B, Kind::CheckBit, names::kKeyLock},
    {0x0E2C, Kind::CheckBit, names::kCeilingMounting},
    {0x0E2D, Kind::EntryIndex, names::kTimeOutTimer},
    {0x0E2E, Kind::EntryIndex, names::kPreAlert},
    {0x0E2F, Kind::Reserved, {}},
}};

void applySettingsBytes(Control& body, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSettingsBytesRead) {
        throw std::invalid_argument("settings block too short");
    }
    for (std::size_t i = 0; i < kSettingsBytesRead; ++i) {
        const SettingsByte& row = kSettingsBytes[i];
        const int byte = bytes[i];
        switch (row.kind) {
            case Kind::ChannelNumber:
                controlOf(body, row.control).select(byte - 1);
                break;
            case Kind::EntryIndex:
                controlOf(body, row.control).select(byte);
                break;
            case Kind::CheckBit:
                controlOf(body, row.control).checked = (byte & 0x01) != 0;
                break;
            case Kind::Reserved:
                break;
        }
    }
}

std::vector<std::uint8_t> settingsBytes(const Control& body) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kSettingsLength);
    for (const SettingsByte& row : kSettingsBytes) {
        switch (row.kind) {
            case Kind::ChannelNumber:
                bytes.push_back(
                    static_cast<std::uint8_t>(controlOf(body, row.control).itemIndex + 1));
                break;
            case Kind::EntryIndex: {
                const int index = controlOf(body, row.control).itemIndex;
                bytes.push_back(index < 0 ? kNoSelection : static_cast<std::uint8_t>(index));
                break;
            }
            case Kind::CheckBit:
                bytes.push_back(controlOf(body, row.control).checked ? 0x01 : 0x00);
                break;
            case Kind::Reserved:
                bytes.push_back(0x00);
                break;
        }
    }
    return bytes;
}

}  // namespace lumo
