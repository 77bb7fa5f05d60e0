// Compares two renderings of the same page, binary PPM pictures, as pictures over the area
// both cover from their top-left corners (the paper sizes of two printers may differ):
// every pixel of ink of either must have ink of the other within the tolerance (8 device
// units, u/5 at 300 dots per inch), in two classes apart: any ink (texts, lines, pictures)
// and the blue of the results. A text, line or picture that one renderer puts more than
// the tolerance away from the other, draws larger or leaves out shows as ink with none of
// the other near it; a result printed black, as blue with no blue near it.
//
//   kamorte_ink_compare FIRST.ppm SECOND.ppm [TOLERANCE]
//
// Prints where the ink of one stands alone, and exits 1 when it does anywhere.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

bool ReadPpm(const char *path, Picture &picture) {
    FILE *file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    int maxValue = 0;
    bool ok = std::fscanf(file, "P6 %d %d %d", &picture.width, &picture.height, &maxValue) == 3 &&
              maxValue == 255 && std::fgetc(file) != EOF;
    if (ok) {
        picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
        ok = std::fread(picture.rgb.data(), 1, picture.rgb.size(), file) == picture.rgb.size();
    }
    std::fclose(file);
    return ok;
}

using Mask = std::vector<unsigned char>;

template <typename Class> Mask MaskOf(const Picture &p, Class inClass) {
    Mask mask(static_cast<size_t>(p.width) * p.height);
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] = inClass(&p.rgb[3 * i]) ? 1 : 0;
    return mask;
}

// The mask grown by the tolerance every way (a square): a box sum over prefix sums along the
// rows, then along the columns.
Mask Grown(Mask mask, int width, int height, int tolerance) {
    std::vector<int> sum(static_cast<size_t>(std::max(width, height)) + 1);
    Mask grown(mask.size());
    for (const bool rows : {true, false}) {
        const int lines = rows ? height : width, length = rows ? width : height;
        const size_t next = rows ? width : 1, step = rows ? 1 : width;
        for (int line = 0; line < lines; ++line) {
            for (int k = 0; k < length; ++k)
                sum[k + 1] = sum[k] + mask[line * next + k * step];
            for (int k = 0; k < length; ++k)
                grown[line * next + k * step] =
                    sum[std::min(length, k + tolerance + 1)] - sum[std::max(0, k - tolerance)] > 0;
        }
        mask.swap(grown);
    }
    return mask;
}

// The ink of `ink` with none of `other` near it, counted by blocks of 100 device units;
// returns how many pixels stand alone.
long Alone(const Mask &ink, const Mask &otherGrown, int width, int height, const char *what) {
    constexpr int kBlock = 100;
    const int columns = (width + kBlock - 1) / kBlock;
    std::vector<long> blocks(static_cast<size_t>(columns) * ((height + kBlock - 1) / kBlock));
    long alone = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (ink[i] && !otherGrown[i]) {
                ++alone;
                ++blocks[static_cast<size_t>(y / kBlock) * columns + x / kBlock];
            }
        }
    for (size_t b = 0; b < blocks.size(); ++b)
        if (blocks[b] > 0)
            std::printf("  %s: %ld pixels alone in x %zu-%zu, y %zu-%zu\n", what, blocks[b],
                        b % columns * kBlock, b % columns * kBlock + kBlock - 1,
                        b / columns * kBlock, b / columns * kBlock + kBlock - 1);
    return alone;
}

bool AnyInk(const unsigned char *p) {
    return p[0] < 192 || p[1] < 192 || p[2] < 192;
}
// The results' pure blue (0, 0, 255), not the softer blues of the pictures, which a viewer
// may smooth when it enlarges a picture less than fourfold (poppler does).
bool Blue(const unsigned char *p) {
    return p[2] > 200 && p[0] < 80 && p[1] < 80;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3 || argc > 4) {
        std::printf("usage: kamorte_ink_compare FIRST.ppm SECOND.ppm [TOLERANCE]\n");
        return 2;
    }
    const int tolerance = argc == 4 ? std::atoi(argv[3]) : 8;
    Picture first, second;
    if (!ReadPpm(argv[1], first) || !ReadPpm(argv[2], second)) {
        std::printf("FAILED: the pictures are no 8-bit PPM\n");
        return 1;
    }
    const int w = std::min(first.width, second.width), h = std::min(first.height, second.height);
    for (Picture *p : {&first, &second}) {
        std::vector<unsigned char> cut(static_cast<size_t>(w) * h * 3);
        for (int y = 0; y < h; ++y)
            std::copy_n(&p->rgb[static_cast<size_t>(y) * p->width * 3], w * 3,
                        &cut[static_cast<size_t>(y) * w * 3]);
        p->rgb.swap(cut);
        p->width = w;
        p->height = h;
    }
    long alone = 0;
    for (const auto &kind : {std::make_pair("ink", &AnyInk), std::make_pair("blue", &Blue)}) {
        const Mask a = MaskOf(first, kind.second), b = MaskOf(second, kind.second);
        const std::string firstName = std::string(kind.first) + " of the first";
        const std::string secondName = std::string(kind.first) + " of the second";
        alone += Alone(a, Grown(b, w, h, tolerance), w, h, firstName.c_str());
        alone += Alone(b, Grown(a, w, h, tolerance), w, h, secondName.c_str());
    }
    std::printf(alone == 0 ? "the same within %d device units\n"
                           : "FAILED: ink more than %d device units from the other's\n",
                tolerance);
    return alone == 0 ? 0 : 1;
}
