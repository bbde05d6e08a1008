// "Lithology": a layer's top, bottom and rock type, chosen from the library.
#pragma once

#include <QDialog>

class CLithArray;
class CLithCombo;
class QLabel;
class QLineEdit;

class CLithInputDlg : public QDialog {
    Q_OBJECT

  public:
    // The bottom can be edited only for a range, when top < bottom. The chooser starts
    // on the first lithology with the id, or on none when the library has no such id.
    CLithInputDlg(float top, float bottom, int lithId, const CLithArray& library,
                  QWidget* parent = nullptr);

    // The values read by an accepted OK. With nothing chosen the id stays the one given.
    float Top() const { return top_; }
    float Bottom() const { return bottom_; }
    int LithId() const { return lithId_; }

    CLithCombo* Chooser() const { return chooser_; }

  public slots:
    // Refused, with the message and the focus on the field, while a field holds no number.
    void accept() override;

  private:
    float top_;
    float bottom_;
    int lithId_;
    QLineEdit* topEdit_;
    QLabel* bottomLabel_;
    QLineEdit* bottomEdit_;
    CLithCombo* chooser_;
};
