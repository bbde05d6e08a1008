// The colour button of every colour setting: shows its colour and, when clicked,
// drops down a palette of 40 named colours with "Automatic" above and
// "More Colours..." below.
#pragma once

#include "gfx/Colour.h"

#include <QPushButton>
#include <QString>

// The colour "Automatic" stands for.
inline constexpr ColourRef kAutomaticColour = 0x010101;

class CColourPopup;

class CColourPicker : public QPushButton {
    Q_OBJECT

  public:
    explicit CColourPicker(QWidget* parent = nullptr);
    ~CColourPicker() override;

    ColourRef GetColour() const;
    void SetColour(ColourRef colour);         // repaints at once
    void SetDefaultText(const QString& text); // empty removes the "Automatic" box
    void SetCustomText(const QString& text);  // empty removes the "More Colours..." box
    // Preview each colour on the button while the pointer moves over the palette.
    void SetTrackSelection(bool on);
    // The palette while it is open (tests drive it), else null.
    CColourPopup* Popup() const;

  signals:
    // The five notifications, each with the colour and the button's id (objectName).
    void SelectionChanged(ColourRef colour);
    void DropDown(ColourRef colour);
    void CloseUp(ColourRef colour);
    void SelectionEndedOk(ColourRef colour);
    void SelectionCancelled(ColourRef colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;

  private slots:
    void OnClicked();
    void OnPopupChanged(ColourRef colour);
    void OnPopupEndedOk(ColourRef colour);
    void OnPopupCancelled(ColourRef colour);

  private:
    void changeEvent(QEvent* event) override; // a new style changes the minimum size
    QRect ArrowRect() const;

    struct Impl;
    Impl* d;
};
