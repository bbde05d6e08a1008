// "Properties" of a strat track: its title, width, the font and colour of the
// formation names, with a sample of the two.
#pragma once

#include "gfx/Colour.h"
#include "gfx/Font.h"

#include <QDialog>
#include <QFont>
#include <QFrame>

class CColourPicker;
class CStratTrack;
class QLineEdit;
class QPushButton;

// A line of sample text in a font description and colour, drawn through the plot's
// own surface so it looks as the names on the plot will.
class CFontExampleWin : public QFrame {
    Q_OBJECT

  public:
    static constexpr const char* kSample = "AaBbYyZz";

    explicit CFontExampleWin(QWidget* parent = nullptr);

    // Each repaints at once.
    void SetFontDesc(const CFontDesc& font);
    void SetColour(ColourRef colour);
    const CFontDesc& FontDesc() const { return font_; }
    ColourRef Colour() const { return colour_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Redraw();

    CFontDesc font_;
    ColourRef colour_ = 0;
};

// The font the font dialog opens on: the face as it is drawn, the size in points of
// a 96 dpi screen for the em height the description is drawn with.
QFont FontDialogFont(const CFontDesc& font);
// The description of a font picked in the dialog: its face (the one described before
// when the pick is the face that stood for it), its em height in pixels as a negative
// height, its weight and slant.
CFontDesc FontFromDialog(const QFont& picked, const CFontDesc& before);

class CLogTrackInfoDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTitleLimit = 64;

    explicit CLogTrackInfoDlg(CStratTrack& track, QWidget* parent = nullptr);

    CFontExampleWin* Sample() const { return sample_; }

  public slots:
    // Stores font, width, name colour and title into the track and closes; a width
    // outside the property pages' limits is refused and nothing is stored.
    void accept() override;

  private:
    void OnFont();

    CStratTrack& track_;
    QLineEdit* title_;
    QLineEdit* width_;
    CColourPicker* colour_;
    CFontExampleWin* sample_;
    QPushButton* font_;
};
