// Every message box and question of the window goes through here, so tests can
// answer them without a modal loop.
#pragma once

#include <QMessageBox>

#include <functional>

// Shows a modal message box titled "Tarvik"; gives the button pressed.
QMessageBox::StandardButton AskUser(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Replaces the message boxes (tests); an empty handler restores them.
using MessageBoxHandler =
    std::function<QMessageBox::StandardButton(QMessageBox::Icon, const QString&, QMessageBox::StandardButtons)>;
void SetMessageBoxHandler(MessageBoxHandler handler);
