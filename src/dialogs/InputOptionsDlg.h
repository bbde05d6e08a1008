// "Input method": how the pencil adds points to a data track, and whether each
// point is shown for correction first.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;

class CInputOptionsDlg : public QDialog {
    Q_OBJECT

  public:
    // inputMethod: 0 simple, 1 average range; confirmInput: nonzero to confirm.
    CInputOptionsDlg(int inputMethod, int confirmInput, QWidget* parent = nullptr);

    // The chosen method, or the given one while neither radio is picked.
    int InputMethod() const;
    int ConfirmInput() const;

  private:
    int givenMethod_;
    QButtonGroup* method_;
    QCheckBox* confirm_;
};
