#include "base/session.h"

namespace lumo {
namespace {

constexpr int kTarnModel = 3;
constexpr Frequency kTarnBandLow = Frequency::fromMegahertz(440);
constexpr Frequency kTarnBandHigh = Frequency::fromMegahertz(451);

}  // namespace

void Session::configureBands() {
    ModelIndex = kTarnModel;
    BandLow = kTarnBandLow;
    BandHigh = kTarnBandHigh;
    Band2High = BandHigh;
}

void Session::setUp() {
    statusPanels = {strings_.connectState, strings_.disconnect, strings_.modePrefix,
                    strings_.unknow};
    configureBands();
    strings_.DetectMessages[kTarnModel - 1] =
        strings_.detectPrefix + strings_.ModeNames[kTarnModel - 1] + strings_.detectSuffix;
    strings_.ModeNames[kTarnModel - 1] = "Tarn";
    channelAndParamEnabled = true;
    statusPanels[1] = strings_.connect;
    statusPanels[3] = modeName();
    Band2Low = BandLow;
}

bool Session::lateSetUp(UserDialogs& dialogs) {
    if (!dialogs.askQuestion(strings_.deviceNoConnectConnectNow)) {
        return false;
    }
    configureBands();
    Band2Low = BandLow;
    dialogs.showMessage(bandLimitsMessage());
    return true;
}

std::string Session::modeName() const {
    if (ModelIndex < 1 || ModelIndex > static_cast<int>(strings_.ModeNames.size())) {
        return {};
    }
    return strings_.ModeNames[static_cast<std::size_t>(ModelIndex - 1)];
}

bool Session::isInRange(const PreciseFrequency& frequency) const {
    for (const Band& band : bands()) {
        if (band.containsStrictly(frequency)) {
            return true;
        }
    }
    return false;
}

std::string Session::bandLimitsMessage() const {
    const std::size_t entry = static_cast<std::size_t>(ModelIndex - 1);
    const std::string detect =
        entry < strings_.DetectMessages.size() ? strings_.DetectMessages[entry] : std::string();
    return detect + "Band Limits[" + shortestDecimal(BandLow) + "-" + shortestDecimal(BandHigh) +
           "Mhz]";
}

}  // namespace lumo
