// "Operation": a value operation (arithmetic with a value, or a unit conversion)
// to apply to the selected track.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

class COperationDlg : public QDialog {
    Q_OBJECT

  public:
    // Opens on the given operation and value ("Add" and 0 the first time).
    explicit COperationDlg(int code = 0, float value = 0.0f, QWidget* parent = nullptr);

    // The chosen operation (its position in the list) and value; set by OK.
    int Code() const { return code_; }
    float Value() const { return value_; }

  public slots:
    // Refused while an operation that takes a value has no number.
    void accept() override;

  private:
    // Only the arithmetic takes a value: its edit and caption follow the choice.
    void OnOperationChanged(int code);

    QComboBox* operation_;
    QLineEdit* valueEdit_;
    QLabel* caption_;
    int code_;
    float value_;
};
