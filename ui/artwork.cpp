#include "ui/artwork.h"

#include "platform/screen_scale.h"
#include "res/resource_ids.h"

namespace {

constexpr int kScales[] = {100, 150, 200};
constexpr int kScaleCount = 3;

struct Strip {
    Artwork artwork;
    int percent;
    const char* resource;
    int imageWidth;
    int imageHeight;
};

// The image sizes are those of 100 % times the scale, as draw.py rounds them.
const Strip kStrips[] = {
    {Artwork::Toolbar, 100, MAKEINTRESOURCEA(IDB_TOOLBAR), 16, 15},
    {Artwork::Toolbar, 150, MAKEINTRESOURCEA(IDB_TOOLBAR_150), 24, 22},
    {Artwork::Toolbar, 200, MAKEINTRESOURCEA(IDB_TOOLBAR_200), 32, 30},
    {Artwork::RowIcons, 100, "IDMB_LVICON", 16, 16},
    {Artwork::RowIcons, 150, "IDMB_LVICON_150", 24, 24},
    {Artwork::RowIcons, 200, "IDMB_LVICON_200", 32, 32},
};

}  // namespace

HIMAGELIST LoadArtwork(HINSTANCE instance, Artwork artwork, int dpi) {
    const int percent = NearestArtScale(dpi, kScales, kScaleCount);
    for (const Strip& strip : kStrips) {
        if (strip.artwork != artwork || strip.percent != percent) {
            continue;
        }
        // The toolbar strip's greys, black and white become the system's button colours, as a
        // toolbar maps its own bitmaps, and its face colour is then the transparent one; the row
        // icons are transparent where magenta.
        const bool toolbar = artwork == Artwork::Toolbar;
        HBITMAP bitmap =
            toolbar ? CreateMappedBitmap(instance, reinterpret_cast<INT_PTR>(strip.resource), 0,
                                         nullptr, 0)
                    : LoadBitmapA(instance, strip.resource);
        if (!bitmap) {
            return nullptr;
        }
        HIMAGELIST list =
            ImageList_Create(strip.imageWidth, strip.imageHeight, ILC_COLOR24 | ILC_MASK, 16, 0);
        if (list) {
            ImageList_AddMasked(list, bitmap,
                                toolbar ? GetSysColor(COLOR_BTNFACE) : RGB(255, 0, 255));
        }
        DeleteObject(bitmap);
        return list;
    }
    return nullptr;
}
