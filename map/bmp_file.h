#pragma once
#include <cstdint>
#include <cstdio>

// Writes a 24-bit bottom-up BMP file. Source rows are bytesPerPixel × width rounded up to a
// multiple of 4; channelOrder 1 writes source bytes 2, 1, 0 of each pixel, any other
// value bytes 0, 1, 2, so a pixel must hold at least 3 bytes. Returns 0 written, 1 the file
// cannot be created, 2 a write failed (the partial file stays), kBmpOutOfMemory when the
// row buffer could not be had (nothing written). Messages go to stdout.
constexpr int kBmpOutOfMemory = 3;
int WriteBmpFile(uint16_t width, uint16_t rows, uint16_t bytesPerPixel, uint16_t channelOrder,
                 const unsigned char *pixels, const char *path);
// The same file into an open stream (an output file's, which may be a device or a pipe);
// 0 written, 2 a write failed, kBmpOutOfMemory. The stream stays open.
int WriteBmpStream(uint16_t width, uint16_t rows, uint16_t bytesPerPixel, uint16_t channelOrder,
                   const unsigned char *pixels, std::FILE *file);
