// The program's picture strips, drawn for 100 %, 150 % and 200 % (res/art/draw.py): the one
// nearest to a window's scale, as an image list.
#pragma once

#include <windows.h>

#include <commctrl.h>

enum class Artwork { Toolbar, RowIcons };

// The strip for `dpi` cut into its images; the caller destroys it. nullptr when it cannot be
// loaded.
HIMAGELIST LoadArtwork(HINSTANCE instance, Artwork artwork, int dpi);
