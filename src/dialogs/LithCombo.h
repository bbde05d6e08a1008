// The lithology chooser: one entry per lithology of the library, in library order,
// each drawn as a swatch of its pattern beside its name, as the plot fills layers.
#pragma once

#include <QComboBox>

class CLithArray;
class QPainter;

class CLithCombo : public QComboBox {
    Q_OBJECT

  public:
    // The library must outlive the chooser; entry i is the library's lithology i.
    explicit CLithCombo(const CLithArray& library, QWidget* parent = nullptr);

    const CLithArray& Library() const { return library_; }

    // The height of a list item and of the selection field's content.
    int ItemHeight() const { return itemHeight_; }
    // The height a line of text needs, a bit taller on screens of more than 120
    // pixels per inch (scaled by dpiX / 120), never below what the text needs.
    static int ScaledItemHeight(double dpiX, int fontHeight);

    // Entry `index` in rect: white with the window text colour, or the highlight
    // colours when selected; the swatch from (left + 1, top + 2) to (left + 1 + h,
    // bottom - 4) with h = height - 2, the name at x = left + h + 4.
    void DrawItem(QPainter& painter, const QRect& rect, int index, bool selected) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void UpdateItemHeight();
    int ItemWidth() const;

    const CLithArray& library_;
    int itemHeight_ = 0;
};
