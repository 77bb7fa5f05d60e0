#pragma once
#include <cstddef>
#include <vector>

// The bitmap files the report pages name by resource id, built into the program (made from
// the resource script's files by embed_bitmaps.cmake).
struct EmbeddedBitmap {
    int resourceId;
    const unsigned char *bytes; // the whole BMP file
    size_t size;
};
const std::vector<EmbeddedBitmap> &ReportBitmaps();

// A bitmap's pixels, top row first, 0x00RRGGBB each (cairo's RGB24).
struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;
};
// Decodes an uncompressed BMP of 8 bits a pixel with its colour table, or of 24 bits; false
// for anything else.
bool DecodeBmp(const unsigned char *bytes, size_t size, DecodedBitmap *bitmap);
