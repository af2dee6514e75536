#include "channels/celframe.h"

namespace lumo {

TForm2::TForm2(AppState& state, QWidget* parent) : ChildWindow(state, ChildKind::Channel, parent) {
    setObjectName("TForm2");
    resize(760, 420);
}

QString TForm2::titleText() const {
    const Session& s = state_.session;
    return QString::fromStdString(s.modeName() + "[" + shortestDecimal(s.BandLow) + "-" +
                                  shortestDecimal(s.BandHigh) + "Mhz]" +
                                  state_.strings.channelConfig);
}

}  // namespace lumo
