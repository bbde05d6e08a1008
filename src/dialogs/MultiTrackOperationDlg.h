// "Multi Track Operation": two tracks from a list, what to do with them, and the
// name of the track the result goes into.
#pragma once

#include "gfx/PlatformServices.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;

class CMultiTrackOperationDlg : public QDialog {
    Q_OBJECT

  public:
    // Both lists hold the labels (8-bit text) in their order and start on the
    // choice's tracks; the choice also gives the operation and the name.
    CMultiTrackOperationDlg(const std::vector<std::string>& labels, const CMultiTrackChoice& choice,
                            QWidget* parent = nullptr);

    // What the dialog shows now.
    CMultiTrackChoice Choice() const;

  private:
    QComboBox* trackA_;
    QComboBox* trackB_;
    QButtonGroup* operation_;
    QLineEdit* name_;
    CMultiTrackChoice given_;
};
