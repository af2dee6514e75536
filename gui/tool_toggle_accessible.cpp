#include "gui/tool_toggle_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace lumo {
namespace {

constexpr char kMarker[] = "lumoToggleTool";

class ToggleToolAccessible final : public QAccessibleWidget {
public:
    explicit ToggleToolAccessible(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty()) {
            text = button()->text().remove('&');
        }
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QStringList actionNames() const override {
        return button()->isEnabled() ? QStringList{pressAction(), toggleAction()} : QStringList{};
    }

    // Queued as a real click is, so the screen reader's call returns before whatever
    // the command opens (a file dialog, say) waits for the user.
    void doAction(const QString& name) override {
        if (button()->isEnabled() && (name == pressAction() || name == toggleAction())) {
            button()->animateClick();
        }
    }

private:
    QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* toggleToolFactory(const QString& className, QObject* object) {
    auto* button = qobject_cast<QToolButton*>(object);
    if (className == "QToolButton" && button != nullptr && button->property(kMarker).toBool()) {
        return new ToggleToolAccessible(button);
    }
    return nullptr;
}

}  // namespace

void makeToggleToolAccessible(QToolButton* button) {
    button->setProperty(kMarker, true);
    // Installed once however many windows ask: removing first keeps it single.
    QAccessible::removeFactory(toggleToolFactory);
    QAccessible::installFactory(toggleToolFactory);
    // Qt may have described the button already, as it was created before the mark (the
    // screen reader's bridge can come up at any moment of start-up); that description
    // goes, so the next question builds ours.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(button);
    if (made != nullptr && dynamic_cast<ToggleToolAccessible*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace lumo
