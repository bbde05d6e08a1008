// Pictures drawn in code: the commands' tool-bar icons and the tools' pointers.
#pragma once

#include <QCursor>
#include <QIcon>

// The tool-bar picture of a command, drawn in code; a null icon for commands that
// have none.
QIcon CommandIcon(int id);

// The pointer shape of a tool command while the pointer is over the plot: the plain
// arrow for the Arrow tool and for commands that are not tools.
QCursor CommandCursor(int id);
