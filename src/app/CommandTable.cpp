#include "app/CommandTable.h"

#include "doc/CommandIds.h"

#include <algorithm>

namespace {

QList<QKeySequence> Keys(std::initializer_list<QKeySequence> keys) { return QList<QKeySequence>(keys); }

const QList<CCommandInfo>& Table() {
    static const QList<CCommandInfo> table = {
        // File
        {ID_FILE_NEW, "&New", "Create a new document", Keys({QKeySequence(Qt::CTRL | Qt::Key_N)}), false},
        {ID_FILE_OPEN, "&Open...", "Open an existing document", Keys({QKeySequence(Qt::CTRL | Qt::Key_O)}), false},
        {ID_FILE_SAVE, "&Save", "Save the active document", Keys({QKeySequence(Qt::CTRL | Qt::Key_S)}), false},
        {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name", {}, false},
        {ID_FILE_IMPORT_LAS, "&Import LAS file...", "Import the curves of a LAS file into the plot", {}, false},
        {ID_FILE_IMPORT_ASCII, "Import AS&CII file...", "Import a delimited text file as data tracks", {}, false},
        {ID_FILE_EXPORT_LAS, "&Export LAS file...", "Export the logs as a LAS file", {}, false},
        {ID_FILE_SAVE_IMAGE, "Save I&mage as...", "Save the plot as a picture file", {}, false},
        {ID_FILE_PRINT, "&Print...", "Print the plot", Keys({QKeySequence(Qt::CTRL | Qt::Key_P)}), false},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display the printed sheets", {}, false},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options", {}, false},
        {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save the document", {}, false},
        // Edit
        {ID_EDIT_UNDO, "&Undo", "Undo the last action",
         Keys({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}), false},
        {ID_EDIT_CUT, "Cu&t", "Cut the selection and put it on the Clipboard",
         Keys({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}), false},
        {ID_EDIT_COPY, "&Copy", "Copy the plot to the Clipboard as a picture",
         Keys({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}), false},
        {ID_EDIT_COPY_HIREZ, "Copy &high rez image", "Copy the plot to the Clipboard as a high-resolution bitmap", {}, false},
        {ID_EDIT_PASTE, "&Paste", "Insert Clipboard contents",
         Keys({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}), false},
        {ID_EDIT_PASTE_TABLE, "Paste datatable as new &tracks", "Paste a table from a spreadsheet as new tracks", {}, false},
        {ID_EDIT_PASTE_IN_TRACK, "Paste data in trac&k", "Paste a table from a spreadsheet into the selected track", {}, false},
        {ID_EDIT_CLEAR_MARKERS, "Clear &markers", "Remove every depth marker", {}, false},
        {ID_EDIT_RESET_CORRELATIONS, "&Reset correlations", "Set the depth shift of every track back to 0", {}, false},
        {ID_EDIT_ADD_TRACK, "Add &New track...", "Add a data, stratigraphy or lithology track", {}, false},
        // Insert Track
        {ID_INSERT_WELL_LOG, "&Well Log...", "Insert one curve of a LAS file as a log track", {}, false},
        {ID_INSERT_POINT_DATA, "&Point Data", "Insert a point data track", {}, false},
        {ID_INSERT_STRAT, "&Stratigraphy", "Insert a stratigraphy track", {}, false},
        {ID_INSERT_LITH, "&Lithology", "Insert a lithology track", {}, false},
        {ID_INSERT_IMAGES, "&Images", "Insert an image track", {}, false},
        {ID_INSERT_COMMENTS, "&Comments", "Insert a comment track", {}, false},
        {ID_INSERT_GENERIC, "&Generic Data", "Insert a generic data track", {}, false},
        {ID_INSERT_SHOW_DATA, "Show &Data", "Show the data of a track", {}, false},
        // Track
        {ID_TRACK_COPY_DATA, "Copy data to &Excel", "Copy the data of the selected track as a table", {}, false},
        {ID_TRACK_OPERATION, "&Operation ...", "Apply an operation to the selected track", {}, false},
        {ID_TRACK_SMOOTH, "&Smooth Log ...", "Smooth the selected log", {}, false},
        {ID_TRACK_DELETE, "&Delete selected tracks", "Delete the selected tracks", {}, false},
        {ID_TRACK_FORMAT, "&Format Track ...", "Change the look and scale of the selected track", {}, false},
        {ID_TRACK_OVERLAY, "Add &Overlay", "Draw the selected track over the one before it", {}, false},
        // Tools
        {ID_TOOL_ARROW, "&Arrow", "Arrow", {}, true},
        {ID_TOOL_MOVE, "&Move", "Move to rearrange tracks", {}, true},
        {ID_TOOL_CORRELATION, "&Correlation", "Correlation", {}, true},
        {ID_TOOL_DRAW, "&Draw", "Draw data points or layers", {}, true},
        {ID_TOOL_ERASER, "&Eraser", "Eraser", {}, true},
        {ID_TOOL_MARKER, "Show/Draw &marker", "Show/Draw marker", {}, true},
        {ID_TOOL_INFO, "Track &info", "Track info", {}, true},
        {ID_TOOLS_TRACK_OPERATION, "&Track track operation...", "Combine two or more tracks into a new one", {}, false},
        // Options
        {ID_OPTIONS_SCALE_BAR, "&Scale Bar", "Toggle Depth Scale Bar", {}, true},
        {ID_OPTIONS_ZOOM_BAR, "&Zoom Bar", "Show/Hide zoom and scroll bar", {}, true},
        {ID_OPTIONS_METERS, "&Meters", "Show depths in meters", {}, true},
        {ID_OPTIONS_FEET, "&Feet", "Show depths in feet", {}, true},
        {ID_OPTIONS_DUAL_AXIS, "&Dual Depth Axis", "Show depth rulers in meters and feet", {}, true},
        {ID_OPTIONS_TRACK, "&Track options...", "Change the properties of the selected track", {}, false},
        {ID_OPTIONS_INPUT_METHOD, "&Input method...", "Choose how the pencil adds data points", {}, false},
        {ID_OPTIONS_WELL, "&Well options...", "Change the well name and the depth units", {}, false},
        // Zoom and scroll
        {ID_ZOOM_IN, "Zoom &In", "Show less depth, in more detail", {}, false},
        {ID_ZOOM_OUT, "Zoom &out", "Show more depth", {}, false},
        {ID_SCROLL_UP, "Scroll depth &up", "Move the depth window one unit deeper", {}, false},
        {ID_SCROLL_DOWN, "Scroll depth &down", "Move the depth window one unit shallower", {}, false},
        // Help
        {ID_HELP_GUIDE, "&User Guide", "Open the user guide", Keys({QKeySequence(Qt::Key_F1)}), false},
        {ID_APP_ABOUT, "&About Tarvik...", "Display program information and version", {}, false},
    };
    return table;
}

} // namespace

const QList<CCommandInfo>& AllCommands() { return Table(); }
