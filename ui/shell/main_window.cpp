#include "ui/shell/main_window.h"

#include "ui/shell/layout.h"

#include <QEvent>
#include <QMessageBox>
#include <filesystem>

namespace vintrel {

namespace {

const QColor kPanelColor(40, 40, 40);
const QColor kStatusColor(30, 30, 30);

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect toQRect(const LayoutRect& r) {
    return {r.x, r.y, r.w, r.h};
}

} // namespace

void MessageBoxNotifier::showMessage(std::string_view caption, std::string_view text) {
    QMessageBox::warning(parent_, fromUtf8(caption), fromUtf8(text));
}

bool MessageBoxRecoveryPrompt::askRestore() {
    return QMessageBox::question(nullptr, QString::fromUtf8(Notifier::kDefaultCaption),
                                 QString::fromUtf8(kRestorePromptText), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

MainWindow::MainWindow(GlobalState& g, Simulation& simulation, MouseInput& mouse, Notifier& notifier)
    : g_(g) {
    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, kPanelColor);
    client_->setPalette(palette);
    setCentralWidget(client_);

    materialPanel_ = placeholder(kPanelColor);
    nodePanel_ = placeholder(kPanelColor);
    parameterPanel_ = placeholder(kPanelColor);
    statusStrip_ = placeholder(kStatusColor);

    view_ = new ViewWindow(g, simulation, mouse, notifier);
    infoBar_ = new ControlWindow(
        g, [view = view_] { return view->currentFrame(); }, client_);
    viewContainer_ = QWidget::createWindowContainer(view_, client_);

    auto* feeder = new MouseEventFeeder(mouse, infoBar_, this);
    view_->installEventFilter(feeder);
    infoBar_->installEventFilter(feeder);

    client_->installEventFilter(this);
    resize(kDefaultWidth, kDefaultHeight);
    updateTitle();
}

QWidget* MainWindow::placeholder(const QColor& color) {
    auto* widget = new QWidget(client_);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    return widget;
}

void MainWindow::updateTitle() {
    const std::filesystem::path file(g_.currentFile);
    setWindowTitle(QString::fromStdString(file.filename().string()) + QStringLiteral(" - Vintrel"));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        applyLayout();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::applyLayout() {
    const MainWindowLayout layout =
        computeMainWindowLayout(client_->width(), client_->height(), g_.project.width, g_.project.height);
    materialPanel_->setGeometry(toQRect(layout.materialPanel));
    nodePanel_->setGeometry(toQRect(layout.nodePanel));
    parameterPanel_->setGeometry(toQRect(layout.parameterPanel));
    statusStrip_->setGeometry(toQRect(layout.statusStrip));
    infoBar_->setGeometry(toQRect(layout.infoBar));
    viewContainer_->setGeometry(toQRect(layout.view));
    view_->setInfoBarWidth(layout.infoBar.w);
}

} // namespace vintrel
