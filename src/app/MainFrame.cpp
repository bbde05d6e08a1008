// The main window: menus, bars, the status bar, the track pop-up menu, the bar layout
// and the files dropped on it.
#include "app/MainFrame.h"

#include "app/CommandTable.h"
#include "platform/Icons.h"
#include "platform/KeyboardLocks.h"
#include "app/PlotWidget.h"
#include "app/ScaleListBar.h"
#include "dialogs/SmartComboBox.h"
#include "doc/CommandIds.h"
#include "doc/CommandState.h"
#include "view/DepthScale.h"
#include "view/EditTools.h"
#include "view/LogOperations.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

// The bar names a saved layout must find again.
const QStringList kBarNames = {"StandardBar", "ZoomBar", "ScaleBar"};

} // namespace

CMainFrame::CMainFrame() : platform(this), doc(platform), view(doc) {
    setAcceptDrops(true);
    plot = new CPlotWidget(doc, view, this);
    setCentralWidget(plot);
    RegisterCommands();
    CreateActions();
    CreateMenus();
    CreateBars();
    CreateStatusBar();
    RestoreBarState();

    platform.SetUpdateHandler([this] { DocumentChanged(); });
    connect(plot, &CPlotWidget::SelectionChanged, this, &CMainFrame::UpdateCommandUi);
    connect(plot, &CPlotWidget::TrackMenuRequested, this, &CMainFrame::ShowTrackMenu);
    connect(plot, &CPlotWidget::SumRequested, this, [this] {
        OnSumSelected(doc);
        UpdateCommandUi();
    });

    // What the window shows follows the document whenever the program is idle.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] {
        scaleBar->ShowValues(QString::fromStdString(ScaleText(doc)),
                             QString::fromStdString(LengthText(doc)),
                             QString::fromStdString(ScaleUnitText(doc)));
        UpdateCommandUi();
        UpdateLockIndicators();
    });
    idle->start(250);

    // F6 and Shift+F6 move between the panes: the plot and the depth scale bar.
    auto* nextPane = new QAction(this);
    nextPane->setShortcuts({QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    connect(nextPane, &QAction::triggered, this, [this] {
        if (plot->hasFocus() && scaleDock->isVisible())
            scaleBar->LengthBox()->setFocus(Qt::TabFocusReason);
        else
            plot->setFocus(Qt::OtherFocusReason);
    });
    addAction(nextPane);

    resize(1100, 820);
    plot->TakeScreenResolution();
    InitialUpdate();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(int id) const {
    const auto it = actions.find(id);
    return it == actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    for (const CCommandInfo& c : AllCommands()) {
        auto* a = new QAction(QString::fromUtf8(c.caption), this);
        a->setStatusTip(QString::fromUtf8(c.prompt));
        a->setShortcuts(c.shortcuts);
        a->setCheckable(c.checkable);
        a->setIcon(CommandIcon(c.id));
        a->setIconVisibleInMenu(false);
        a->setToolTip(QString::fromUtf8(c.prompt));
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions[id] = a;
    }
}

QAction* CMainFrame::AddAction(QMenu* menu, int id) {
    QAction* a = Action(id);
    menu->addAction(a);
    return a;
}

void CMainFrame::CreateMenus() {
    fileMenu = menuBar()->addMenu(tr("&File"));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS}) AddAction(fileMenu, id);
    fileMenu->addSeparator();
    for (int id : {ID_FILE_IMPORT_LAS, ID_FILE_IMPORT_ASCII, ID_FILE_EXPORT_LAS}) AddAction(fileMenu, id);
    fileMenu->addSeparator();
    AddAction(fileMenu, ID_FILE_SAVE_IMAGE);
    fileMenu->addSeparator();
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP}) AddAction(fileMenu, id);
    recentSeparator = fileMenu->addSeparator();
    for (int i = 0; i < 4; ++i) {
        auto* a = new QAction(this);
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, a] { OpenDocumentFile(a->data().toString()); });
        recentActions << a;
        fileMenu->addAction(a);
    }
    fileMenu->addSeparator();
    AddAction(fileMenu, ID_APP_EXIT);
    RebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    AddAction(edit, ID_EDIT_UNDO);
    edit->addSeparator();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_COPY_HIREZ, ID_EDIT_PASTE, ID_EDIT_PASTE_TABLE,
                   ID_EDIT_PASTE_IN_TRACK})
        AddAction(edit, id);
    edit->addSeparator();
    AddAction(edit, ID_EDIT_CLEAR_MARKERS);
    AddAction(edit, ID_EDIT_RESET_CORRELATIONS);
    edit->addSeparator();
    AddAction(edit, ID_EDIT_ADD_TRACK);

    QMenu* insert = menuBar()->addMenu(tr("&Insert Track"));
    for (int id : {ID_INSERT_WELL_LOG, ID_INSERT_POINT_DATA, ID_INSERT_STRAT, ID_INSERT_LITH,
                   ID_INSERT_IMAGES, ID_INSERT_COMMENTS, ID_INSERT_GENERIC, ID_INSERT_SHOW_DATA})
        AddAction(insert, id);

    QMenu* track = menuBar()->addMenu(tr("T&rack"));
    for (int id : {ID_TRACK_COPY_DATA, ID_TRACK_OPERATION, ID_TRACK_SMOOTH}) AddAction(track, id);
    track->addSeparator();
    for (int id : {ID_TRACK_DELETE, ID_TRACK_FORMAT, ID_TRACK_OVERLAY}) AddAction(track, id);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (int id : {ID_TOOL_ARROW, ID_TOOL_MOVE, ID_TOOL_CORRELATION, ID_TOOL_DRAW, ID_TOOL_ERASER,
                   ID_TOOL_MARKER, ID_TOOL_INFO})
        AddAction(tools, id);
    tools->addSeparator();
    AddAction(tools, ID_TOOLS_TRACK_OPERATION);

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    AddAction(options, ID_OPTIONS_SCALE_BAR);
    AddAction(options, ID_OPTIONS_ZOOM_BAR);
    options->addSeparator();
    QMenu* units = options->addMenu(tr("Depth &Units"));
    AddAction(units, ID_OPTIONS_METERS);
    AddAction(units, ID_OPTIONS_FEET);
    AddAction(options, ID_OPTIONS_DUAL_AXIS);
    options->addSeparator();
    for (int id : {ID_OPTIONS_TRACK, ID_OPTIONS_INPUT_METHOD, ID_OPTIONS_WELL}) AddAction(options, id);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddAction(help, ID_HELP_GUIDE);
    AddAction(help, ID_APP_ABOUT);

    for (QMenu* m : menuBar()->findChildren<QMenu*>())
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
}

void CMainFrame::CreateBars() {
    standardBar = addToolBar(tr("Standard"));
    standardBar->setObjectName(kBarNames[0]);
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE}) standardBar->addAction(Action(id));
    standardBar->addSeparator();
    for (int id : {ID_EDIT_COPY, ID_EDIT_PASTE}) standardBar->addAction(Action(id));
    standardBar->addSeparator();
    standardBar->addAction(Action(ID_FILE_PRINT));
    standardBar->addSeparator();
    for (int id : {ID_TOOL_ARROW, ID_TOOL_MOVE, ID_TOOL_CORRELATION, ID_TOOL_DRAW, ID_TOOL_ERASER,
                   ID_TOOL_MARKER, ID_TOOL_INFO})
        standardBar->addAction(Action(id));
    standardBar->addSeparator();
    standardBar->addAction(Action(ID_APP_ABOUT));

    zoomBar = addToolBar(tr("Zoom and scroll"));
    zoomBar->setObjectName(kBarNames[1]);
    for (int id : {ID_ZOOM_IN, ID_ZOOM_OUT, ID_SCROLL_UP, ID_SCROLL_DOWN}) zoomBar->addAction(Action(id));

    scaleDock = new QDockWidget(tr("Depth scale"), this);
    scaleDock->setObjectName(kBarNames[2]);
    scaleDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    scaleDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                           QDockWidget::DockWidgetClosable);
    scaleBar = new CScaleListBar(scaleDock);
    scaleDock->setWidget(scaleBar);
    addDockWidget(Qt::LeftDockWidgetArea, scaleDock);
    connect(scaleBar, &CScaleListBar::ScaleCommand, this, [this](const QString& text) {
        if (ApplyScale(doc, text.toStdString(), platform)) plot->DocumentChanged();
    });
    connect(scaleBar, &CScaleListBar::LengthCommand, this, [this](const QString& text) {
        if (ApplyPlotLength(doc, text.toStdString(), platform)) plot->DocumentChanged();
    });
}

void CMainFrame::CreateStatusBar() {
    auto indicator = [this](const QString& text) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
        label->setProperty("indicatorText", text);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        return label;
    };
    capsIndicator = indicator(QStringLiteral("CAP"));
    numIndicator = indicator(QStringLiteral("NUM"));
    scrollIndicator = indicator(QStringLiteral("SCRL"));
    statusBar()->showMessage(QString::fromLatin1(CQtPlatform::kIdleMessage));
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators() {
    const CLockKeys keys = ReadLockKeys();
    const auto show = [](QLabel* label, bool on) {
        const QString text = on ? label->property("indicatorText").toString() : QString();
        if (label->text() != text) label->setText(text);
    };
    show(capsIndicator, keys.caps);
    show(numIndicator, keys.num);
    show(scrollIndicator, keys.scroll);
}

void CMainFrame::UpdateCommandUi() {
    for (const auto& [id, action] : actions) {
        // A command whose work is not in the program yet has no handler: it is
        // present, and disabled.
        const bool built = handlers.count(id) > 0;
        CCommandState s = QueryDocCommand(doc, id);
        if (!s.known) {
            s.enabled = built;
            if (id == ID_OPTIONS_SCALE_BAR) s.checked = scaleDock->isVisible();
            if (id == ID_OPTIONS_ZOOM_BAR) s.checked = zoomBar->isVisible();
            if (plot->Tools().IsChosen(id)) s.checked = true; // the current tool
        } else if (!built) {
            s.enabled = false;
        }
        if (action->isEnabled() != s.enabled) action->setEnabled(s.enabled);
        if (action->isCheckable() && action->isChecked() != s.checked) action->setChecked(s.checked);
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    const QString path = QString::fromStdString(doc.PathName());
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    const QString title = name + QStringLiteral("[*] - Tarvik 3.7");
    if (windowTitle() != title) setWindowTitle(title);
    if (isWindowModified() != doc.IsModified()) setWindowModified(doc.IsModified());
}

void CMainFrame::InitialUpdate() {
    // After a LAS open the plot belongs to a new ".tvk" beside the LAS file.
    doc.FinishLasOpen();
    DocumentChanged();
}

void CMainFrame::DocumentChanged() {
    plot->DocumentChanged();
    UpdateCommandUi();
}

void CMainFrame::ShowTrackMenu(const CTrackMenuState& state, const QPoint& globalPos) {
    if (!state.show) return;
    UpdateCommandUi();
    QMenu menu(this);
    // The pop-up reads differently from the main menu, so its items are actions of its
    // own; each follows its main action's enabled state (one rule for both), narrowed
    // by what the track under the pointer allows.
    const auto item = [&](int id, const QString& text, bool allowed) {
        QAction* main = Action(id);
        QAction* a = menu.addAction(text);
        a->setStatusTip(main->statusTip());
        const auto follow = [a, main, allowed] { a->setEnabled(allowed && main->isEnabled()); };
        follow();
        connect(main, &QAction::changed, a, follow);
        connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
    };
    item(ID_EDIT_COPY, tr("Copy As EMF"), true);
    item(ID_TRACK_COPY_DATA, tr("Copy data to Excel"), true);
    item(ID_EDIT_PASTE_IN_TRACK, tr("Paste data from Excel"), state.pasteEnabled);
    item(ID_TRACK_OPERATION, tr("Operation ..."), true);
    item(ID_TRACK_SMOOTH, tr("Smooth Log ..."), state.smoothEnabled);
    menu.addSeparator();
    item(ID_TRACK_DELETE, tr("Delete selected tracks"), true);
    item(ID_TRACK_FORMAT, tr("Format Track ..."), true);
    item(ID_TRACK_OVERLAY, QString::fromStdString(state.overlayText), state.overlayEnabled);
    menu.exec(globalPos);
}

void CMainFrame::OnToggleBar(QWidget* bar) {
    bar->setVisible(!bar->isVisible());
    UpdateCommandUi();
}

bool CMainFrame::RestoreBarState() {
    QSettings settings;
    const QStringList names = settings.value(QStringLiteral("%1.Bars").arg(kBarStateKey)).toStringList();
    const QByteArray state = settings.value(kBarStateKey).toByteArray();
    if (state.isEmpty()) return false;
    // A layout that names a bar this window no longer has is not used at all.
    for (const QString& n : names)
        if (!kBarNames.contains(n)) return false;
    return restoreState(state);
}

void CMainFrame::SaveBarState() {
    QSettings settings;
    settings.setValue(kBarStateKey, saveState());
    settings.setValue(QStringLiteral("%1.Bars").arg(kBarStateKey), kBarNames);
}

bool CMainFrame::event(QEvent* event) {
    // Leaving a menu item or a tool-bar button clears its prompt: the pane goes back
    // to the idle message rather than to nothing.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(QString::fromLatin1(CQtPlatform::kIdleMessage));
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveBarState();
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}
