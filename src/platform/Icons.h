#pragma once

#include <QIcon>

// The tool-bar picture of a command, drawn in code; a null icon for commands that
// have none.
QIcon CommandIcon(int id);
