#include "ui/progress.h"

#include <windows.h>

#include <cstdio>

#include "core/rename_list.h"
#include "core/texts.h"
#include "ui/app_context.h"
#include "ui/status_bar.h"

namespace {

// Short work says nothing, so that the status bar does not flicker; work over this many items is
// known to be long and says how far it is from the first item on (a pass's preparation may be
// over in well under the quiet time on one machine and take seconds on another).
constexpr unsigned long kQuietMs = 1000;
constexpr unsigned kLongWorkItems = 1000;
constexpr unsigned long kEveryMs = 100;
// A window whose painting leaves it invalid would be offered again at once.
constexpr int kMostPaints = 64;

bool painting = false;

}  // namespace

std::string ProgressText(Work work, unsigned done, unsigned total) {
    const char* what = "";
    switch (work) {
        case Work::Adding:
            what = texts::kWorkAdding;
            break;
        case Work::Checking:
            what = texts::kWorkChecking;
            break;
        case Work::Renaming:
            what = texts::kWorkRenaming;
            break;
        case Work::Restoring:
            what = texts::kWorkRestoring;
            break;
        case Work::Preparing:
            what = texts::kWorkPreparing;
            break;
        case Work::Recovering:
            what = texts::kWorkRecovering;
            break;
        case Work::Reviewing:
            what = texts::kWorkReviewing;
            break;
        case Work::Undoing:
            what = texts::kWorkUndoing;
            break;
    }
    return texts::Fill(texts::kWorkProgress, {what, std::to_string(done), std::to_string(total)});
}

bool ProgressShow::Painting() {
    return painting;
}

void ProgressShow::Begin() {
    running = true;
    shown = false;
    start = last = GetTickCount();
}

void ProgressShow::End() {
    running = false;
    if (!shown || !context->statusBar) {
        return;
    }
    shown = false;
    // Texts the work set itself (the next step) stay; the progress goes.
    StatusBar& bar = *context->statusBar;
    if (bar.PartText(1, 256) == shownText) {
        bar.SetStepText(savedText);
        if (bar.PartText(0, 16) == shownCount) {
            bar.ShowCount(savedCount);
        }
    }
}

void ProgressShow::Report(Work work, unsigned done, unsigned total) {
    if (!running || !context->statusBar || painting) {
        return;
    }
    const unsigned long now = GetTickCount();
    const bool quiet = now - start < kQuietMs && total < kLongWorkItems;
    if (quiet || (shown && now - last < kEveryMs)) {
        return;
    }
    last = now;
    StatusBar& bar = *context->statusBar;
    if (!shown) {
        shown = true;
        savedCount = bar.PartText(0, 16);
        savedText = bar.PartText(1, 256);
    }
    if (work == Work::Adding && context->list) {
        bar.SetCount(context->list->Count());
    }
    shownCount = bar.PartText(0, 16);
    shownText = ProgressText(work, done, total);
    bar.SetStepText(shownText);
    Paint();
}

void ProgressShow::Paint() {
    painting = true;
    if (context->statusBar) {
        UpdateWindow(context->statusBar->Window());
    }
    // Only painting: input stays queued until the work is done.
    MSG msg;
    for (int i = 0; i < kMostPaints && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++i) {
        DispatchMessageA(&msg);
    }
    painting = false;
}
