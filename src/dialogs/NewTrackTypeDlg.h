// "Select new track type": the kind of track Add New track makes.
#pragma once

#include "gfx/PlatformServices.h"

#include <QDialog>

class QButtonGroup;

class CNewTrackTypeDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CNewTrackTypeDlg(NewTrackKind kind = NewTrackKind::Data, QWidget* parent = nullptr);

    NewTrackKind Kind() const;

  private:
    QButtonGroup* kind_;
};
