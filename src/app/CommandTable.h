// Every command of the menus and tool bars: caption, shortcuts and the prompt the
// status bar shows while the pointer is on it.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

struct CCommandInfo {
    int id;
    const char* caption;
    const char* prompt;
    QList<QKeySequence> shortcuts;
    bool checkable;
};

const QList<CCommandInfo>& AllCommands();
