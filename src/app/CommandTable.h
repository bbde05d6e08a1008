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

const CCommandInfo* FindCommand(int id);
const QList<CCommandInfo>& AllCommands();

// Commands whose work is not in the program yet: present, and disabled.
bool IsCommandBuilt(int id);
