#pragma once

#include "shell/child_window.h"

namespace lumo {

// The settings window of the Tarn.
class TFormDune final : public ChildWindow {
    Q_OBJECT
  public:
    explicit TFormDune(AppState& state, QWidget* parent = nullptr);

  protected:
    QString titleText() const override;
};

}  // namespace lumo
