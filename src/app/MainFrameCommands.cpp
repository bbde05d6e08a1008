// Command routing, and the commands of the Edit, Options, Insert Track and Track
// menus and of the zoom bar.
#include "dialogs/AboutDialog.h"
#include "app/MainFrame.h"
#include "app/PlotWidget.h"
#include "doc/CommandIds.h"
#include "exchange/AsciiImport.h"
#include "exchange/ClipboardTable.h"
#include "exchange/LasImport.h"
#include "tracks/DataTrack.h"
#include "view/ImageExport.h"
#include "view/LogOperations.h"
#include "dialogs/GuideWindow.h"

#include <QApplication>
#include <QDockWidget>
#include <QToolBar>

void CMainFrame::OnCommand(int id) {
    const auto handler = handlers.find(id);
    if (handler != handlers.end()) {
        handler->second();
        plot->PageChanged(); // a command may change the page without saying so
    }
    // Any other id is a command not built yet: it is disabled.
    UpdateCommandUi();
}

void CMainFrame::RegisterCommands() {
    RegisterFileCommands();
    RegisterEditCommands();
    RegisterOptionsCommands();
    RegisterTrackCommands();
}

void CMainFrame::RegisterFileCommands() {
    handlers[ID_FILE_NEW] = [this] { OnFileNew(); };
    handlers[ID_FILE_OPEN] = [this] { OnFileOpen(); };
    handlers[ID_FILE_SAVE] = [this] { OnFileSave(); };
    handlers[ID_FILE_SAVE_AS] = [this] { OnFileSaveAs(); };
    handlers[ID_FILE_PRINT] = [this] { OnFilePrint(); };
    handlers[ID_FILE_PRINT_PREVIEW] = [this] { OnFilePrintPreview(); };
    handlers[ID_FILE_PRINT_SETUP] = [this] { OnFilePrintSetup(); };
    handlers[ID_FILE_IMPORT_LAS] = [this] { OnFileImportLas(); };
    handlers[ID_FILE_SAVE_IMAGE] = [this] { OnSaveImageAs(view); };
    handlers[ID_FILE_IMPORT_ASCII] = [this] { OnFileImportAscii(doc); };
    handlers[ID_APP_EXIT] = [this] { close(); };
    handlers[ID_APP_ABOUT] = [this] { ShowAboutDialog(this); };
    handlers[ID_HELP_GUIDE] = [this] { ShowUserGuide(this); };
}

void CMainFrame::RegisterEditCommands() {
    handlers[ID_EDIT_PASTE_IN_TRACK] = [this] { doc.OnPasteInTrack(); };
    handlers[ID_EDIT_PASTE] = [this] { OnEditPaste(doc); };
    handlers[ID_EDIT_PASTE_TABLE] = [this] { OnPasteTable(doc); };
    handlers[ID_EDIT_COPY] = [this] { OnCopyPicture(view); };
    handlers[ID_EDIT_COPY_HIREZ] = [this] { OnCopyHighRezImage(view); };
    handlers[ID_EDIT_ADD_TRACK] = [this] { doc.OnAddNewTrack(); };
    handlers[ID_EDIT_CLEAR_MARKERS] = [this] { doc.OnClearMarkers(); };
    handlers[ID_EDIT_RESET_CORRELATIONS] = [this] { doc.OnResetCorrelations(); };
}

void CMainFrame::RegisterOptionsCommands() {
    handlers[ID_OPTIONS_SCALE_BAR] = [this] { OnToggleBar(scaleDock); };
    handlers[ID_OPTIONS_ZOOM_BAR] = [this] { OnToggleBar(zoomBar); };
    handlers[ID_OPTIONS_METERS] = [this] { doc.OnDepthMeters(); };
    handlers[ID_OPTIONS_FEET] = [this] { doc.OnDepthFeet(); };
    handlers[ID_OPTIONS_DUAL_AXIS] = [this] { doc.OnDualAxis(); };
    handlers[ID_OPTIONS_WELL] = [this] { doc.OnWellOptions(); };
    handlers[ID_OPTIONS_INPUT_METHOD] = [this] { doc.OnInputMethod(); };
    handlers[ID_OPTIONS_TRACK] = [this] {
        if (doc.selectedTrack >= 0) doc.EditTrack(doc.selectedTrack);
    };
    handlers[ID_ZOOM_IN] = [this] { doc.OnZoomIn(); };
    handlers[ID_ZOOM_OUT] = [this] { doc.OnZoomOut(); };
    handlers[ID_SCROLL_UP] = [this] { doc.OnScrollUp(); };
    handlers[ID_SCROLL_DOWN] = [this] { doc.OnScrollDown(); };
}

void CMainFrame::RegisterTrackCommands() {
    handlers[ID_INSERT_WELL_LOG] = [this] { InsertWellLog(doc); };
    handlers[ID_TRACK_SMOOTH] = [this] { OnSmoothLog(doc); };
    handlers[ID_TRACK_OPERATION] = [this] { OnTrackOperation(doc); };
    handlers[ID_TOOLS_TRACK_OPERATION] = [this] { OnTrackTrackOperation(doc); };
    handlers[ID_TRACK_COPY_DATA] = [this] {
        if (CTrack* t = doc.SelectedTrack()) t->CopyData(platform);
    };
    handlers[ID_TRACK_FORMAT] = [this] {
        if (doc.SelectedTrack()) OnFormatTrack(doc.selectedTrack);
    };
    handlers[ID_TRACK_DELETE] = [this] { doc.OnDeleteSelectedTracks(); };
    handlers[ID_TRACK_OVERLAY] = [this] { doc.OnAddOverlay(); };
    for (int id : {ID_TOOL_ARROW, ID_TOOL_MOVE, ID_TOOL_CORRELATION, ID_TOOL_DRAW, ID_TOOL_ERASER,
                   ID_TOOL_MARKER, ID_TOOL_INFO})
        handlers[id] = [this, id] {
            plot->Tools().Choose(id);
            plot->ToolChanged();
        };
}

void CMainFrame::OnFormatTrack(int index) {
    // The selected index may be stale; the flag-selected track answers then.
    if (index < 0 || index >= doc.TrackCount()) {
        const CTrack* t = doc.SelectedTrack();
        index = -1;
        for (int i = 0; i < doc.TrackCount(); ++i)
            if (doc.tracks[static_cast<size_t>(i)].get() == t) index = i;
    }
    if (index >= 0) doc.EditTrack(index);
    UpdateCommandUi();
}


