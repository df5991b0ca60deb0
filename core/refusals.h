// The paths one road of adding (a drop, a command line, a hand-over, the open dialog) refused.
// While a road is open its refusals are gathered, and it ends with at most one message: a single
// refusal as it always read, several as a list of the first few with their reasons and how many
// more.
#pragma once

#include <string>
#include <vector>

#include "platform/handles.h"

class Refusals {
  public:
    // Roads nest (a command's follow-up adds what came meanwhile); the outermost one shows.
    void Open() { ++depth; }
    void Close(WindowHandle owner);
    // `text` is the whole message for this path alone, `reason` one line for a list.
    void Refuse(WindowHandle owner, const std::string& path, const std::string& reason,
                const std::string& text);

  private:
    struct Refusal {
        std::string path;
        std::string reason;
        std::string text;
    };
    void Show(WindowHandle owner);

    int depth = 0;
    std::vector<Refusal> gathered;
};
