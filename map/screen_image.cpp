#include "map/screen_image.h"

#include <cmath>
#include <cstddef>

namespace {

int Stride(int width, int bytesPerPixel) {
    return (width * bytesPerPixel + 3) / 4 * 4;
}

struct Taps {
    int index[4];
    float fraction;
};

// The neighbours of the map's cubic resampling, clamped at both ends.
Taps TapsAt(float position, int n) {
    const float whole = std::trunc(position);
    int i = static_cast<int>(whole);
    Taps t{{0, 0, 0, 0}, position - whole};
    if (n == 1) {
        t.fraction = 0;
        return t;
    }
    if (i >= n - 1)
        i = n - 1;
    if (i <= 0)
        t = {{0, 0, 1 < n ? 1 : 0, 2 < n ? 2 : n - 1}, t.fraction};
    else if (i == n - 1)
        t = {{n - 2, n - 1, n - 1, n - 1}, t.fraction};
    else if (i == n - 2)
        t = {{n - 3, n - 2, n - 1, n - 1}, t.fraction};
    else
        t = {{i - 1, i, i + 1, i + 2}, t.fraction};
    return t;
}

float Cubic(float a0, float a1, float a2, float a3, float f) {
    return 0.5f * (2 * a1 + (a2 - a0) * f + (2 * a0 - 5 * a1 + 4 * a2 - a3) * f * f +
                   (a3 - 3 * a2 + 3 * a1 - a0) * f * f * f);
}

} // namespace

std::vector<unsigned char> ResampleImage(int sourceWidth, int sourceRows, int bytesPerPixel,
                                         const unsigned char *source, std::size_t sourceSize,
                                         int outputWidth, int outputRows) {
    if (sourceWidth < 1 || sourceRows < 1 || bytesPerPixel < 1 || outputWidth < 1 ||
        outputRows < 1 || source == nullptr)
        return {};
    const int inStride = Stride(sourceWidth, bytesPerPixel);
    const int outStride = Stride(outputWidth, bytesPerPixel);
    if (sourceSize < static_cast<size_t>(inStride) * sourceRows)
        return {};
    std::vector<unsigned char> output(static_cast<size_t>(outStride) * outputRows, 0);

    const float stepX = 1.0f / static_cast<float>(outputWidth);
    const float stepY = 1.0f / static_cast<float>(outputRows);
    std::vector<Taps> columns(outputWidth);
    for (int k = 0; k < outputWidth; ++k) {
        const float t = static_cast<float>(k) * stepX + stepX * 0.5f;
        columns[k] = TapsAt(static_cast<float>(sourceWidth - 1) * t, sourceWidth);
    }
    std::vector<float> plane(static_cast<size_t>(sourceWidth) * sourceRows);
    for (int channel = 0; channel < bytesPerPixel; ++channel) {
        for (int y = 0; y < sourceRows; ++y)
            for (int x = 0; x < sourceWidth; ++x)
                plane[static_cast<size_t>(y) * sourceWidth + x] =
                    source[static_cast<size_t>(y) * inStride + x * bytesPerPixel + channel];
        for (int r = 0; r < outputRows; ++r) {
            const float t = static_cast<float>(r) * stepY + stepY * 0.5f;
            const Taps rows = TapsAt(static_cast<float>(sourceRows - 1) * t, sourceRows);
            for (int k = 0; k < outputWidth; ++k) {
                const Taps &c = columns[k];
                float along[4];
                for (int n = 0; n < 4; ++n) {
                    const float *row = &plane[static_cast<size_t>(rows.index[n]) * sourceWidth];
                    along[n] = Cubic(row[c.index[0]], row[c.index[1]], row[c.index[2]],
                                     row[c.index[3]], c.fraction);
                }
                const float v = Cubic(along[0], along[1], along[2], along[3], rows.fraction);
                int byte = static_cast<int>(v + 0.5f);
                if (byte > 255)
                    byte = 255;
                if (byte < 0)
                    byte = 0;
                output[static_cast<size_t>(r) * outStride + k * bytesPerPixel + channel] =
                    static_cast<unsigned char>(byte);
            }
        }
    }
    return output;
}
