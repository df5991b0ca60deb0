#include "tests/support/window_port_fake.h"

FakeWindow& TheFakeWindow() {
    static FakeWindow window;
    return window;
}

void ResetFakeWindow() {
    TheFakeWindow() = FakeWindow();
}

namespace window_port {

void AddRow(AppContext*, unsigned row) {
    FakeWindow& w = TheFakeWindow();
    // The list appends rows only after the last one.
    if (row == w.rows) {
        ++w.rows;
    } else {
        w.rows = ~0u;
    }
}

void WriteRow(AppContext*, unsigned row) {
    TheFakeWindow().writes.push_back(row);
}

bool IsRowSelected(AppContext*, unsigned row) {
    return TheFakeWindow().selected.count(row) != 0;
}

void SelectRow(AppContext*, unsigned row, bool selected) {
    if (selected) {
        TheFakeWindow().selected.insert(row);
    } else {
        TheFakeWindow().selected.erase(row);
    }
}

void SetCommandGrayed(AppContext*, int commandId, bool grayed) {
    TheFakeWindow().grayed[commandId] = grayed;
}

void ShowProgress(AppContext*, Work work, unsigned done, unsigned total) {
    TheFakeWindow().progress.push_back({work, done, total});
}

}  // namespace window_port
