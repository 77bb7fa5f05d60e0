#include "map/screen_image.h"

#include "map/cubic_taps.h"

#include <cmath>
#include <cstddef>

namespace {

int Stride(int width, int bytesPerPixel) {
    return (width * bytesPerPixel + 3) / 4 * 4;
}

using Taps = CubicTaps<float>;

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
        columns[k] = CubicTapsAt(static_cast<float>(sourceWidth - 1) * t, sourceWidth);
    }
    std::vector<float> plane(static_cast<size_t>(sourceWidth) * sourceRows);
    // The cubic is separable: every source row is interpolated along x once, and each output
    // row then combines four of those rows, instead of redoing the four for every output row.
    std::vector<float> across(static_cast<size_t>(sourceRows) * outputWidth);
    for (int channel = 0; channel < bytesPerPixel; ++channel) {
        for (int y = 0; y < sourceRows; ++y)
            for (int x = 0; x < sourceWidth; ++x)
                plane[static_cast<size_t>(y) * sourceWidth + x] =
                    source[static_cast<size_t>(y) * inStride + x * bytesPerPixel + channel];
        for (int y = 0; y < sourceRows; ++y) {
            const float *row = &plane[static_cast<size_t>(y) * sourceWidth];
            float *out = &across[static_cast<size_t>(y) * outputWidth];
            for (int k = 0; k < outputWidth; ++k) {
                const Taps &c = columns[k];
                out[k] = Cubic(row[c.index[0]], row[c.index[1]], row[c.index[2]], row[c.index[3]],
                               c.fraction);
            }
        }
        for (int r = 0; r < outputRows; ++r) {
            const float t = static_cast<float>(r) * stepY + stepY * 0.5f;
            const Taps rows = CubicTapsAt(static_cast<float>(sourceRows - 1) * t, sourceRows);
            const float *a[4];
            for (int n = 0; n < 4; ++n)
                a[n] = &across[static_cast<size_t>(rows.index[n]) * outputWidth];
            unsigned char *out = &output[static_cast<size_t>(r) * outStride + channel];
            for (int k = 0; k < outputWidth; ++k) {
                const float v = Cubic(a[0][k], a[1][k], a[2][k], a[3][k], rows.fraction);
                int byte = static_cast<int>(v + 0.5f);
                if (byte > 255)
                    byte = 255;
                if (byte < 0)
                    byte = 0;
                out[k * bytesPerPixel] = static_cast<unsigned char>(byte);
            }
        }
    }
    return output;
}
