// The palette a colour button drops down: 40 named colours in 8 columns, an
// optional "Automatic" box above them and an optional "More Colours..." box below
// that opens the full colour dialog.
#pragma once

#include "gfx/Colour.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

struct SColourTableEntry {
    ColourRef colour;
    const char* name; // also the cell's tool tip
};

inline constexpr int kPaletteColours = 40;
inline constexpr int kPaletteColumns = 8;

inline constexpr SColourTableEntry kColourTable[kPaletteColours] = {
    {MakeRGB(0, 0, 0), "Black"},
    {MakeRGB(165, 42, 0), "Brown"},
    {MakeRGB(0, 64, 64), "Dark Olive Green"},
    {MakeRGB(0, 85, 0), "Dark Green"},
    {MakeRGB(0, 0, 94), "Dark Teal"},
    {MakeRGB(0, 0, 139), "Dark blue"},
    {MakeRGB(75, 0, 130), "Indigo"},
    {MakeRGB(40, 40, 40), "Dark grey"},
    {MakeRGB(139, 0, 0), "Dark red"},
    {MakeRGB(255, 104, 32), "Orange"},
    {MakeRGB(139, 139, 0), "Dark yellow"},
    {MakeRGB(0, 147, 0), "Green"},
    {MakeRGB(56, 142, 142), "Teal"},
    {MakeRGB(0, 0, 255), "Blue"},
    {MakeRGB(123, 123, 192), "Blue-grey"},
    {MakeRGB(102, 102, 102), "Grey - 40"},
    {MakeRGB(255, 0, 0), "Red"},
    {MakeRGB(255, 173, 91), "Light orange"},
    {MakeRGB(50, 205, 50), "Lime"},
    {MakeRGB(60, 179, 113), "Sea green"},
    {MakeRGB(127, 255, 212), "Aqua"},
    {MakeRGB(125, 158, 192), "Light blue"},
    {MakeRGB(128, 0, 128), "Violet"},
    {MakeRGB(127, 127, 127), "Grey - 50"},
    {MakeRGB(255, 192, 203), "Pink"},
    {MakeRGB(255, 215, 0), "Gold"},
    {MakeRGB(255, 255, 0), "Yellow"},
    {MakeRGB(0, 255, 0), "Bright green"},
    {MakeRGB(64, 224, 208), "Turquoise"},
    {MakeRGB(192, 255, 255), "Skyblue"},
    {MakeRGB(72, 0, 72), "Plum"},
    {MakeRGB(192, 192, 192), "Light grey"},
    {MakeRGB(255, 228, 225), "Rose"},
    {MakeRGB(210, 180, 140), "Tan"},
    {MakeRGB(255, 255, 224), "Light yellow"},
    {MakeRGB(152, 251, 152), "Pale green "}, // the trailing blank is part of the name
    {MakeRGB(175, 238, 238), "Pale turquoise"},
    {MakeRGB(104, 131, 139), "Pale blue"},
    {MakeRGB(230, 230, 250), "Lavender"},
    {MakeRGB(255, 255, 255), "White"},
};

// Cell indices: 0.. are the colours in row-major order; the rest are these.
inline constexpr int kNoCell = -1;
inline constexpr int kCustomBox = -2;  // "More Colours..."
inline constexpr int kDefaultBox = -3; // "Automatic"

// The keyboard walk over the cells. Plain arithmetic, no Qt, so that every wrap
// rule can be checked on its own. From no cell, Down and Right start at the first
// colour and Up and Left at the last.
struct CColourGrid {
    int count = kPaletteColours;
    int columns = kPaletteColumns;
    bool hasDefault = true;
    bool hasCustom = true;

    int Rows() const { return (count + columns - 1) / columns; }
    int Up(int cell) const;
    int Down(int cell) const;
    int Left(int cell) const;
    int Right(int cell) const;

  private:
    int Last() const { return count - 1; }
    int AfterLast() const;   // where a walk past the last colour lands
    int BeforeFirst() const; // where a walk back from the first colour lands
};

// The side of a colour cell for a screen of the given vertical logical dpi: 18
// pixels at 120 dpi, never so small that the colour inside the margins vanishes.
int ColourBoxSize(int dpiY, int margin);

class CColourPicker;

class CColourPopup : public QWidget {
    Q_OBJECT

  public:
    // pos: the button's lower-left corner on the screen. An empty text removes its box.
    CColourPopup(QPoint pos, ColourRef initial, CColourPicker* owner, const QString& defaultText,
                 const QString& customText);
    ~CColourPopup() override;

    int CurrentCell() const { return current; }
    int ChosenCell() const { return chosen; }
    const CColourGrid& Grid() const { return grid; }
    // In window coordinates; empty for a box the popup does not have.
    QRect CellRect(int cell) const;
    // The colour a cell stands for: the custom box stands for the initial colour.
    ColourRef CellColour(int cell) const;

  signals:
    void SelectionChanged(ColourRef colour);
    void SelectionEndedOk(ColourRef colour);
    void SelectionCancelled(ColourRef colour);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Layout(QPoint pos, int ownerHeight);
    int HitTest(QPoint pos) const;
    int InitialCell() const;
    void ChangeSelection(int cell);
    void EndSelection(bool ok);
    void DrawCell(QPainter& p, int cell) const;

    CColourGrid grid;
    ColourRef initial;
    ColourRef chosenColour;
    int current = kNoCell;
    int chosen = kNoCell;
    QString defaultText, customText;
    QFont textFont;
    int box = 0, margin = 0;
    int cellsTop = 0; // below the "Automatic" box when there is one
    QRect defaultRect, customRect;
    bool ended = false;
};
