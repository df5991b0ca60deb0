#include "tests/support/window_port_fake.h"

#include "ui/command_states.h"

FakeWindow& TheFakeWindow() {
    static FakeWindow window;
    return window;
}

void ResetFakeWindow() {
    TheFakeWindow() = FakeWindow();
}

namespace {

const WindowHandle* ownerSource = nullptr;

}  // namespace

void SetFakeOwner(const WindowHandle* owner) {
    ownerSource = owner;
}

namespace window_port {

WindowHandle Owner() {
    return ownerSource ? *ownerSource : nullptr;
}

void AddRow(unsigned row) {
    FakeWindow& w = TheFakeWindow();
    // The list appends rows only after the last one.
    if (row == w.rows) {
        ++w.rows;
    } else {
        w.rows = ~0u;
    }
}

void WriteRow(unsigned row) {
    TheFakeWindow().writes.push_back(row);
}

bool IsRowSelected(unsigned row) {
    return TheFakeWindow().selected.count(row) != 0;
}

void SelectRow(unsigned row, bool selected) {
    if (selected) {
        TheFakeWindow().selected.insert(row);
    } else {
        TheFakeWindow().selected.erase(row);
    }
}

void ShowListState(bool anyNeedsRename, bool anyRenamed) {
    for (const auto& gray : ListStateGrays(anyNeedsRename, anyRenamed)) {
        TheFakeWindow().grayed[gray.first] = gray.second;
    }
}

void ShowProgress(Work work, unsigned done, unsigned total) {
    TheFakeWindow().progress.push_back({work, done, total});
}

}  // namespace window_port
