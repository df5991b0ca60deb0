#include "ui/list_hold.h"

#include <utility>

std::string ListHold::TakeKept() {
    if (Held() || namesOut) {
        return {};
    }
    std::string taken;
    taken.swap(kept);
    return taken;
}
