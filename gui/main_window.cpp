// The main window: menus, tool bar, status bar and the background behind the child windows.
#include "gui/main_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QScreen>
#include <QToolBar>
#include <QWindow>
#include <algorithm>

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "gui/channel_window.h"
#include "gui/channel_menus.h"
#include "gui/keyboard_menus.h"
#include "gui/settings_window.h"
#include "gui/title_strip.h"
#include "gui/tool_toggle_accessible.h"
#include "gui/toolbar_icons.h"
#include "gui/widget_names.h"
#include "shell/picture_file.h"

namespace lumo {
namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

QImage toQImage(const RgbImage& image) {
    const QImage view(image.pixels.data(), image.width, image.height, image.width * 3,
                      QImage::Format_RGB888);
    return view.copy();
}

struct ToolItem {
    int number;  // ToolButtonN
    int image;
    const char* hint;
    MainCommand command;
    const char* description;  // what a screen reader adds to the hint
};

// The tool bar from left to right; 0 marks a separator.
constexpr ToolItem kToolItems[] = {
    {1, 0, "New", MainCommand::New, "Starts the active window afresh"},
    {2, 1, "Open", MainCommand::Open, "Opens a file in the active window"},
    {4, 2, "Save As..", MainCommand::SaveAs, "Saves the active window's data to a file"},
    {0, 0, nullptr, MainCommand::New, nullptr},
    {5, 3, "Print", MainCommand::Print, "Prints the active window"},
    {0, 0, nullptr, MainCommand::New, nullptr},
    {0, 0, nullptr, MainCommand::New, nullptr},
    {12, 12, "Channel", MainCommand::Channel, "Opens the channel window"},
    {13, 13, "Param", MainCommand::Param, "Opens the function settings window"},
    {0, 0, nullptr, MainCommand::New, nullptr},
    {6, 9, "Read", MainCommand::Read, "Reads the active window's data from the radio"},
    {8, 8, "Write", MainCommand::Write, "Writes the active window's data to the radio"},
    {0, 0, nullptr, MainCommand::New, nullptr},
    {10, 7, "Exit", MainCommand::Exit, "Closes Lumo"},
};

}  // namespace

void BackgroundArea::setPicture(QImage picture) {
    picture_ = std::move(picture);
    scaled_ = QPixmap();
    viewport()->update();
}

void BackgroundArea::paintEvent(QPaintEvent* event) {
    if (picture_.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    const QSize size = viewport()->size();
    if (scaled_.size() != size) {
        scaled_ = QPixmap::fromImage(
            picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, scaled_);
}

MainWindow::MainWindow(AppState& state, const std::filesystem::path& programPath, QWidget* parent)
    : QMainWindow(parent), state_(state), mdiArea_(new BackgroundArea(this)) {
    setObjectName(kMainWindowName);
    setCentralWidget(mdiArea_);
    // The window's own size, but never more than the screen it opens on (at twice the
    // pixels 880x668 is more than many screens hold): there the child windows scroll
    // inside it instead. The margin leaves room for the window's frame.
    const QSize room = screen()->availableGeometry().size() - QSize(16, 48);
    setMinimumSize(QSize(880, 668).boundedTo(room));
    resize(QSize(828, 562).boundedTo(room));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setMouseTracking(true);
    mdiArea_->viewport()->installEventFilter(this);
    createMenus();
    createToolBar();
    createStatusBar();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* window) {
        if (window != nullptr) {
            if (auto* child = qobject_cast<ChildWindow*>(window->widget())) {
                child->activated();
            }
        }
    });

    state_.warn = [this](const std::string& text) {
        statusBar()->showMessage(QString::fromStdString(text), 15000);
    };
    ProbePorts(state_, programPath);
    try {
        const RgbImage picture = LoadPictureFile(state_.AppDir, kBackgroundPicture, state_.strings);
        mdiArea_->setPicture(toQImage(picture));
    } catch (const PictureFileError& e) {
        // Without its background the window still opens, with no session set up.
        state_.dialogs.showWarning(e.what());
        return;
    }
    state_.session.setUp();
    applySession();
}

MainWindow::~MainWindow() {
    state_.warn = nullptr;  // the status bar goes with the window
}

void MainWindow::createMenus() {
    fileMenu_ = menuBar()->addMenu("&File");
    newEntry_ = fileMenu_->addAction("New", this, [this] { runCommand(MainCommand::New); });
    newEntry_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    openEntry_ = fileMenu_->addAction("Open", this, [this] { runCommand(MainCommand::Open); });
    openEntry_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    fileMenu_->addSeparator();
    saveEntry_ = fileMenu_->addAction("Save");
    saveAsEntry_ =
        fileMenu_->addAction("Save as", this, [this] { runCommand(MainCommand::SaveAs); });
    saveAsEntry_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    fileMenu_->addSeparator();
    printEntry_ = fileMenu_->addAction("Print", this, [this] { runCommand(MainCommand::Print); });
    printEntry_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // For a desktop without a printer: the same pages on screen or in a PDF.
    printPreview_ = fileMenu_->addAction("Print Preview...", this, [this] { printPreview(); });
    exportPdf_ = fileMenu_->addAction("Export PDF...", this, [this] { exportPdf(); });
    QAction* beforeExit = fileMenu_->addSeparator();
    exitEntry_ = fileMenu_->addAction("Exit", this, [this] { runCommand(MainCommand::Exit); });

    editMenu_ = menuBar()->addMenu("&Edit");
    connectEntry_ = editMenu_->addAction(text(state_.strings.disconnectEntry));
    connectEntry_->setVisible(false);
    channelEntry_ =
        editMenu_->addAction("Channel", this, [this] { runCommand(MainCommand::Channel); });
    paramEntry_ = editMenu_->addAction("Param", this, [this] { runCommand(MainCommand::Param); });
    channelEntry_->setEnabled(false);
    paramEntry_->setEnabled(false);

    portMenu_ = menuBar()->addMenu("Port");
    portMenu_->setToolTipsVisible(true);
    // A cable plugged in after start-up shows up the next time the menu opens.
    connect(portMenu_, &QMenu::aboutToShow, this, [this] { refreshPortMenu(); });
    portGroup_ = new QActionGroup(this);
    portGroup_->setExclusive(true);
    for (int position = 0; position < kPortItemCount; ++position) {
        QAction* item = portMenu_->addAction(QString("Com&%1").arg(position + 1));
        item->setCheckable(true);
        item->setProperty("Tag", position + 1);
        // The port name lives in the item's data; a status tip would take over the
        // status bar while the mouse rests on the item.
        item->setData(text(portHint(position)));
        portGroup_->addAction(item);
        connect(item, &QAction::triggered, this, [this, position] { portItemClicked(position); });
        portItems_[static_cast<std::size_t>(position)] = item;
    }
    portItems_[0]->setChecked(true);
    noPortEntry_ = portMenu_->addAction("No serial port found");
    noPortEntry_->setEnabled(false);
    noPortEntry_->setVisible(false);
    unnumberedSeparator_ = portMenu_->addSeparator();
    unnumberedSeparator_->setVisible(false);

    helpMenu_ = menuBar()->addMenu("&Help");
    helpEntry_ = helpMenu_->addAction("Help");
    helpMenu_->addSeparator();
    aboutEntry_ = helpMenu_->addAction("About");

    channelMenus_ = new ChannelMenus(
        *this, state_, fileMenu_, beforeExit, editMenu_, portMenu_, [this] {
            return (state_.session.WindowFlags & 8) != 0
                       ? qobject_cast<ChannelWindow*>(child(ChildKind::Channel))
                       : nullptr;
        });
    channelMenus_->showChild = [this](ChildKind kind) {
        runCommand(kind == ChildKind::Channel ? MainCommand::Channel : MainCommand::Param);
        return child(kind);
    };
    keyboard_ = addKeyboardEntries(*this, *mdiArea_, channelMenus_->viewMenu(), portMenu_,
                                   [this](MainCommand command) { runCommand(command); });
}

void MainWindow::createToolBar() {
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName(kToolBarName);
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setFixedHeight(29);
    bar->setMouseTracking(true);
    bar->installEventFilter(this);
    for (const ToolItem& item : kToolItems) {
        if (item.number == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action =
            bar->addAction(toolbarIcon(item.image, palette().color(QPalette::Window)), item.hint);
        action->setObjectName(kToolButtonNamePrefix + QString::number(item.number));
        action->setToolTip(item.hint);
        const MainCommand command = item.command;
        const bool windowButton = item.number == 12 || item.number == 13;
        connect(action, &QAction::triggered, this, [this, command, windowButton] {
            runCommand(command);
            // The click has toggled the button; it shows the window again, open or not,
            // so pressing a pressed button brings its window forward and stays pressed.
            if (windowButton) {
                showOpenWindows();
            }
        });
        action->setCheckable(windowButton);
        toolActions_[item.number] = action;
        if (QWidget* widget = bar->widgetForAction(action)) {
            widget->setProperty("lumoHint", QString(item.hint));
            widget->setAccessibleDescription(item.description);
            widget->installEventFilter(this);
            if (action->isCheckable()) {
                makeToggleToolAccessible(static_cast<QToolButton*>(widget));
            }
        }
    }
    // Shown when the window is too narrow for every tool.
    if (auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button")) {
        more->setAccessibleName("More tools");
    }
}

void MainWindow::drawToolIcons() {
    const QColor ground = palette().color(QPalette::Window);
    for (const ToolItem& item : kToolItems) {
        if (item.number != 0) {
            toolActions_[item.number]->setIcon(toolbarIcon(item.image, ground));
        }
    }
}

// A palette chosen while the program runs, light or dark, takes the tool bar with it.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        drawToolIcons();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::createStatusBar() {
    struct Panel {
        int width;
        Qt::Alignment alignment;
    };
    const Panel layout[5] = {{90, Qt::AlignRight}, {80, Qt::AlignHCenter},
                             {70, Qt::AlignRight}, {88, Qt::AlignLeft},
                             {88, Qt::AlignRight}};
    statusBar()->setFixedHeight(23);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        label->setMinimumWidth(layout[i].width);
        label->setAlignment(layout[i].alignment | Qt::AlignVCenter);
        if (i < 4) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        statusBar()->addWidget(label, i == 4 ? 1 : 0);
        panels_[i] = label;
    }
}

void MainWindow::applySession() {
    for (std::size_t i = 0; i < state_.session.statusPanels.size(); ++i) {
        panels_[i]->setText(text(state_.session.statusPanels[i]));
    }
    channelEntry_->setEnabled(state_.session.channelAndParamEnabled);
    paramEntry_->setEnabled(state_.session.channelAndParamEnabled);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) {
        return;
    }
    firstShow_ = false;
    setWindowTitle(text(state_.strings.TitleText));
    applyMenuCaptions();
    applyPortChoice();
    emit shown();
}

void MainWindow::applyMenuCaptions() {
    const LanguageStrings& s = state_.strings;
    fileMenu_->setTitle(text(s.fileMenu));
    newEntry_->setText(text(s.newEntry));
    openEntry_->setText(text(s.openEntry));
    saveEntry_->setText(text(s.saveEntry));
    saveAsEntry_->setText(text(s.saveAsEntry));
    printEntry_->setText(text(s.printEntry));
    exitEntry_->setText(text(s.exitEntry));
    editMenu_->setTitle(text(s.editMenu));
    connectEntry_->setText(text(s.connectEntry));
    channelEntry_->setText(text(s.channelEntry));
    paramEntry_->setText(text(s.paramEntry));
    portMenu_->setTitle(text(s.portMenu));
    helpMenu_->setTitle(text(s.helpMenu));
    helpEntry_->setText(text(s.helpEntry));
    aboutEntry_->setText(text(s.aboutEntry));
}

void MainWindow::applyPortChoice() {
    state_.refreshPorts();
    showPresentPorts();
    selectPort(choosePortItem(ReadPortSetting(*state_.store), presentItems()), false);
}

void MainWindow::refreshPortMenu() {
    // The items are unavailable during a transfer, and the worker is using the map.
    const bool idle = !state_.session.Busy;
    for (QAction* item : portItems_) {
        item->setEnabled(idle);
    }
    if (!idle) {
        return;
    }
    state_.refreshPorts();
    showPresentPorts();
    // A checked port that is not there gives way to the saved one or the first present
    // one, as at start-up; a present checked port stays.
    const auto visible = presentItems();
    if (!visible[static_cast<std::size_t>(checkedPort_)]) {
        selectPort(choosePortItem(ReadPortSetting(*state_.store), visible), false);
    }
}

std::array<bool, kPortItemCount> MainWindow::presentItems() const {
    std::array<bool, kPortItemCount> visible{};
    for (std::size_t i = 0; i < visible.size(); ++i) {
        visible[i] = portItems_[i]->isVisible();
    }
    return visible;
}

void MainWindow::showPresentPorts() {
    const PortAssignments& ports = *state_.ports;
    const auto visible = ListSerialPorts(ports.presentNames());
    for (int position = 0; position < kPortItemCount; ++position) {
        QAction* item = portItems_[static_cast<std::size_t>(position)];
        item->setVisible(visible[static_cast<std::size_t>(position)]);
        const std::string device = ports.deviceFor(position + 1);
        item->setToolTip(text(device.empty() ? portHint(position) : device));
    }
    noPortEntry_->setVisible(std::none_of(visible.begin(), visible.end(), [](bool v) { return v; }));

    for (QAction* entry : unnumberedEntries_) {
        portMenu_->removeAction(entry);
        entry->deleteLater();
    }
    unnumberedEntries_.clear();
    for (const std::string& device : ports.unnumbered()) {
        QAction* entry = portMenu_->addAction(text(device + ": no port number free"));
        entry->setEnabled(false);
        entry->setToolTip("All nine numbers belong to devices that are present or pinned.");
        unnumberedEntries_.push_back(entry);
    }
    unnumberedSeparator_->setVisible(!unnumberedEntries_.empty());
}

void MainWindow::portItemClicked(int position) {
    if (state_.session.Busy) {
        // Qt has already moved the check mark; the port in use stays the checked one.
        portItems_[static_cast<std::size_t>(checkedPort_)]->setChecked(true);
        return;
    }
    selectPort(position, true);
}

void MainWindow::selectPort(int position, bool save) {
    QAction* item = portItems_[static_cast<std::size_t>(position)];
    item->setChecked(true);
    checkedPort_ = position;
    state_.link->PortName = item->data().toString().toStdString();
    if (save) {
        try {
            WritePortSetting(*state_.store, item->property("Tag").toInt() - 1);
        } catch (const std::exception& e) {
            state_.dialogs.showWarning(e.what());
        }
    }
}

QAction* MainWindow::toolAction(int toolButton) const {
    const auto found = toolActions_.find(toolButton);
    return found == toolActions_.end() ? nullptr : found->second;
}

QToolButton* MainWindow::toolButton(int number) const {
    QAction* action = toolAction(number);
    if (action == nullptr) {
        return nullptr;
    }
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            return button;
        }
    }
    return nullptr;
}

void MainWindow::setHint(const QString& hint) {
    panels_[4]->setText(hint.isEmpty() ? QString() : "|" + hint);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const QVariant hint = watched->property("lumoHint");
        if (hint.isValid()) {
            if (event->type() == QEvent::Enter) {
                setHint(hint.toString());
            }
        } else {
            setHint({});
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

ChildWindow* MainWindow::child(ChildKind kind) const {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* child = qobject_cast<ChildWindow*>(window->widget());
        if (child != nullptr && child->kind() == kind) {
            return child;
        }
    }
    return nullptr;
}

QMdiSubWindow* MainWindow::adoptChild(ChildWindow* child, QPoint at) {
    child->setWindowButtons = [this](bool) {
        showOpenWindows();
        channelMenus_->update();
    };
    // However the window goes (its close picture, Close, the window menu), its button
    // rises.
    connect(child, &ChildWindow::closed, this, &MainWindow::showOpenWindows);
    child->transferRunning = [this](bool running) { showTransferRunning(running); };
    child->tellStatus = [this](const QString& text) { statusBar()->showMessage(text, 15000); };
    if (auto* channels = qobject_cast<ChannelWindow*>(child)) {
        channelMenus_->adopt(channels);
    }
    const QSize wanted = child->size();
    QMdiSubWindow* window = mdiArea_->addSubWindow(child);
    RemoveCaptionAndFrame(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(wanted);
    window->move(at);
    window->show();
    mdiArea_->setActiveSubWindow(window);
    showOpenWindows();
    return window;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A transfer in progress owns the port and the table until it ends.
    if (state_.session.Busy) {
        setHint("A transfer is running: close the program once it has ended.");
        event->ignore();
        return;
    }
    // Each child may refuse, as a channel table with unsaved changes does on Cancel.
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

// While a transfer runs the program cannot close: the window manager is asked to take
// the close box away (greyed or hidden, as it draws it) without remapping the window.
void MainWindow::showTransferRunning(bool running) {
    if (QWindow* native = windowHandle()) {
        native->setFlag(Qt::WindowCloseButtonHint, !running);
    }
}

void MainWindow::showOpenWindows() {
    const ToolButtonStates states = toolButtonStates(state_.session.WindowFlags);
    toolAction(12)->setChecked(states.channelDown);
    toolAction(13)->setChecked(states.paramDown);
}

bool MainWindow::ensureSession() {
    if (state_.session.ModelIndex == 0) {
        state_.session.lateSetUp(state_.dialogs);
    }
    return state_.session.ModelIndex != 0;
}

void MainWindow::openChannelWindow() {
    if (!ensureSession()) {
        return;
    }
    ShowChildWindow<ChannelWindow>(QPoint(36, 36));
}

void MainWindow::openParamWindow() {
    if (!ensureSession()) {
        return;
    }
    if (state_.session.ModelIndex == 3) {
        ShowChildWindow<SettingsWindow>(QPoint(26, 26));
    }
}

void MainWindow::runCommand(MainCommand command) {
    if (state_.session.Busy) {
        return;
    }
    switch (command) {
        case MainCommand::Channel:
            openChannelWindow();
            return;
        case MainCommand::Param:
            openParamWindow();
            return;
        case MainCommand::Exit:
            close();
            return;
        case MainCommand::Print:
            printActive();
            return;
        default:
            break;
    }
    const CommandRoute route = routeCommand(command, state_.session.WindowFlags, false);
    if (route.showSelectFirst) {
        state_.dialogs.showMessage(kSelectChildFirst);
    }
    ChildWindow* target = child(route.target);
    if (target == nullptr) {
        return;
    }
    if (QPushButton* button = target->button(route.button)) {
        button->click();
    }
}

std::optional<PrintJob> MainWindow::activePrintJob() {
    const CommandRoute route = routeCommand(MainCommand::Print, state_.session.WindowFlags, false);
    ChildWindow* target = child(route.target);
    if (target != nullptr) {
        target->commitPendingPick();
    }
    if (auto* channels = qobject_cast<ChannelWindow*>(target)) {
        return channelTableJob(channels->table());
    }
    if (auto* settings = qobject_cast<SettingsWindow*>(target)) {
        return windowJob(*settings);
    }
    return std::nullopt;
}

void MainWindow::printActive() {
    const std::optional<PrintJob> job = activePrintJob();
    if (!job) {
        return;
    }
    if (const auto failure = printer_->print(*job)) {
        state_.dialogs.showWarning(*failure);
    }
}

void MainWindow::printPreview() {
    if (state_.session.Busy) {
        return;
    }
    const std::optional<PrintJob> job = activePrintJob();
    if (!job) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job->title);
    printer.setPageOrientation(job->orientation);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&job](QPrinter* target) { job->render(*target); });
    preview.exec();
}

void MainWindow::exportPdf() {
    if (state_.session.Busy) {
        return;
    }
    const std::optional<PrintJob> job = activePrintJob();
    if (!job) {
        return;
    }
    const auto path = state_.documents->chooseSaveFile({"pdf", "PDF file(*.pdf)|*.pdf"});
    if (!path) {
        return;
    }
    if (const auto failure = printToPdf(*job, path->string())) {
        state_.dialogs.showWarning(*failure);
    }
}

}  // namespace lumo
