// "Well options": the well's name, the depth unit and the dual depth axis.
#pragma once

#include "gfx/PlatformServices.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

class CWellOptionsDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CWellOptionsDlg(const CWellOptions& options, QWidget* parent = nullptr);

    // The shown values; a unit that neither radio stands for is kept while none is picked.
    CWellOptions Options() const;

  private:
    CWellOptions given_;
    QLineEdit* wellName_;
    QButtonGroup* depthUnit_;
    QCheckBox* dualAxis_;
};
