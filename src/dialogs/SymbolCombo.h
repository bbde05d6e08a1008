// The symbol chooser of the data track page: the first eight plot symbols, each
// drawn exactly as the plot draws it, in the page's symbol size and colours.
#pragma once

#include "gfx/Colour.h"

#include <QComboBox>

class QPainter;

class CSymbolCombo : public QComboBox {
    Q_OBJECT

  public:
    static constexpr int kChoices = 8;
    // The item height the chooser was laid out for at 120 pixels per inch; room for
    // the largest size the page offers.
    static constexpr int kDesignItemHeight = 32;

    explicit CSymbolCombo(QWidget* parent = nullptr);

    // Each of these redraws the field and the open list at once.
    void SetSymbolSize(int size);
    void SetSymbolColour(ColourRef colour);
    void SetBackColour(ColourRef colour);
    int SymbolSize() const { return size_; }
    ColourRef SymbolColour() const { return colour_; }
    ColourRef BackColour() const { return back_; }

    // The height of an item and of the selection field's content.
    int ItemHeight() const { return itemHeight_; }
    // The design height scaled by dpiX / 120, never below what the font needs.
    static int ScaledItemHeight(double dpiX, int fontHeight);

    // Symbol id centred in rect on white, or on the highlight colour when selected.
    void DrawItem(QPainter& painter, const QRect& rect, int id, bool selected) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Redraw();
    void UpdateItemHeight();

    int size_ = 2;
    ColourRef colour_ = 0;
    ColourRef back_ = MakeRGB(255, 255, 255);
    int itemHeight_ = 0;
};
