// Command routing, and the commands of the Edit, Options, Insert Track and Track
// menus and of the zoom bar.
#include "app/AboutDialog.h"
#include "app/MainFrame.h"
#include "app/PlotWidget.h"
#include "doc/CommandIds.h"
#include "tracks/DataTrack.h"

#include <QApplication>
#include <QDockWidget>
#include <QToolBar>

void CMainFrame::OnCommand(int id) {
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        break;
    case ID_FILE_OPEN:
        OnFileOpen();
        break;
    case ID_FILE_SAVE:
        OnFileSave();
        break;
    case ID_FILE_SAVE_AS:
        OnFileSaveAs();
        break;
    case ID_FILE_PRINT:
        OnFilePrint();
        break;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        break;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        break;
    case ID_FILE_IMPORT_LAS:
        OnFileImportLas();
        break;
    case ID_TRACK_COPY_DATA:
        if (CTrack* t = doc.SelectedTrack()) t->CopyData(platform);
        break;
    case ID_EDIT_PASTE_IN_TRACK:
        OnPasteInTrack();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_APP_ABOUT:
        ShowAboutDialog(this);
        break;
    case ID_EDIT_CLEAR_MARKERS:
        doc.OnClearMarkers();
        break;
    case ID_EDIT_RESET_CORRELATIONS:
        doc.OnResetCorrelations();
        break;
    case ID_INSERT_WELL_LOG:
        doc.OnInsertWellLog();
        break;
    case ID_OPTIONS_SCALE_BAR:
        OnToggleBar(scaleDock);
        break;
    case ID_OPTIONS_ZOOM_BAR:
        OnToggleBar(zoomBar);
        break;
    case ID_OPTIONS_METERS:
        doc.OnDepthMeters();
        break;
    case ID_OPTIONS_FEET:
        doc.OnDepthFeet();
        break;
    case ID_OPTIONS_DUAL_AXIS:
        doc.OnDualAxis();
        break;
    case ID_OPTIONS_TRACK:
        if (doc.selectedTrack >= 0) doc.EditTrack(doc.selectedTrack);
        break;
    case ID_TRACK_FORMAT:
        if (doc.SelectedTrack()) OnFormatTrack(doc.selectedTrack);
        break;
    case ID_TRACK_DELETE:
        doc.DeleteSelectedTracks();
        break;
    case ID_ZOOM_IN:
        doc.OnZoomIn();
        break;
    case ID_ZOOM_OUT:
        doc.OnZoomOut();
        break;
    case ID_SCROLL_UP:
        doc.OnScrollUp();
        break;
    case ID_SCROLL_DOWN:
        doc.OnScrollDown();
        break;
    default:
        break; // not built yet: the command is disabled
    }
    UpdateCommandUi();
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

void CMainFrame::OnPasteInTrack() {
    // Only data tracks take a pasted table so far.
    auto* data = dynamic_cast<CDataTrack*>(doc.SelectedTrack());
    if (!data || !data->Paste(platform)) return;
    doc.SetModifiedFlag();
    DocumentChanged();
}
