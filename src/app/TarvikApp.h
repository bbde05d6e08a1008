#pragma once

// Starts the window: settings, the main window, the file named on the command line
// (or a new document), then the event loop. Returns the exit code.
int RunApplication(int argc, char** argv);
