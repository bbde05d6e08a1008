// The main window: menus, the standard and the zoom tool bars, the depth scale bar,
// the status bar, the plot view, recent files, dropped files and the bar layout.
#pragma once

#include "app/QtPlatform.h"
#include "doc/TarvikDoc.h"
#include "view/TarvikView.h"

#include <QMainWindow>
#include <QPrinter>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;
class CPlotWidget;
class CScaleListBar;
struct CTrackMenuState;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    CTarvikDoc& Document() { return doc; }
    CTarvikView& PageView() { return view; }
    CPlotWidget* Plot() const { return plot; }
    CScaleListBar* ScaleBar() const { return scaleBar; }
    const CQtPlatform& Platform() const { return platform; }
    QToolBar* ZoomBar() const { return zoomBar; }
    QDockWidget* ScaleDock() const { return scaleDock; }
    QAction* Action(int id) const;

    // Runs a command as the menus and tool bars do.
    void OnCommand(int id);
    // Enable and check every command by the document's and the window's state.
    void UpdateCommandUi();
    // Opens a file as File > Open does (asking to save a modified document first).
    bool OpenDocumentFile(const QString& path);
    // Handles files dropped on the window.
    void DropFiles(const QStringList& paths);
    // Asks to save a modified document; false when the user cancelled or the save
    // failed, so whatever was about to happen must not.
    bool SaveModified();
    // The window's layout of bars, saved on close and restored at start.
    void SaveBarState();
    bool RestoreBarState();

    static constexpr const char* kBarStateKey = "Tarvik.BarState";

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The handler of every command built so far, by command id, grouped by menu.
    void RegisterCommands();
    void RegisterFileCommands();
    void RegisterEditCommands();
    void RegisterOptionsCommands();
    void RegisterTrackCommands();
    void CreateActions();
    void CreateMenus();
    void CreateBars();
    void CreateStatusBar();
    QAction* AddAction(QMenu* menu, int id);
    // The track pop-up menu as the tools describe it for the track under the pointer.
    void ShowTrackMenu(const CTrackMenuState& state, const QPoint& globalPos);
    void InitialUpdate();
    void DocumentChanged();
    void UpdateTitle();
    void UpdateLockIndicators();

    // File menu.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFileImportLas();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void AddRecentFile(const QString& path);
    void RebuildRecentMenu();
    bool EnsurePrinter();
    // Options, zoom and the track commands.
    void OnFormatTrack(int index);
    void OnToggleBar(QWidget* bar);

    CQtPlatform platform;
    CTarvikDoc doc;
    CTarvikView view;
    CPlotWidget* plot = nullptr;
    CScaleListBar* scaleBar = nullptr;
    QDockWidget* scaleDock = nullptr;
    QToolBar* standardBar = nullptr;
    QToolBar* zoomBar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* recentMenuAnchor = nullptr;
    QList<QAction*> recentActions;
    QAction* recentSeparator = nullptr;
    QLabel* capsIndicator = nullptr;
    QLabel* numIndicator = nullptr;
    QLabel* scrollIndicator = nullptr;
    std::map<int, QAction*> actions;
    std::map<int, std::function<void()>> handlers;
    std::unique_ptr<QPrinter> printer;
};
