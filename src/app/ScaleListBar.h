// The depth scale bar: "Length:" with the plot-length box, "1 inch =" with the scale
// box and the unit label. It holds no numbers: it shows what it is given and hands
// what the user picks or types (Enter) to whoever listens.
#pragma once

#include <QString>
#include <QWidget>

class CSmartComboBox;
class QLabel;

class CScaleListBar : public QWidget {
    Q_OBJECT

public:
    explicit CScaleListBar(QWidget* parent = nullptr);

    // Shows the current values ("%.1f" texts) in the boxes, but never while a box
    // has the keyboard focus or its list is open, so typing is not disturbed.
    void ShowValues(const QString& scale, const QString& length, const QString& unit);

    CSmartComboBox* ScaleBox() const { return scaleBox; }
    CSmartComboBox* LengthBox() const { return lengthBox; }

signals:
    // The text of the scale box (command 1001) or the plot-length box (1002) to apply.
    void ScaleCommand(const QString& text);
    void LengthCommand(const QString& text);

private:
    CSmartComboBox* lengthBox = nullptr;
    CSmartComboBox* scaleBox = nullptr;
    QLabel* unitLabel = nullptr;
};
