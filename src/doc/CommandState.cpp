#include "doc/CommandState.h"

#include "doc/CommandIds.h"
#include "doc/TarvikDoc.h"

CCommandState QueryDocCommand(const CTarvikDoc& doc, int id) {
    const auto on = [](bool enabled, bool checked = false) {
        return CCommandState{true, enabled, checked};
    };
    switch (id) {
    case ID_OPTIONS_METERS:
        return on(true, doc.depthUnit == 0);
    case ID_OPTIONS_FEET:
        return on(true, doc.depthUnit == 1);
    case ID_OPTIONS_DUAL_AXIS:
        return on(true, doc.dualAxis == 1);
    case ID_OPTIONS_TRACK:
        // Enabled once a track was selected, even when the index is stale.
        return on(doc.selectedTrack != -1);
    case ID_EDIT_CLEAR_MARKERS:
        return on(!doc.markers.empty());
    case ID_EDIT_RESET_CORRELATIONS:
        return on(doc.TrackCount() > 0);
    case ID_EDIT_PASTE_IN_TRACK: {
        const CTrack* t = doc.SelectedTrack();
        return on(t && (t->type == kTrackData || t->type == kTrackLith || t->type == kTrackStrat));
    }
    case ID_TRACK_COPY_DATA:
        return on(doc.SelectedTrack() != nullptr);
    case ID_FILE_EXPORT_LAS:
        return on(false); // there is no LAS writer
    case ID_FILE_SAVE_IMAGE:
    case ID_EDIT_COPY_HIREZ:
        return on(doc.TrackCount() > 0);
    case ID_EDIT_PASTE_TABLE:
        return on(doc.Platform().ClipboardHasText());
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
        return on(true);
    case ID_TRACK_SMOOTH: {
        // The log at the selected index, as the command smooths.
        const int i = doc.selectedTrack;
        return on(i >= 0 && i < doc.TrackCount() &&
                  doc.tracks[static_cast<size_t>(i)]->type == kTrackLog);
    }
    case ID_TRACK_OPERATION: {
        const CTrack* t = doc.SelectedTrack();
        return on(t && (t->type == kTrackLog || t->type == kTrackData));
    }
    case ID_TOOLS_TRACK_OPERATION:
        return on(doc.TrackCount() > 3);
    case ID_FILE_IMPORT_ASCII:
        return on(true);
    case ID_OPTIONS_WELL:
    case ID_OPTIONS_INPUT_METHOD:
    case ID_EDIT_ADD_TRACK:
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT:
    case ID_SCROLL_UP:
    case ID_SCROLL_DOWN:
    case ID_INSERT_WELL_LOG:
        return on(true);
    case ID_INSERT_POINT_DATA:
    case ID_INSERT_STRAT:
    case ID_INSERT_LITH:
    case ID_INSERT_IMAGES:
    case ID_INSERT_COMMENTS:
    case ID_INSERT_GENERIC:
    case ID_INSERT_SHOW_DATA:
        return on(false); // menu entries without an action
    default:
        return {};
    }
}
