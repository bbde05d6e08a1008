// "Properties" of a lithology column: its title, width and depth shift.
#pragma once

#include <QDialog>

class CLithTrack;
class QLineEdit;

class CLithTrackInfoDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CLithTrackInfoDlg(CLithTrack& track, QWidget* parent = nullptr);

  public slots:
    // Stores title, width and KB into the track and closes; a width outside the
    // property pages' limits or a field without a number is refused, and nothing is
    // stored.
    void accept() override;

  private:
    CLithTrack& track_;
    QLineEdit* title_;
    QLineEdit* width_;
    QLineEdit* kb_;
};
