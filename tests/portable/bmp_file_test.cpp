#include "map/bmp_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string TempPath(const std::string &name) {
    return ::testing::TempDir() + "kamorte_" + name;
}

std::vector<unsigned char> ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

uint32_t U32At(const std::vector<unsigned char> &b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t U16At(const std::vector<unsigned char> &b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// Writes and reads back, capturing what the writer prints.
struct Written {
    int status;
    std::string printed;
    std::vector<unsigned char> bytes;
};

Written Write(uint16_t width, uint16_t rows, uint16_t bytesPerPixel, uint16_t order,
              const std::vector<unsigned char> &pixels, const std::string &name) {
    const std::string path = TempPath(name);
    ::testing::internal::CaptureStdout();
    const int status = WriteBmpFile(width, rows, bytesPerPixel, order, pixels.data(), path.c_str());
    Written w{status, ::testing::internal::GetCapturedStdout(), ReadFile(path)};
    std::remove(path.c_str());
    return w;
}

TEST(BmpFile, MapImageFileHasTheFixedLayout) {
    std::vector<unsigned char> pixels(212 * 1200);
    for (size_t k = 0; k < pixels.size(); ++k)
        pixels[k] = static_cast<unsigned char>(k * 7 + k / 1200);
    const Written w = Write(400, 212, 3, 0, pixels, "map.bmp");
    ASSERT_EQ(w.status, 0);
    EXPECT_EQ(w.printed, "");
    ASSERT_EQ(w.bytes.size(), 254456u);
    EXPECT_EQ(w.bytes[0], 'B');
    EXPECT_EQ(w.bytes[1], 'M');
    EXPECT_EQ(U32At(w.bytes, 2), 254456u);
    EXPECT_EQ(U16At(w.bytes, 6), 0);
    EXPECT_EQ(U16At(w.bytes, 8), 0);
    EXPECT_EQ(U32At(w.bytes, 10), 54u);
    EXPECT_EQ(U32At(w.bytes, 14), 40u);
    EXPECT_EQ(U32At(w.bytes, 18), 400u);
    EXPECT_EQ(U32At(w.bytes, 22), 212u);
    EXPECT_EQ(U16At(w.bytes, 26), 1);
    EXPECT_EQ(U16At(w.bytes, 28), 24);
    for (size_t at = 30; at < 54; at += 4)
        EXPECT_EQ(U32At(w.bytes, at), 0u) << "offset " << at;
    // Rows go out in source order, bottom row first, bytes as given.
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), w.bytes.begin() + 54));
    EXPECT_EQ(w.bytes[254454], 0);
    EXPECT_EQ(w.bytes[254455], 0);
}

// Three pixels a row: 9 bytes padded to 12 in the file and in the source.
const std::vector<unsigned char> kSmallSource = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE, // first row, padding not zero
    11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE,
};

TEST(BmpFile, ChannelOrderOneSwapsEachPixel) {
    const Written w = Write(3, 2, 3, 1, kSmallSource, "swapped.bmp");
    ASSERT_EQ(w.status, 0);
    // 54 + 24 = 78, rounded up to 80.
    ASSERT_EQ(w.bytes.size(), 80u);
    EXPECT_EQ(U32At(w.bytes, 2), 80u);
    const std::vector<unsigned char> data(w.bytes.begin() + 54, w.bytes.end());
    const std::vector<unsigned char> expected = {3,  2,  1,  6,  5,  4,  9,  8,  7, 0, 0, 0, 13,
                                                 12, 11, 16, 15, 14, 19, 18, 17, 0, 0, 0, 0, 0};
    EXPECT_EQ(data, expected);
}

TEST(BmpFile, OtherChannelOrdersKeepTheBytes) {
    for (uint16_t order : {0, 2, 0xFFFF}) {
        const Written w = Write(3, 2, 3, order, kSmallSource, "kept.bmp");
        ASSERT_EQ(w.status, 0) << order;
        const std::vector<unsigned char> data(w.bytes.begin() + 54, w.bytes.begin() + 78);
        const std::vector<unsigned char> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,
                                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
        EXPECT_EQ(data, expected) << order;
    }
}

TEST(BmpFile, AlphaIsDroppedWithAWarning) {
    // Four bytes a pixel, one pixel a row: the source row is 4 bytes, the file row too.
    const std::vector<unsigned char> source = {10, 20, 30, 40, 50, 60, 70, 80};
    const Written w = Write(1, 2, 4, 1, source, "alpha.bmp");
    ASSERT_EQ(w.status, 0);
    EXPECT_EQ(w.printed,
              "\n! BMP file does not support alpha channel.\n! Alpha channel is ignored.\n\n");
    ASSERT_EQ(w.bytes.size(), 64u); // 54 + 8 = 62, rounded up
    const std::vector<unsigned char> data(w.bytes.begin() + 54, w.bytes.end());
    const std::vector<unsigned char> expected = {30, 20, 10, 0, 70, 60, 50, 0, 0, 0};
    EXPECT_EQ(data, expected);
}

TEST(BmpFile, UnwritablePathReturnsOne) {
    const std::string path = TempPath("no_such_folder/map.bmp");
    ::testing::internal::CaptureStdout();
    const int status = WriteBmpFile(3, 2, 3, 0, kSmallSource.data(), path.c_str());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), path + " can not open.\n");
}

#ifndef _WIN32
TEST(BmpFile, FailedWriteReturnsTwo) {
    std::FILE *probe = std::fopen("/dev/full", "wb");
    if (probe == nullptr)
        GTEST_SKIP() << "no /dev/full here";
    std::fclose(probe);
    std::vector<unsigned char> pixels(212 * 1200, 0x55);
    EXPECT_EQ(WriteBmpFile(400, 212, 3, 0, pixels.data(), "/dev/full"), 2);
    // Small enough to sit in the stdio buffer until the final flush.
    EXPECT_EQ(WriteBmpFile(3, 2, 3, 0, kSmallSource.data(), "/dev/full"), 2);
}
#endif

} // namespace
