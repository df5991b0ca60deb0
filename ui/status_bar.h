// The status bar: the entry count on the left, as wide as its text needs, and the step text
// from there to the right edge.
#pragma once

#include <string>

#include "platform/handles.h"

struct AppContext;

class StatusBar {
  public:
    explicit StatusBar(AppContext* context);
    virtual ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    void Create(bool withGrip);
    void SetStepText(const std::string& text);
    void SetCount(unsigned count);
    int Recreate(bool withGrip);
    void AutoSize();
    int Height() const;
    WindowHandle Window() const { return statusWindow; }
    std::string PartText(int part, size_t size) const;
    void ShowCount(const std::string& text);

  private:
    int CountPartEdge(const std::string& text) const;
    void SetParts(int countEdge);

    AppContext* context;
    WindowHandle statusWindow = nullptr;
};
