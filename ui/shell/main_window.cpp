#include "ui/shell/main_window.h"

#include "persist/binary_export.h"
#include "render/effect_framing.h"
#include "ui/controls/message_text.h"
#include "ui/dialogs/backdrop_dialog.h"
#include "ui/dialogs/camera_settings_dialog.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_runner.h"
#include "ui/dialogs/flipbook_preview.h"
#include "ui/dialogs/help_command.h"
#include "ui/dialogs/history_list_dialog.h"
#include "ui/dialogs/mask_settings_dialog.h"
#include "ui/dialogs/online_prompts.h"
#include "ui/dialogs/project_settings_dialog.h"
#include "ui/dialogs/starter_library.h"
#include "ui/dialogs/update_checker.h"
#include "ui/dialogs/version_dialog.h"
#include "ui/dialogs/view_list_dialog.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"
#include "ui/panels/material_panel.h"
#include "ui/panels/node_clipboard.h"
#include "ui/panels/node_panel.h"
#include "ui/panels/parameter_area.h"
#include "ui/shell/picture_button_bar.h"
#include "ui/shell/tab_window.h"
#include "ui/shell/transport_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

namespace vintrel {

namespace {

QString translatedPane(const char* text) {
    return QCoreApplication::translate("Pane", text);
}

// The first local file of a drop, if any.
std::optional<std::filesystem::path> droppedFile(const QMimeData* mime) {
    if (mime == nullptr) {
        return std::nullopt;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            return std::filesystem::path(url.toLocalFile().toStdString());
        }
    }
    return std::nullopt;
}

int colorComponent(float value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, 0.0f, 255.0f));
}

} // namespace

void MessageBoxNotifier::show(std::string_view caption, const Message& message) {
    QMessageBox::warning(parent_, messageText(caption), messageText(message));
}

// The effect is run on a copy of the project, so the view's own run goes on undisturbed.
void MainWindow::frameTheEffect() {
    GlobalState copy;
    copyProject(document_.state(), copy);
    const ViewWindow& shown = view();
    const float aspect =
        shown.height() > 0 ? static_cast<float>(shown.width()) / static_cast<float>(shown.height()) : 1.0f;
    document_.requestViewCamera(framingPose(copy, document_.viewCamera(), aspect));
}

QString mainWindowTitle(const QString& fileName, bool modified) {
    return fileName + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - Vintrel");
}

MainWindow::MainWindow(ProjectDocument& document, AppSettings& settings, MouseInput& mouse, Services services,
                       std::filesystem::path startFolder)
    : document_(document), settings_(settings), prompts_(services.prompts), notifier_(services.notifier) {
    setAcceptDrops(true);
    recent_.load(settings_);
    commands_ = new CommandActions(*this);
    startFolder_ = startFolder;
    files_ = new FileCommands(document_, recent_, prompts_, services.session, std::move(startFolder), this);

    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    buttons_ = new PictureButtonBar(*commands_, client_);
    createPanes(mouse, services.notifier);
    client_->installEventFilter(this);
    if (services.exportPrompts != nullptr) {
        exportPrompts_ = services.exportPrompts;
    } else {
        ownExportPrompts_ = std::make_unique<DialogExportPrompts>(this);
        exportPrompts_ = ownExportPrompts_.get();
    }
    exportRunner_ = new ExportRunner(document_, *view_, *exportPrompts_, notifier_, this);
    if (services.onlinePrompts != nullptr) {
        onlinePrompts_ = services.onlinePrompts;
    } else {
        ownOnlinePrompts_ = std::make_unique<DialogOnlinePrompts>(this);
        onlinePrompts_ = ownOnlinePrompts_.get();
    }
    updateChecker_ = new UpdateChecker(settings_, *onlinePrompts_, this);

    connectCommands();
    connectDocument();
    refreshRecentMenu();
    updateDisplay();
    updateEditCommands();
    updateCompareCommands();
    updateTitle();

    connect(&autosaveTimer_, &QTimer::timeout, &document_, &ProjectDocument::autosaveTick);
    autosaveTimer_.start(kAutosaveIntervalMs);
}

MainWindow::~MainWindow() = default;

void MainWindow::createPanes(MouseInput& mouse, Notifier& notifier) {
    auto* materialPanel = new MaterialPanel(document_, client_);
    materialPanel->setAccessibleName(translatedPane("素材"));
    panes_[static_cast<std::size_t>(Pane::Material)] = materialPanel;
    auto* nodePanel = new NodePanel(document_, client_);
    nodePanel->setAccessibleName(translatedPane("ノード"));
    panes_[static_cast<std::size_t>(Pane::Node)] = nodePanel;
    tabWindow_ = new TabWindow(client_);
    parameters_ = new ParameterArea(document_, tabWindow_->content());
    auto* fill = new QVBoxLayout(tabWindow_->content());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(parameters_);
    panes_[static_cast<std::size_t>(Pane::Tab)] = tabWindow_;
    const GlobalState& g = document_.state();
    statusStrip_ =
        new StatusWindow([&g] { return g.pSelNode != nullptr ? g.pSelNode->m_shape.type : 0; }, client_);
    panes_[static_cast<std::size_t>(Pane::Status)] = statusStrip_;

    view_ = new ViewWindow(document_.workerState(), document_.simulation(), mouse, notifier);
    backdrop_ = std::make_unique<BackdropDisplay>(*view_, notifier);
    compare_ = new CompareView(document_, *view_, notifier, settings_, this);
    QWidget* viewContainer = QWidget::createWindowContainer(view_, client_);
    viewContainer->setAccessibleName(translatedPane("3Dビュー"));
    panes_[static_cast<std::size_t>(Pane::View)] = viewContainer;
    infoBar_ = new ControlWindow(
        g, [view = view_] { return view->currentFrame(); }, client_);
    infoBar_->setAccessibleName(translatedPane("情報バー"));
    panes_[static_cast<std::size_t>(Pane::Control)] = infoBar_;
    connect(infoBar_, &ControlWindow::cameraModeChosen, statusStrip_, &StatusWindow::showCameraModeHint);

    infoBar_->setTransport(new TransportBar(document_, [view = view_] { return view->currentFrame() - 1; }));

    auto* feeder = new MouseEventFeeder(mouse, infoBar_, this);
    view_->installEventFilter(feeder);
    infoBar_->installEventFilter(feeder);
    auto* transportKeys = new TransportKeys(document_, this);
    view_->installEventFilter(transportKeys);
    viewContainer->installEventFilter(transportKeys);
}

void MainWindow::connectCommands() {
    const auto on = [this](CommandId id, auto slot) {
        connect(commands_->action(id), &QAction::triggered, this, slot);
    };
    on(CommandId::New, [this] { files_->newProject(); });
    on(CommandId::NewFromLibrary, [this] {
        files_->newFromLibrary(starterLibraryFolder(document_.state().programFolder));
        applyLayout();
    });
    on(CommandId::Open, [this] { files_->open(); });
    on(CommandId::Save, [this] { files_->save(); });
    on(CommandId::SaveAs, [this] { files_->saveAs(); });
    on(CommandId::Exit, [this] { close(); });
    on(CommandId::Undo, [this] { document_.undo(); });
    on(CommandId::Redo, [this] { document_.redo(); });
    on(CommandId::Remake, [this] { document_.remake(); });
    on(CommandId::CopyNode, [this] { copySelectedNode(document_, *QGuiApplication::clipboard(), notifier_); });
    on(CommandId::CutNode, [this] { cutSelectedNode(document_, *QGuiApplication::clipboard(), notifier_); });
    on(CommandId::PasteNode, [this] { pasteNode(document_, *QGuiApplication::clipboard(), notifier_); });
    if (auto* nodes = qobject_cast<NodePanel*>(panes_[static_cast<std::size_t>(Pane::Node)])) {
        nodes->setContextActions({commands_->action(CommandId::CopyNode), commands_->action(CommandId::CutNode),
                                  commands_->action(CommandId::PasteNode)});
    }
    on(CommandId::BackgroundColor, [this] { chooseBackgroundColor(); });
    on(CommandId::BackdropSettings, [this] { chooseBackdrop(); });
    on(CommandId::ShowFrame, [this] { updateDisplay(); });
    on(CommandId::ShowParticleCount, [this] { updateDisplay(); });
    on(CommandId::ShowFps, [this] { updateDisplay(); });
    on(CommandId::ShowGuide,
       [this] { document_.setGuideShown(commands_->action(CommandId::ShowGuide)->isChecked()); });
    on(CommandId::VersionInfo, [this] { showVersionDialog(this); });
    on(CommandId::UpdateCheck, [this] { updateChecker_->checkFromMenu(); });
    on(CommandId::Help, [this] { openHelp(settings_, document_.state().programFolder, *onlinePrompts_); });
    on(CommandId::Export, [this] { showExportDialog(); });
    on(CommandId::PlayExport, [this] { playLatestExport(); });
    commands_->action(CommandId::PlayExport)->setEnabled(false);
    connect(exportRunner_, &ExportRunner::finished, this, [this] {
        commands_->action(CommandId::PlayExport)->setEnabled(exportRunner_->lastFlipbook().has_value());
    });
    on(CommandId::ProjectSettings, [this] { showProjectSettingsDialog(document_, settings_, this); });
    on(CommandId::CameraSettings, [this] { showCameraSettingsDialog(document_, this); });
    on(CommandId::MaskSettings, [this] { showMaskSettingsDialog(document_, this); });
    on(CommandId::HistoryList,
       [this] { showModeless(historyList_, [this] { return new HistoryListDialog(document_, this); }); });
    on(CommandId::ViewList,
       [this] { showModeless(viewList_, [this] { return new ViewListDialog(document_, this); }); });
    on(CommandId::BinaryExport, [this] { exportBinaryFile(); });
    on(CommandId::FrameEffect, [this] { frameTheEffect(); });
    on(CommandId::CompareNextSeed, [this] { toggleComparison(CompareView::Mode::NextSeed); });
    on(CommandId::CompareSavedFile, [this] { toggleComparison(CompareView::Mode::SavedFile); });
    connect(compare_, &CompareView::modeChanged, this, &MainWindow::updateCompareCommands);
    on(CommandId::RealTimePlay,
       [this] { document_.setRealTimePlay(commands_->action(CommandId::RealTimePlay)->isChecked()); });
    commands_->action(CommandId::ShowFrame)->setChecked(settings_.displayFrame() != 0);
    commands_->action(CommandId::ShowParticleCount)->setChecked(settings_.displayParticle() != 0);
    commands_->action(CommandId::ShowFps)->setChecked(settings_.displayFps() != 0);
    commands_->action(CommandId::ShowGuide)->setChecked(settings_.displayGuide() != 0);
    document_.setGuideShown(settings_.displayGuide() != 0);
    commands_->action(CommandId::RealTimePlay)->setChecked(settings_.displayRealTime() != 0);
    document_.setRealTimePlay(settings_.displayRealTime() != 0);

    connect(commands_, &CommandActions::recentFileChosen, this, [this](int slot) {
        files_->openRecent(slot);
        applyLayout();
    });
    connect(files_, &FileCommands::recentFilesChanged, this, &MainWindow::refreshRecentMenu);
    connect(files_, &FileCommands::aboutToHandOver, this, &MainWindow::storeSettings);
    connect(files_, &FileCommands::handedOver, this, [this] {
        handedOver_ = true;
        close();
    });
}

void MainWindow::connectDocument() {
    connect(&document_, &ProjectDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(&document_, &ProjectDocument::fileChanged, this, &MainWindow::updateTitle);
    connect(&document_, &ProjectDocument::fileChanged, this, &MainWindow::updateCompareCommands);
    connect(&document_, &ProjectDocument::historyChanged, this, &MainWindow::updateEditCommands);
    connect(&document_, &ProjectDocument::materialsChanged, this, [this] { view_->reloadMaterials(); });
    connect(&document_, &ProjectDocument::projectChanged, this, &MainWindow::applyLayout);
    connect(&document_, &ProjectDocument::projectChanged, this,
            [this] { backdrop_->show(document_.state().backdrop); });
    // A loaded or edited project may have another size: the view keeps its aspect.
    connect(&document_, &ProjectDocument::selectionChanged, this, &MainWindow::applyLayout);
    connect(&document_, &ProjectDocument::projectValueChanged, this, &MainWindow::applyLayout);
}

void MainWindow::updateTitle() {
    setWindowTitle(mainWindowTitle(document_.fileName(), document_.isModified()));
}

void MainWindow::updateEditCommands() {
    commands_->action(CommandId::Undo)->setEnabled(document_.canUndo());
    commands_->action(CommandId::Redo)->setEnabled(document_.canRedo());
}

void MainWindow::updateDisplay() {
    infoBar_->setDisplay({commands_->action(CommandId::ShowFrame)->isChecked(),
                          commands_->action(CommandId::ShowParticleCount)->isChecked(),
                          commands_->action(CommandId::ShowFps)->isChecked()});
}

void MainWindow::refreshRecentMenu() {
    commands_->setRecentFiles(recent_.menuEntries());
}

// The chooser starts from the project's colour the first time and from the last chosen colour
// after that.
void MainWindow::chooseBackgroundColor() {
    const FloatXYZ& back = document_.state().project.backColor;
    const QColor initial = lastBackgroundColor_.value_or(
        QColor(colorComponent(back.x), colorComponent(back.y), colorComponent(back.z)));
    const std::optional<QColor> chosen = prompts_.askColor(initial);
    if (!chosen) {
        return;
    }
    lastBackgroundColor_ = *chosen;
    document_.setBackgroundColor(chosen->red(), chosen->green(), chosen->blue());
}

// A second choice of the shown mode ends the comparison; the other mode replaces it.
void MainWindow::toggleComparison(CompareView::Mode mode) {
    compare_->setMode(compare_->mode() == mode ? CompareView::Mode::Off : mode);
    updateCompareCommands();
}

void MainWindow::updateCompareCommands() {
    commands_->action(CommandId::CompareNextSeed)->setChecked(compare_->mode() == CompareView::Mode::NextSeed);
    commands_->action(CommandId::CompareSavedFile)->setChecked(compare_->mode() == CompareView::Mode::SavedFile);
    commands_->action(CommandId::CompareSavedFile)->setEnabled(document_.hasFileName());
}

void MainWindow::chooseBackdrop() {
    BackdropDialog dialog(
        document_.state().backdrop,
        [this](ViewBackdrop::Kind kind, const QString& current) { return askBackdropFile(this, kind, current); },
        this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const ViewBackdrop chosen = dialog.backdrop();
    if (chosen != document_.state().backdrop) {
        document_.changeProject([chosen](GlobalState& g) { g.backdrop = chosen; });
    }
}

// At most one of each list window: a second command brings the open one to the front.
void MainWindow::showModeless(QPointer<QDialog>& dialog, const std::function<QDialog*()>& make) {
    if (!dialog) {
        dialog = make();
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::showExportDialog() {
    if (exportRunner_->running()) {
        return;
    }
    ExportDialog dialog(document_, *exportRunner_, *exportPrompts_, this);
    dialog.exec();
}

// The latest export's frames in a window of their own; a second choice brings a new window with
// the frames as they are now.
void MainWindow::playLatestExport() {
    const std::optional<FlipbookSource>& source = exportRunner_->lastFlipbook();
    if (!source) {
        return;
    }
    if (flipbook_) {
        flipbook_->close();
    }
    const FloatXYZ& back = document_.state().project.backColor;
    auto* preview = new FlipbookPreview(
        *source, QColor(colorComponent(back.x), colorComponent(back.y), colorComponent(back.z)), this);
    preview->show();
    flipbook_ = preview;
}

void MainWindow::exportBinaryFile() {
    document_.autosaver().waitIdle();
    document_.setAutosaveGuard(true);
    const std::filesystem::path folder =
        document_.hasFileName() ? document_.filePath().parent_path() : startFolder_;
    if (const std::optional<std::filesystem::path> file = prompts_.askBinaryExportPath(folder)) {
        exportBinary(document_.state(), *file, notifier_);
    }
    document_.setAutosaveGuard(false);
}

void MainWindow::applyPlacement(const WindowPlacement& placement) {
    const int menuHeight = menuBar()->sizeHint().height();
    resize(std::max(placement.width, 1), std::max(placement.height, 1) + menuHeight);
    move(placement.x, placement.y);
    if (placement.zoomed) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::storeSettings() {
    if (unattended_) {
        return;
    }
    if (!isMaximized()) {
        const QRect frame = frameGeometry();
        settings_.setWindowX(frame.x());
        settings_.setWindowY(frame.y());
        settings_.setWindowWidth(client_->width());
        settings_.setWindowHeight(client_->height());
    }
    settings_.setWindowZoomed(isMaximized() ? 1 : 0);
    const ControlWindow::Display& display = infoBar_->display();
    settings_.setDisplayFrame(display.frame ? 1 : 0);
    settings_.setDisplayParticle(display.particles ? 1 : 0);
    settings_.setDisplayFps(display.fps ? 1 : 0);
    settings_.setDisplayGuide(commands_->action(CommandId::ShowGuide)->isChecked() ? 1 : 0);
    settings_.setDisplayRealTime(commands_->action(CommandId::RealTimePlay)->isChecked() ? 1 : 0);
    recent_.store(settings_);
    // A settings file that cannot be written costs only the placement and the list: nothing to
    // stop the close for.
    (void)settings_.save();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (handedOver_) {
        event->accept();
        return;
    }
    if (!files_->settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    document_.stopWorker();
    autosaveTimer_.stop();
    storeSettings();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (const std::optional<std::filesystem::path> file = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        // The save prompt waits for the user: ask once the drop itself has ended.
        QTimer::singleShot(0, this, [this, path = *file] { files_->openDropped(path); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        applyLayout();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applyLayout() {
    const GlobalState& g = document_.state();
    const MainWindowLayout layout =
        computeMainWindowLayout(client_->width(), client_->height(), g.project.width, g.project.height);
    const auto place = [](QWidget* widget, const LayoutRect& r) { widget->setGeometry(r.x, r.y, r.w, r.h); };
    buttons_->setGeometry(0, 0, client_->width(), kPictureButtonHeight);
    place(pane(Pane::Material), layout.materialPanel);
    place(pane(Pane::Node), layout.nodePanel);
    tabWindow_->applyLayout(layout.parameterPanel);
    place(pane(Pane::Status), layout.statusStrip);
    place(pane(Pane::View), layout.view);
    place(pane(Pane::Control), layout.infoBar);
    view_->setInfoBarWidth(layout.infoBar.w);
}

} // namespace vintrel
