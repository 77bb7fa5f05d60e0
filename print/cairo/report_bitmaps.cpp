#include "print/cairo/report_bitmaps.h"

#include <cstdint>
#include <cstdlib>

namespace {

uint32_t Little(const unsigned char *p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

} // namespace

bool DecodeBmp(const unsigned char *bytes, size_t size, DecodedBitmap *bitmap) {
    constexpr size_t kFileHeader = 14;
    if (size < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const uint32_t pixelsAt = Little(bytes + 10, 4);
    const unsigned char *info = bytes + kFileHeader;
    const uint32_t infoSize = Little(info, 4);
    const int width = static_cast<int32_t>(Little(info + 4, 4));
    const int rawHeight = static_cast<int32_t>(Little(info + 8, 4));
    const int bits = static_cast<int>(Little(info + 14, 2));
    const uint32_t compression = Little(info + 16, 4);
    uint32_t colours = Little(info + 32, 4);
    const int height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || compression != 0 || (bits != 8 && bits != 24))
        return false;
    if (bits == 8 && colours == 0)
        colours = 256;
    const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) / 4 * 4;
    const unsigned char *palette = info + infoSize;
    if (pixelsAt + stride * height > size || palette + 4 * (bits == 8 ? colours : 0) > bytes + size)
        return false;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        // Bottom-up unless the height is negative.
        const unsigned char *source =
            bytes + pixelsAt + stride * (rawHeight > 0 ? height - 1 - row : row);
        for (int x = 0; x < width; ++x) {
            const unsigned char *bgr = bits == 24 ? source + 3 * x : nullptr;
            if (bits == 8) {
                const unsigned index = source[x];
                if (index >= colours)
                    return false;
                bgr = palette + 4 * index;
            }
            bitmap->pixels[static_cast<size_t>(row) * width + x] =
                static_cast<unsigned>(bgr[2]) << 16 | bgr[1] << 8 | bgr[0];
        }
    }
    return true;
}
