// The property dialog of each track kind, and the "Select Log" list.
#include "dialogs/TrackProperties.h"

#include "dialogs/LithTrackInfoDlg.h"
#include "dialogs/LogTrackInfoDlg.h"
#include "dialogs/PropertyPages.h"
#include "dialogs/SelectLogDlg.h"
#include "tracks/LithTrack.h"
#include "tracks/StratTrack.h"

int EditTrackProperties(QWidget* parent, CTrack& track) {
    // The dialogs store into the track themselves, and only when they end with OK.
    if (auto* lith = dynamic_cast<CLithTrack*>(&track)) {
        CLithTrackInfoDlg dialog(*lith, parent);
        return dialog.exec() == QDialog::Accepted ? 1 : 0;
    }
    if (auto* strat = dynamic_cast<CStratTrack*>(&track)) {
        CLogTrackInfoDlg dialog(*strat, parent);
        return dialog.exec() == QDialog::Accepted ? 1 : 0;
    }
    CTrackPropSheet sheet(track, parent);
    if (sheet.PageCount() == 0) return 0;
    return sheet.exec() == QDialog::Accepted ? 1 : 0;
}

int SelectLogDialog(QWidget* parent, const std::vector<std::string>& names) {
    SelectLogDlg dialog(names, parent);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.Selection();
}
