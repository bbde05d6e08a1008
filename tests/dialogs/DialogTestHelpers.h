// Helpers for the tests of the modal dialogs: answering a dialog once it is up, and
// picking a palette colour with the keys.
#pragma once

#include "dialogs/ColourPicker.h"
#include "dialogs/ColourPopup.h"
#include "support/QtHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Answers the modal dialog of type D once exec() has shown it. When another dialog
// comes up instead, or none, the test fails and that dialog is cancelled, so that a
// failing test cannot hang.
template <class D> void WhenShown(std::function<void(D&)> answer, int triesLeft = 300) {
    QTimer::singleShot(10, [answer, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<D*>(modal)) return answer(*dialog);
        if (triesLeft > 0) return WhenShown<D>(answer, triesLeft - 1);
        ADD_FAILURE() << "the expected dialog did not come up";
        if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    });
}

// Picks the palette's second colour with the keys; the button starts at the first.
inline void PickNextColour(CColourPicker& picker) {
    picker.SetColour(kColourTable[0].colour);
    picker.click();
    CColourPopup* popup = picker.Popup();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Right);
    Key(popup, Qt::Key_Return);
}
