// "Enter filter length": how many points Smooth Log averages over.
#pragma once

#include <QDialog>

class QLineEdit;

class CFilterLengthDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMinLength = 3;
    static constexpr int kMaxLength = 1000;

    explicit CFilterLengthDlg(int length, QWidget* parent = nullptr);

    // The length entered; set by an accepted OK.
    int Length() const { return length_; }

  public slots:
    // Refused with the framework's range message outside 3 to 1000.
    void accept() override;

  private:
    QLineEdit* edit_;
    int length_;
};
