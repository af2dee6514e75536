#include "settings/option_dune.h"

namespace lumo {

TFormDune::TFormDune(AppState& state, QWidget* parent)
    : ChildWindow(state, ChildKind::Settings, parent) {
    setObjectName("TFormDune");
    resize(520, 420);
}

QString TFormDune::titleText() const {
    return QString::fromStdString(state_.session.modeName() + state_.strings.paramConfig);
}

}  // namespace lumo
