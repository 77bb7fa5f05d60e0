#include "map/bmp_file.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint32_t kHeaderBytes = 14 + 40;

// Header fields are little-endian whatever the host, so they go out byte by byte.
class BmpOutput {
  public:
    explicit BmpOutput(std::FILE *file) : file_(file) {}

    void U16(uint16_t v) {
        const unsigned char b[2] = {static_cast<unsigned char>(v),
                                    static_cast<unsigned char>(v >> 8)};
        Bytes(b, sizeof b);
    }

    void U32(uint32_t v) {
        const unsigned char b[4] = {
            static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
            static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        Bytes(b, sizeof b);
    }

    void Bytes(const void *data, size_t size) {
        if (ok_ && size > 0 && std::fwrite(data, 1, size, file_) != size)
            ok_ = false;
    }

    bool ok() const { return ok_; }

  private:
    std::FILE *file_;
    bool ok_ = true;
};

bool RowBuffer(size_t size, std::vector<unsigned char> *row) {
    try {
        row->resize(size);
        return true;
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {
    }
    return false;
}

// Closes a file whose writing failed part-way; the partial file stays.
int Abandon(std::FILE *file) {
    std::fclose(file);
    return 2;
}

} // namespace

namespace {

// The header and rows into an open stream; false when a write failed.
bool WriteBmpInto(std::FILE *file, uint16_t width, uint16_t rows, uint16_t bytesPerPixel,
                  uint16_t channelOrder, const unsigned char *pixels,
                  std::vector<unsigned char> &row) {
    if (bytesPerPixel > 3) {
        std::fputs("\n! BMP file does not support alpha channel.\n", stdout);
        std::fputs("! Alpha channel is ignored.\n\n", stdout);
    }

    const size_t rowSize = row.size();
    const size_t sourceStride = (static_cast<size_t>(bytesPerPixel) * width + 3) / 4 * 4;
    const uint64_t pixelBytes = static_cast<uint64_t>(rows) * rowSize;
    const uint64_t fileSize = (kHeaderBytes + pixelBytes + 3) / 4 * 4;

    BmpOutput out(file);
    out.Bytes("BM", 2);
    out.U32(static_cast<uint32_t>(fileSize));
    out.U16(0);
    out.U16(0);
    out.U32(kHeaderBytes);
    out.U32(40);
    out.U32(width);
    out.U32(rows);
    out.U16(1);
    out.U16(24);
    for (int field = 0; field < 6; ++field) // compression, image size, resolutions, colours
        out.U32(0);

    const int first = channelOrder == 1 ? 2 : 0;
    const int step = channelOrder == 1 ? -1 : 1;
    for (size_t y = 0; y < rows && out.ok(); ++y) {
        const unsigned char *source = pixels + y * sourceStride;
        for (size_t x = 0; x < width; ++x) {
            const unsigned char *pixel = source + x * bytesPerPixel;
            for (int k = 0; k < 3; ++k)
                row[3 * x + k] = pixel[first + step * k];
        }
        out.Bytes(row.data(), row.size());
    }

    const unsigned char fill[3] = {0, 0, 0};
    out.Bytes(fill, static_cast<size_t>(fileSize - kHeaderBytes - pixelBytes));
    return out.ok() && std::fflush(file) == 0;
}

} // namespace

int WriteBmpStream(uint16_t width, uint16_t rows, uint16_t bytesPerPixel, uint16_t channelOrder,
                   const unsigned char *pixels, std::FILE *file) {
    std::vector<unsigned char> row;
    if (!RowBuffer((3 * static_cast<size_t>(width) + 3) / 4 * 4, &row))
        return kBmpOutOfMemory;
    return WriteBmpInto(file, width, rows, bytesPerPixel, channelOrder, pixels, row) ? 0 : 2;
}

int WriteBmpFile(uint16_t width, uint16_t rows, uint16_t bytesPerPixel, uint16_t channelOrder,
                 const unsigned char *pixels, const char *path) {
    // Before the file is created: a report without its map must not find a file that
    // looks like one.
    std::vector<unsigned char> row;
    if (!RowBuffer((3 * static_cast<size_t>(width) + 3) / 4 * 4, &row))
        return kBmpOutOfMemory;
    std::FILE *file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::printf("%s can not open.\n", path);
        return 1;
    }
    if (!WriteBmpInto(file, width, rows, bytesPerPixel, channelOrder, pixels, row))
        return Abandon(file);
    return std::fclose(file) == 0 ? 0 : 2;
}
