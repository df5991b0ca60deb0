// Paths into the list by every road: the command line, a second start's hand-over, a drop and the
// open dialog. While the list is held they wait, in the order they came, and are added after.
#pragma once

#include <string>

struct AppContext;
struct HDROP__;

// Each road ends in one batch and the Added step.
void OpenStartupArguments(AppContext* c);
// A second start's paths are kept at once, so that it need not wait for this one's messages;
// AddHandedOver, posted after, adds them when the list may change.
void KeepHandedOver(AppContext* c, const std::string& text);
void AddHandedOver(AppContext* c);
void RefuseHandOver(AppContext* c, unsigned long bytes);
void OpenDropped(AppContext* c, HDROP__* drop);
void OpenWithDialog(AppContext* c);
