// The settings window: the radio's function settings as check boxes and lists.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <functional>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "gui/child_window.h"
#include "gui/write_review_dialog.h"
#include "settings/settings_commands.h"
#include "settings/settings_document.h"
#include "settings/settings_form.h"
#include "settings/settings_review.h"
#include "shell/settings_write_subject.h"
#include "shell/write_flow.h"

namespace lumo {

// The settings window of the Tarn. Its controls are built from the settings layout
// and show the SettingsForm: values put in by Read, Default and Open reach the widgets
// without counting as the user's pick; the user's picks go to the form's own rules.
class SettingsWindow final : public ChildWindow {
    Q_OBJECT
  public:
    explicit SettingsWindow(AppState& state, QWidget* parent = nullptr);

    const SettingsForm& form() const { return form_; }
    QComboBox* comboBox(const std::string& name) const;
    QCheckBox* checkBox(const std::string& name) const;
    QWidget* panel(const std::string& name) const;

    // A settings backup into the controls, to write or to save.
    void openBackup(const std::filesystem::path& file);

    // The review before a write; tests answer it.
    std::function<ReviewAnswer(const WriteReview& review)> confirmWrite;

  protected:
    QString titleText() const override;
    void showEvent(QShowEvent* event) override;
    bool mayClose() override;
    void stopTransfer() override;

  private:
    void buildPanel(const Control& panel, QWidget* into);
    std::vector<QWidget*> focusOrder() const;
    void showForm();
    void readFromRadio();
    void writeToRadio();
    void restoreDefaults();
    void saveSettings();
    void openSettings();

    SettingsForm form_;
    SettingsCommands commands_;
    SettingsDocument document_;
    SettingsWriteSubject subject_;
    WriteFlow flow_;
    std::map<std::string, QComboBox*> combos_;
    std::map<std::string, QCheckBox*> checks_;
    std::map<std::string, QWidget*> panels_;
    std::map<std::string, QLabel*> labels_;
};

}  // namespace lumo
