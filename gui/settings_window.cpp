// The settings window: the radio's function settings as check boxes and lists.
#include "gui/settings_window.h"

#include <QGridLayout>
#include <algorithm>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/qt_transfer_host.h"
#include "gui/widget_names.h"
#include "settings/optw_file.h"
#include "shell/preferences.h"

namespace lumo {
namespace {

namespace names = settings_controls;

// The window's size beyond its body panel: the title strip.
constexpr int kFrameHeight = 29;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

SettingsWindow::SettingsWindow(AppState& state, QWidget* parent)
    : ChildWindow(state, ChildKind::Settings, parent),
      form_(state.strings),
      commands_(form_, state.session, *state.link),
      document_(form_, commands_, state.session, *state.documents),
      subject_(form_, commands_, document_),
      flow_(subject_, state.settingsOnRadio, *state.link,
            flowFrontEnd([this](const WriteReview& review) { return confirmWrite(review); })) {
    setObjectName(kSettingsWindowName);
    confirmWrite = [this](const WriteReview& review) { return askWriteReview(this, review, "settings"); };
    const Control& tree = form_.body();
    body->setObjectName(text(tree.name));
    // Panel1 and Panel2 share one place; Panel2 lies on top and covers Panel1 whole.
    auto* stack = new QGridLayout(body);
    stack->setContentsMargins(0, 0, 0, 0);
    for (const Control& child : tree.children) {
        if (child.kind != ControlKind::Panel) {
            continue;  // the progress line and buttons are the frame's own
        }
        auto* panelWidget = new QWidget(body);
        panelWidget->setObjectName(text(child.name));
        panelWidget->setAutoFillBackground(true);
        buildPanel(child, panelWidget);
        stack->addWidget(panelWidget, 0, 0);
        panels_[child.name] = panelWidget;
    }
    for (auto& [name, widget] : panels_) {
        if (!form_.control(name).covered) {
            widget->raise();
            continue;
        }
        // What lies under the cover is never seen: Tab must not reach it, or a key
        // would change a setting the user cannot see.
        for (QWidget* control : widget->findChildren<QWidget*>()) {
            control->setFocusPolicy(Qt::NoFocus);
        }
    }
    chainFocus(focusOrder());
    form_.setChangeListener([this] { showForm(); });
    showForm();

    connect(readButton_, &QPushButton::clicked, this, &SettingsWindow::readFromRadio);
    connect(writeButton_, &QPushButton::clicked, this, &SettingsWindow::writeToRadio);
    connect(resetButton_, &QPushButton::clicked, this, &SettingsWindow::restoreDefaults);
    connect(saveButton_, &QPushButton::clicked, this, &SettingsWindow::saveSettings);
    connect(openButton_, &QPushButton::clicked, this, &SettingsWindow::openSettings);
    setFixedSize(tree.width, tree.height + kFrameHeight);
}

// Labels stand beside the control they describe, two pairs to a row; a check box
// takes the place of a pair.
void SettingsWindow::buildPanel(const Control& panel, QWidget* into) {
    auto* grid = new QGridLayout(into);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    int slot = 0;
    const auto place = [&](QWidget* label, QWidget* control) {
        if (label == nullptr) {
            grid->addWidget(control, slot / 2, (slot % 2) * 2, 1, 2);
        } else {
            grid->addWidget(label, slot / 2, (slot % 2) * 2);
            grid->addWidget(control, slot / 2, (slot % 2) * 2 + 1);
        }
        if (!control->isHidden()) {
            ++slot;
        }
    };
    for (const Control& child : panel.children) {
        const QString tip = text(settingsToolTip(child.name));
        switch (child.kind) {
            case ControlKind::Label: {
                auto* label = new QLabel(text(child.caption), into);
                label->setObjectName(text(child.name));
                label->setVisible(child.visible);
                label->setEnabled(child.enabled);
                labels_[child.focusControl] = label;
                break;
            }
            case ControlKind::ComboBox: {
                auto* box = new QComboBox(into);
                box->setObjectName(text(child.name));
                box->setEditable(false);
                for (const std::string& item : child.items) {
                    box->addItem(text(item));
                }
                box->setToolTip(tip);
                box->setVisible(child.visible);
                box->setEnabled(child.enabled);
                const std::string name = child.name;
                // `activated` comes from the user alone: a value the program sets is
                // never taken for a pick.
                connect(box, &QComboBox::activated, this,
                        [this, name](int index) { form_.userSelect(name, index); });
                combos_[name] = box;
                QLabel* label = labels_.count(name) != 0 ? labels_[name] : nullptr;
                if (label != nullptr) {
                    label->setBuddy(box);
                    label->setToolTip(tip);
                }
                place(label, box);
                break;
            }
            case ControlKind::CheckBox: {
                auto* check = new QCheckBox(text(child.caption), into);
                check->setObjectName(text(child.name));
                check->setToolTip(tip);
                check->setVisible(child.visible);
                check->setEnabled(child.enabled);
                const std::string name = child.name;
                connect(check, &QCheckBox::clicked, this,
                        [this, name](bool checked) { form_.userCheck(name, checked); });
                checks_[name] = check;
                place(nullptr, check);
                break;
            }
            default: break;
        }
    }
    grid->setRowStretch(slot / 2 + 1, 1);
}

// The controls of the panel on top, row by row and left to right as the grid shows them.
// A hidden control may share its cell with the visible one placed after it.
std::vector<QWidget*> SettingsWindow::focusOrder() const {
    struct Placed {
        int row;
        int column;
        QWidget* widget;
    };
    std::vector<Placed> placed;
    for (const auto& [name, panel] : panels_) {
        auto* grid = qobject_cast<QGridLayout*>(panel->layout());
        if (form_.control(name).covered || grid == nullptr) {
            continue;
        }
        for (int i = 0; i < grid->count(); ++i) {
            QWidget* widget = grid->itemAt(i)->widget();
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            if (widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) != 0) {
                placed.push_back({row, column, widget});
            }
        }
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    std::vector<QWidget*> order;
    for (const Placed& p : placed) {
        order.push_back(p.widget);
    }
    return order;
}

// The widgets take the form's values without sending anything back.
void SettingsWindow::showForm() {
    for (auto& [name, box] : combos_) {
        const int index = form_.control(name).itemIndex;
        if (box->currentIndex() != index) {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(index);
        }
    }
    for (auto& [name, check] : checks_) {
        const bool checked = form_.control(name).checked;
        if (check->isChecked() != checked) {
            const QSignalBlocker quiet(check);
            check->setChecked(checked);
        }
    }
}

QComboBox* SettingsWindow::comboBox(const std::string& name) const {
    const auto found = combos_.find(name);
    return found == combos_.end() ? nullptr : found->second;
}

QCheckBox* SettingsWindow::checkBox(const std::string& name) const {
    const auto found = checks_.find(name);
    return found == checks_.end() ? nullptr : found->second;
}

QWidget* SettingsWindow::panel(const std::string& name) const {
    const auto found = panels_.find(name);
    return found == panels_.end() ? nullptr : found->second;
}

QString SettingsWindow::titleText() const {
    return text(settingsTitle(state_.session));
}

void SettingsWindow::showEvent(QShowEvent* event) {
    ChildWindow::showEvent(event);
    setWindowTitle(text(std::string(kSettingsCaption)));
}

bool SettingsWindow::mayClose() {
    return document_.confirmClose();
}

void SettingsWindow::readFromRadio() {
    if (state_.session.Busy) {
        return;
    }
    QtTransferHost host(progressBar);
    flow_.read(host);
}

void SettingsWindow::writeToRadio() {
    if (state_.session.Busy) {
        return;
    }
    const Preferences preferences = loadPreferences(*state_.store);
    QtTransferHost host(progressBar);
    flow_.write(host, {preferences.reviewBeforeWrite, preferences.verifyAfterWrite});
}

void SettingsWindow::stopTransfer() {
    flow_.requestStop();
}

void SettingsWindow::openBackup(const std::filesystem::path& file) {
    document_.openBackup(file);
}

void SettingsWindow::restoreDefaults() {
    commands_.restoreDefaults();
}

void SettingsWindow::saveSettings() {
    document_.saveSettings();
}

void SettingsWindow::openSettings() {
    document_.openSettings();
}

}  // namespace lumo
