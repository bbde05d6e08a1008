// The two "Confirm input" dialogs of the digitising tools: the depth and value of a
// point, or the top, base and value of a range, shown for correction before they
// are added.
#pragma once

#include <QDialog>

class QLineEdit;

class CConfirmInputDlg : public QDialog {
    Q_OBJECT

  public:
    CConfirmInputDlg(float depth, float value, QWidget* parent = nullptr);

    // The numbers read by an accepted OK.
    float Depth() const { return depth_; }
    float Value() const { return value_; }

  public slots:
    // Refused, with the message and the focus on the field, while a field holds no number.
    void accept() override;

  private:
    float depth_;
    float value_;
    QLineEdit* depthEdit_;
    QLineEdit* valueEdit_;
};

class CConfirmRangeInpudDlg : public QDialog {
    Q_OBJECT

  public:
    CConfirmRangeInpudDlg(float top, float base, float value, QWidget* parent = nullptr);

    float Top() const { return top_; }
    float Base() const { return base_; }
    float Value() const { return value_; }

  public slots:
    void accept() override;

  private:
    float top_;
    float base_;
    float value_;
    QLineEdit* topEdit_;
    QLineEdit* baseEdit_;
    QLineEdit* valueEdit_;
};
