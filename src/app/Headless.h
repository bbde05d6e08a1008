#pragma once

// The command-line jobs that need no display. Each returns the process exit code.
int RunSaveAs(const char* out, const char* in);
