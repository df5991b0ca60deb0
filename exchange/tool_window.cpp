#include "exchange/tool_window.h"

#include <cstddef>

int ChooseToolWindow(const std::vector<TopLevelWindowFacts>& windows) {
    int first = -1;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const TopLevelWindowFacts& w = windows[i];
        if (!w.ofProcess) {
            continue;
        }
        if (w.visible && !w.owned) {
            return static_cast<int>(i);
        }
        if (first < 0) {
            first = static_cast<int>(i);
        }
    }
    return first;
}
