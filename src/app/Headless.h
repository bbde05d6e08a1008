#pragma once

// The command-line jobs that need no display. Each returns the process exit code
// and, when it fails, has printed one line on stderr.
int RunSaveAs(const char* out, const char* in);
// Needs a QGuiApplication (the offscreen platform will do).
int RunExport(const char* out, int dpi, const char* in);
