// Window and instance handles as the portable code sees them. These are the very types that
// <windows.h> declares (STRICT handles), so Win32 code passes them on without casts.
#pragma once

struct HWND__;
struct HINSTANCE__;
using WindowHandle = HWND__*;
using InstanceHandle = HINSTANCE__*;
