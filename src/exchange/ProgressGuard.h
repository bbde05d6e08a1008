// Ends the progress display an import started, whatever way the import ends: the
// modeless progress window, and the status-bar indicator.
#pragma once

#include "gfx/PlatformServices.h"

#include <string>

class CProgressGuard {
  public:
    explicit CProgressGuard(IPlatformServices& services) : platform(services) {}
    CProgressGuard(const CProgressGuard&) = delete;
    CProgressGuard& operator=(const CProgressGuard&) = delete;
    ~CProgressGuard() {
        if (barShown) platform.EndProgress();
        if (windowShown) platform.CloseProgressWindow();
    }

    // The progress window, or a new text in it.
    void Show(const std::string& text) {
        platform.ShowProgressWindow(text);
        windowShown = true;
    }

    // The status-bar indicator from lower to upper; Step moves it by one step until
    // it is full, and then leaves the platform alone.
    void Begin(const std::string& text, int lower, int upper, int step) {
        platform.BeginProgress(text, lower, upper, step);
        barShown = true;
        steps = 0;
        stepsToFull =
            step > 0 && upper > lower ? (static_cast<long long>(upper) - lower) / step : 0;
    }
    void Step() {
        if (steps >= stepsToFull) return;
        ++steps;
        platform.StepProgress();
    }
    void End() {
        if (barShown) platform.EndProgress();
        barShown = false;
    }

  private:
    IPlatformServices& platform;
    bool windowShown = false;
    bool barShown = false;
    long long steps = 0;
    long long stepsToFull = 0;
};
