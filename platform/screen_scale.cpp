#include "platform/screen_scale.h"

namespace {

// The quotient of a / b rounded to the nearest, halves away from zero; b > 0.
long long DivideRounded(long long a, long long b) {
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

}  // namespace

int ToDevicePixels(int stored, int dpi) {
    return RescalePixels(stored, kStoredDpi, dpi);
}

int ToStoredPixels(int device, int dpi) {
    return RescalePixels(device, dpi, kStoredDpi);
}

int RescalePixels(int pixels, int fromDpi, int toDpi) {
    if (fromDpi <= 0) {
        return pixels;
    }
    return static_cast<int>(DivideRounded(static_cast<long long>(pixels) * toDpi, fromDpi));
}

int NearestArtScale(int dpi, const int* percents, int count) {
    // In per cent of 96 dpi, times 96, so that no rounding decides between two scales.
    const long long wanted = static_cast<long long>(dpi) * 100;
    int best = count > 0 ? percents[0] : 100;
    long long bestDistance = -1;
    for (int i = 0; i < count; ++i) {
        long long distance = static_cast<long long>(percents[i]) * kStoredDpi - wanted;
        distance = distance < 0 ? -distance : distance;
        if (bestDistance < 0 || distance <= bestDistance) {
            best = percents[i];
            bestDistance = distance;
        }
    }
    return best;
}
