// The resolution of a bitmap of the plot: the dots per inch wanted, proposed as the
// screen's, with the size the bitmap will have shown as the value changes. Used by
// Save Image as and Copy high rez image.
#pragma once

#include "gfx/DrawSurface.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class CEnterDPIDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMinDpi = 1;
    static constexpr int kMaxDpi = 2400;

    // base: the bitmap's size at the screen's resolution screenDpi.
    CEnterDPIDialog(int proposed, float screenDpi, CSize base, QWidget* parent = nullptr);

    // The dpi entered; set by an accepted OK.
    int Dpi() const { return dpi_; }
    // "The output bitmap size is W x H", or "Final size of bitmap" while the edit
    // holds no number.
    QString SizeText() const;

  public slots:
    // Refused with the framework's range message outside 1 to 2400.
    void accept() override;

  private:
    void ShowSize();

    QLineEdit* edit_;
    QLabel* size_;
    float screenDpi_;
    CSize base_;
    int dpi_;
};
