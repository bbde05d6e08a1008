#include "dialogs/TrackProperties.h"

#include "dialogs/PropertyPages.h"
#include "dialogs/SelectLogDlg.h"

int EditTrackProperties(QWidget* parent, CTrack& track) {
    CTrackPropSheet sheet(track, parent);
    if (sheet.PageCount() == 0) return 0;
    // The sheet stores its pages itself, and only when it ends with OK.
    return sheet.exec() == QDialog::Accepted ? 1 : 0;
}

int SelectLogDialog(QWidget* parent, const std::vector<std::string>& names) {
    SelectLogDlg dialog(names, parent);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.Selection();
}
