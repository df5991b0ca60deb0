// Long work shown while it runs: after about a second the status bar tells how far it got, and
// the window keeps painting. Nothing but painting happens meanwhile, so the work cannot be
// started again from inside itself.
#pragma once

#include <string>

#include "core/window_port.h"

struct AppContext;

class ProgressShow {
  public:
    explicit ProgressShow(AppContext* context) : context(context) {}

    // The outermost batch of row writes begins and ends the time that counts.
    void Begin();
    void End();
    void Report(Work work, unsigned done, unsigned total);
    // True while painting from inside long work: commands that arrive then are not run.
    static bool Painting();

  private:
    void Paint();

    AppContext* context;
    bool running = false;
    bool shown = false;
    unsigned long start = 0;
    unsigned long last = 0;
    std::string savedCount;
    std::string savedText;
    std::string shownCount;
    std::string shownText;
};

// The status text for long work: what is done and how far, e.g. "リネーム中… 500 / 1000".
std::string ProgressText(Work work, unsigned done, unsigned total);
