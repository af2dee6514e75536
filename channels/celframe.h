#pragma once

#include "shell/child_window.h"

namespace lumo {

// The channel window.
class TForm2 final : public ChildWindow {
    Q_OBJECT
public:
    explicit TForm2(AppState& state, QWidget* parent = nullptr);

protected:
    QString titleText() const override;
};

}  // namespace lumo
