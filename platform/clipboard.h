// The clipboard as the name text uses it: text in the held form (platform/text.h) as Unicode text,
// and as cp932 text too when cp932 holds it, opened for the main window.
#pragma once

#include <string>

#include "platform/handles.h"

namespace platform {

// Replaces the clipboard's contents with the text. False when it could not be placed (the
// clipboard is held open by another program, no memory); the clipboard then stays as it was.
bool PutClipboardText(WindowHandle owner, const std::string& text);

// The clipboard's text up to its terminating NUL, in the canonical held form. False when the
// clipboard holds no text, holds bytes that are not cp932 text where cp932 is claimed, or cannot
// be opened.
bool GetClipboardText(WindowHandle owner, std::string* text);

#ifndef _WIN32
// The native build's clipboard lives in the process. This puts something on it that is not text,
// as a picture copied in another program would be.
void PutClipboardNonText();
#endif

}  // namespace platform
