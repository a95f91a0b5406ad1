// The English interface: every text the menus, panels, hints and dialogs ask to be translated has
// an English translation, and no Japanese is left on any control. The texts of the project itself
// (node names, material names) are data and stay as they are.
#include "edit/editor_hooks.h"
#include "model/default_names.h"
#include "model/effect_node.h"
#include "model/parameter_panels.h"
#include "output/export_settings.h"
#include "persist/materials.h"
#include "persist/package.h"
#include "persist/project_file.h"
#include "persist/workspace.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/message_text.h"
#include "ui/dialogs/backdrop_dialog.h"
#include "ui/dialogs/camera_settings_dialog.h"
#include "ui/dialogs/library_dialog.h"
#include "ui/dialogs/export_details_dialog.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_preview.h"
#include "ui/dialogs/flipbook_preview.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/history_entry_text.h"
#include "ui/dialogs/history_list_dialog.h"
#include "ui/dialogs/mask_settings_dialog.h"
#include "ui/dialogs/project_settings_dialog.h"
#include "ui/dialogs/update_dialog.h"
#include "ui/dialogs/version_dialog.h"
#include "ui/dialogs/view_list_dialog.h"
#include "ui/dialogs/viewpoint_list.h"
#include "ui/document/project_document.h"
#include "ui/hints/hint_table.h"
#include "ui/panels/direction_picker.h"
#include "ui/panels/graph_zoom_popup.h"
#include "ui/panels/parameter_area.h"
#include "ui/shell/interface_language.h"
#include "ui/shell/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace vintrel {
namespace {

constexpr int kCylinderShapeType = ShapeParams::Cylinder;
constexpr int kTrailShapeType = ShapeParams::Trail;

bool hasJapanese(const QString& text) {
    static const QRegularExpression kana(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff01}-\\x{ffee}]"));
    return text.contains(kana);
}

// Passes every request on to the English translation and notes the Japanese texts it has no
// translation for.
class RecordingTranslator final : public QTranslator {
public:
    explicit RecordingTranslator(QTranslator& english) : english_(english) {}
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        const QString found = english_.translate(context, source, disambiguation, n);
        if (found.isEmpty() && hasJapanese(QString::fromUtf8(source))) {
            missing.insert(
                QStringLiteral("%1\t%2").arg(QString::fromUtf8(context), QString::fromUtf8(source)));
        }
        return found;
    }
    bool isEmpty() const override { return false; }
    mutable std::set<QString> missing;

private:
    QTranslator& english_;
};

class NoPrompts final : public UserPrompts, public ExportPrompts, public SessionControl {
public:
    SaveChoice askSaveChanges() override { return SaveChoice::Cancel; }
    bool askRemoveMissingRecent() override { return false; }
    std::optional<std::filesystem::path> askOpenPath(const std::filesystem::path&) override { return {}; }
    std::optional<std::filesystem::path> askSavePath(const std::filesystem::path&) override { return {}; }
    std::optional<QColor> askColor(const QColor&) override { return {}; }
    std::optional<std::filesystem::path> askBinaryExportPath(const std::filesystem::path&) override {
        return {};
    }
    std::optional<QColor> askGlowColor(const QColor&) override { return {}; }
    std::optional<std::filesystem::path> askOutputPath(int) override { return {}; }
    void showProblem(const QString&, const QString&) override {}
    bool handOver(const std::optional<std::filesystem::path>&) override { return false; }
};

// The Japanese left on `root` and its children: titles, names, tips, labels, buttons, lists.
std::set<QString> japaneseOn(QWidget& root) {
    std::set<QString> found;
    const auto check = [&found](const QObject* where, const QString& text) {
        if (hasJapanese(text)) {
            found.insert(
                QStringLiteral("%1: %2").arg(QString::fromLatin1(where->metaObject()->className()), text));
        }
    };
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* w : widgets) {
        const QWidget* parent = w->parentWidget();
        if (w->inherits("QAbstractItemView") ||
            (parent != nullptr && parent->inherits("QAbstractItemView"))) {
            continue; // the node and material lists show the project's own names
        }
        check(w, w->windowTitle());
        check(w, w->accessibleName());
        check(w, w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            check(w, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            check(w, button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            check(w, group->title());
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < list->count(); ++i) {
                check(w, list->itemText(i));
            }
        }
        for (QAction* action : w->actions()) {
            check(action, action->text());
            check(action, action->toolTip());
        }
    }
    return found;
}

// Whether the middle of either rectangle lies within the other's height.
bool onOneRow(const QRect& a, const QRect& b) {
    return (a.center().y() >= b.top() && a.center().y() <= b.bottom()) ||
           (b.center().y() >= a.top() && b.center().y() <= a.bottom());
}

// Texts wider than the control that shows them: labels, check boxes and radio buttons whose
// text needs more room than they have, and frames whose title is wider than the frame.
std::set<QString> cutTextsOn(QWidget& root) {
    std::set<QString> cut;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(&root) || w->width() <= 0) {
            continue;
        }
        QString text;
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(w);
            label != nullptr && !label->wordWrap() && label->pixmap().isNull()) {
            text = label->text();
            needed = label->sizeHint().width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button != nullptr &&
                   (w->inherits("QCheckBox") || w->inherits("QRadioButton") || w->inherits("QPushButton"))) {
            text = button->text();
            needed = button->sizeHint().width();
            if (w->inherits("QPushButton")) {
                needed = button->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 6;
            }
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            text = group->title();
            needed = group->fontMetrics().horizontalAdvance(text) + 16;
        }
        // The words also need to be clear of the controls beside them and inside the parent.
        const QRect words(w->x(), w->y(), needed, w->height());
        bool covered =
            w->parentWidget() != nullptr && !w->isWindow() && words.right() >= w->parentWidget()->width();
        if (w->parentWidget() != nullptr && !w->isWindow() && !qobject_cast<QGroupBox*>(w)) {
            for (QObject* object : w->parentWidget()->children()) {
                auto* other = qobject_cast<QWidget*>(object);
                if (other != nullptr && other != w && !other->isWindow() && other->isVisibleTo(&root) &&
                    !qobject_cast<QGroupBox*>(other) && other->x() > w->x() && other->x() <= words.right() &&
                    onOneRow(other->geometry(), words)) {
                    covered = true;
                }
            }
        }
        if (!text.isEmpty() && (needed > w->width() || covered)) {
            cut.insert(QStringLiteral("%1 \"%2\" needs %3, has %4")
                           .arg(QString::fromLatin1(w->metaObject()->className()), text)
                           .arg(needed)
                           .arg(w->width()));
        }
    }
    return cut;
}

// Walks the editor's windows: the main window with every panel for every shape, and every
// dialog, noting the Japanese left on them and the texts that are cut.
class InterfaceWalk : public testing::Test {
protected:
    InterfaceWalk() {
        test::startProject(g, dir.path() / "run");
        settings = std::make_unique<AppSettings>(dir.path() / "assets" / "data.prm");
        document = std::make_unique<ProjectDocument>(g, *settings, notifier);
    }

    // Every tab of the parameter area, for each shape (the trail and cylinder variants).
    void visitPanels(MainWindow& window) {
        for (int shape = 0; shape <= kTrailShapeType; ++shape) {
            g.pSelNode->m_shape.type = shape;
            for (const ParameterPanelLayout& tab : parameterTabs()) {
                window.parameters().showTab(tab.tabId);
                visit(window);
            }
        }
    }

    void visitDialogs(MainWindow& window) {
        ProjectSettingsDialog project(*document, *settings, notifier, &window);
        visit(project);
        CameraSettingsDialog camera(*document, &window);
        visit(camera);
        ExportDialog exportDialog(*document, window.exportRunner(), prompts, &window);
        visit(exportDialog);
        ExportDetailsDialog exportDetails(ExportExtras{}, true, &window);
        visit(exportDetails);
        ExportPreview preview(dir.path() / "no-still.png", 64, 64, Qt::black, AlphaMode::Straight, &window);
        visit(preview);
        // Without frames, so that the message for them shows too.
        FlipbookPreview playback(FlipbookSource{dir.path() / "no-frames", 0, QSize(16, 16), 30, 0}, Qt::black,
                                 &window);
        visit(playback);
        MaskSettingsDialog mask(*document, &window);
        visit(mask);
        ViewListDialog views(*document, &window);
        visit(views);
        HistoryListDialog history(*document, &window);
        visit(history);
        UpdateDialog update(QStringLiteral("0.1.0"), QStringLiteral("0.2.0"), &window);
        visit(update);
        VersionDialog version(&window);
        visit(version);
        DirectionPicker picker(*document, &window);
        visit(picker);
        BackdropDialog backdrop({}, [](ViewBackdrop::Kind, const QString&) { return std::optional<QString>(); },
                                &window);
        visit(backdrop);
        // The library's grid shows the effects' names in the interface language.
        LibraryDialog library(VINTREL_LIBRARY_BUILT, &window);
        visit(library);
        for (int row = 0; row < library.grid()->count(); ++row) {
            if (hasJapanese(library.grid()->item(row)->text())) {
                left.insert(QStringLiteral("LibraryDialog item: ") + library.grid()->item(row)->text());
            }
        }
    }

    // Shows `widget`, draws it once (the painted texts are translated while painting) and notes
    // the Japanese left on it.
    void visit(QWidget& widget) {
        widget.show();
        widget.grab();
        for (const QString& text : japaneseOn(widget)) {
            left.insert(text);
        }
        for (const QString& text : cutTextsOn(widget)) {
            cut.insert(text);
        }
    }

    // What the test found, also written to $VINTREL_TRANSLATION_REPORT for whoever adds the texts.
    void report() {
        if (const char* file = std::getenv("VINTREL_TRANSLATION_REPORT")) {
            std::ofstream out(file);
            for (const QString& m : recorder.missing) {
                out << "missing\t" << m.toStdString() << '\n';
            }
            for (const QString& l : left) {
                out << "left\t" << l.toStdString() << '\n';
            }
            for (const QString& c : cut) {
                out << "cut\t" << c.toStdString() << '\n';
            }
        }
        EXPECT_TRUE(recorder.missing.empty())
            << recorder.missing.size() << " texts without a translation, first "
            << recorder.missing.begin()->toStdString();
        EXPECT_TRUE(left.empty()) << left.size() << " controls still in Japanese, first "
                                  << left.begin()->toStdString();
    }

    QTranslator english;
    RecordingTranslator recorder{english};
    test::TempDir dir;
    GlobalState g;
    test::RecordingNotifier notifier;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<ProjectDocument> document;
    NoPrompts prompts;
    MouseInput mouse;
    std::set<QString> left;
    std::set<QString> cut;
};

class EnglishInterface : public InterfaceWalk {
protected:
    EnglishInterface() {
        EXPECT_TRUE(english.load(QStringLiteral(":/i18n/vintrel_en.qm")));
        QCoreApplication::installTranslator(&recorder);
    }
    ~EnglishInterface() override { QCoreApplication::removeTranslator(&recorder); }
};

using JapaneseInterface = InterfaceWalk;

TEST_F(EnglishInterface, MenusPanelsHintsAndDialogsHaveNoJapaneseLeft) {
    MainWindow window(*document, *settings, mouse, MainWindow::Services{prompts, prompts, notifier, &prompts},
                      dir.path());
    window.applyPlacement({0, 0, 1200, 720, false});
    visit(window);
    EXPECT_EQ(window.menuBar()->actions().front()->text(), QStringLiteral("&File"));

    visitPanels(window);
    // The hint strip's whole table and the curve names, as the windows ask for them.
    for (int shape : {0, kCylinderShapeType, kTrailShapeType}) {
        for (int id = 0; id < 60000; ++id) {
            if (const auto hint = hintFor(id, shape)) {
                QCoreApplication::translate("Hint", hint->data());
            }
        }
    }
    for (int mode = 1; mode <= 3; ++mode) {
        QCoreApplication::translate("Hint", cameraModeHint(mode)->data());
    }
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        GraphZoomPopup popup(*document, slot, &window);
        visit(popup);
    }

    // The fixed messages of the file and export code, as the message boxes ask for them.
    for (const char* message : {kUnsupportedFileMessage, kNewerVersionMessage, kUnsupportedFileAboutFile,
                                kNewerVersionAboutFile, kMaterialMissingMessage}) {
        messageText(Message{message, {"fire.png"}});
    }
    QCoreApplication::translate("Prompt", kRestorePromptText);
    for (const auto& [start, end, step] : {std::tuple{9, 3, 1}, {0, 3, 1}, {1, 99, 1}, {1, 3, 0}}) {
        WriteSettings write;
        write.start = start;
        write.end = end;
        write.step = step;
        if (const Status problem = checkExportRange(write, 60); !problem) {
            messageText(kExportSettingsCaption);
            messageText(problem.error());
        } else {
            ADD_FAILURE() << "range " << start << ".." << end << " step " << step << " accepted";
        }
    }

    visitDialogs(window);
    report();
}

// The Japanese interface, as laid out: no text is wider than its place.
TEST_F(JapaneseInterface, NoTextIsCut) {
    MainWindow window(*document, *settings, mouse, MainWindow::Services{prompts, prompts, notifier, &prompts},
                      dir.path());
    window.applyPlacement({0, 0, 1200, 720, false});
    visit(window);
    visitPanels(window);
    visitDialogs(window);
    EXPECT_TRUE(cut.empty()) << cut.size() << " texts cut, first " << cut.begin()->toStdString();
}

// The history list words every kind of entry in English, with the node's name as it was.
TEST_F(EnglishInterface, HistoryEntriesAreEnglish) {
    EditorHooks hooks;
    History history(g, hooks);
    history.recordValue(memberId("m_kill.span"), 30);
    history.recordCurveEdit(SlotRed);
    history.recordRename("Spark");
    history.recordMove(*g.pSelNode);
    history.recordDelete(*g.pSelNode);
    std::vector<QString> shown;
    for (const History::Entry& entry : history.entries()) {
        shown.push_back(historyEntryText(entry));
    }
    const QString lifetime =
        QCoreApplication::translate("Panel", std::string(labelOf(memberId("m_kill.span"))).c_str());
    EXPECT_EQ(shown, (std::vector<QString>{
                         QStringLiteral("Start"), QStringLiteral("ノード1-") + lifetime,
                         QStringLiteral("ノード1-Colour [red] curve"), QStringLiteral("Renamed to “Spark”"),
                         QStringLiteral("Moved a node"), QStringLiteral("Deleted “Spark”")}));
    for (const QString& text : shown) {
        EXPECT_FALSE(hasJapanese(QString(text).remove(QStringLiteral("ノード1")))) << text.toStdString();
    }
    EXPECT_TRUE(recorder.missing.empty()) << recorder.missing.begin()->toStdString();
}

// Messages of the file code that name a file reach the user in English with the file's name in
// them, as the message boxes show them.
TEST_F(EnglishInterface, MessagesNamingAFileAreShownInEnglish) {
    const std::filesystem::path gone = dir.path() / "gone.stn";
    EXPECT_FALSE(loadProject(g, gone, *settings, notifier));
    const std::filesystem::path damaged = dir.path() / "damaged.stn";
    test::writeFile(damaged, "not a package");
    EXPECT_FALSE(loadProject(g, damaged, *settings, notifier));
    test::writeFile(g.workspace / "fire.png", "png bytes");
    g.materials = scanMaterials(g.workspace);
    std::filesystem::remove(g.workspace / "fire.png");
    EXPECT_FALSE(saveProject(g, dir.path() / "saved.stn", notifier));

    std::vector<QString> shown;
    for (const Message& message : notifier.shown) {
        shown.push_back(messageText(message));
    }
    const std::vector<QString> expected = {
        QStringLiteral("“%1” cannot be read: it does not exist, or another application has it open.")
            .arg(QString::fromStdString(gone.string())),
        QStringLiteral("The file is not supported, or it may be damaged."),
        QStringLiteral("The file is not supported, or it may be damaged.\n\n%1")
            .arg(QString::fromStdString(damaged.string())),
        QStringLiteral("Cannot save: the material file “fire.png” is missing."),
    };
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(messageText(std::string_view(notifier.messages.back().first)), QStringLiteral("Save error"));
    EXPECT_TRUE(recorder.missing.empty()) << recorder.missing.begin()->toStdString();
}

// What the program creates while the interface is English has English names; what a file
// holds keeps its names.
TEST(InterfaceLanguage, EnglishNamesWhatTheProgramCreates) {
    ASSERT_TRUE(installInterfaceLanguage(*QCoreApplication::instance(), InterfaceLanguage::English));
    const BuiltInProjectDefaults defaults;
    GlobalState g;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
    EXPECT_EQ(g.rootNode->m_name, "Root node");
    ASSERT_EQ(g.rootNode->childCount(), 1);
    EXPECT_EQ(g.rootNode->child(0)->m_name, "Node1");
    EXPECT_EQ(g.cameraNode->m_name, "Camera position");
    EXPECT_EQ(g.targetNode->m_name, "Camera target");
    std::vector<std::string> titles;
    for (const CameraView& view : g.views) {
        titles.push_back(view.title);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Front", "Above", "Above left", CameraView::kAddEntryTitle}));
    EXPECT_EQ(viewpointTitle({{0, 5, -10}, {0, 0, 0}}), "(0,50,-100) – (0,0,0)");
    useDefaultNames({});
    EXPECT_EQ(EffectNode(g.rootNode.get()).m_name, "ノード2");
}

TEST(InterfaceLanguage, OptionThenSettingThenTheSystemLocale) {
    using L = InterfaceLanguage;
    struct Case {
        std::optional<L> option;
        const char* setting;
        const char* locale;
        L expected;
    };
    const Case cases[] = {
        {std::nullopt, "", "ja_JP.UTF-8", L::Japanese}, {std::nullopt, "", "ja", L::Japanese},
        {std::nullopt, "", "en_US.UTF-8", L::English},  {std::nullopt, "", "C", L::English},
        {std::nullopt, "", "jam", L::English},          {std::nullopt, "en", "ja_JP.UTF-8", L::English},
        {std::nullopt, "ja", "de_DE", L::Japanese},     {std::nullopt, "fr", "ja_JP", L::Japanese},
        {L::English, "ja", "ja_JP.UTF-8", L::English},  {L::Japanese, "en", "en_GB", L::Japanese},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseInterfaceLanguage(c.option, c.setting, c.locale), c.expected)
            << (c.option ? "option, " : "") << "setting " << c.setting << ", locale " << c.locale;
    }
    EXPECT_EQ(parseInterfaceLanguage("EN"), std::nullopt);
}

} // namespace
} // namespace vintrel
