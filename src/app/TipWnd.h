// The small window beside the pointer that reads out the depth range being dragged.
// It never takes the focus, so the drag underneath keeps the keyboard and the mouse.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

class CTipWnd : public QWidget {
    Q_OBJECT

public:
    explicit CTipWnd(QWidget* parent = nullptr);

    // First call after a Hide: the window appears beside the pointer once
    // the delay has passed. Later calls only replace the text, in place.
    void ShowWithDelay(const QString& text, const QPoint& pointer);
    // Hides the window (and a show still waiting); it is kept for the next drag.
    void Hide();
    const QString& Text() const { return text; }
    // True from the first ShowWithDelay until Hide, whether shown yet or not.
    bool Active() const { return active; }

    static constexpr int kDelayMs = 400;
    // Below and to the right of the pointer, clear of its shape.
    static constexpr int kOffset = 16;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitToText();
    void Appear();

    QString text;
    QPoint anchor;
    QTimer delay;
    bool active = false;
};
