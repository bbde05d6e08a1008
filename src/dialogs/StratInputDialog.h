// "Stratigraphy": one formation's name, top, bottom and fill colour.
#pragma once

#include "gfx/Colour.h"

#include <QDialog>

#include <string>

class CColourPicker;
class QLabel;
class QLineEdit;

class CStratInputDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr ColourRef kStartFill = MakeRGB(255, 255, 255);

    // The bottom is shown only for a range, when top < bottom. The name is 8-bit
    // document text.
    CStratInputDialog(const std::string& name, float top, float bottom,
                      ColourRef fillColor = kStartFill, QWidget* parent = nullptr);

    // The values read by an accepted OK; a hidden bottom comes back as given.
    const std::string& Name() const { return name_; }
    float Top() const { return top_; }
    float Bottom() const { return bottom_; }
    ColourRef FillColor() const { return fillColor_; }

  public slots:
    // Refused, with the message and the focus on the field, while a field holds no number.
    void accept() override;

  private:
    std::string name_;
    float top_;
    float bottom_;
    ColourRef fillColor_;
    bool range_;
    QLineEdit* nameEdit_;
    QLineEdit* topEdit_;
    QLabel* bottomLabel_;
    QLineEdit* bottomEdit_;
    CColourPicker* fill_;
};
