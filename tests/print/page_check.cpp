// Checks a printed page, rendered from the printer's PDF to a binary PPM at the printer's
// own resolution, against the description of the page the program printed:
//
//   kamorte_page_check a|b|c|d PAGE.ppm none|complies|fails colour|mono [DRY-FLOW]
//
// The verdict the screen showed decides the rows of the verdict block. DRY-FLOW: the dry
// flow the tall-outlet screen showed; the raised 3 after it moves with its length.
//
// The printable area starts somewhere on the paper; its offset is found from the left and
// bottom edges of the frame. Then every frame line must be where the description puts it and
// no ink may stand left, right or below the frame (a long name must stay within its width).
// In colour every blue result must show blue ink, no blue may stand anywhere else, and a map
// picture must show colour inside its frame; in mono the grey bar beside the map must darken
// from top to bottom (a colour bar greyed by brightness does not).
#include "model/small_outlet.h"
#include "print/report_rules.h"
#include "resources/resource.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char *At(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

bool ReadPpm(const char *path, Picture &picture) {
    FILE *file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    int maxValue = 0;
    const bool header =
        std::fscanf(file, "P6 %d %d %d", &picture.width, &picture.height, &maxValue) == 3 &&
        maxValue == 255 && std::fgetc(file) != EOF;
    if (header) {
        picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
        const size_t got = std::fread(picture.rgb.data(), 1, picture.rgb.size(), file);
        std::fclose(file);
        return got == picture.rgb.size();
    }
    std::fclose(file);
    return false;
}

bool Grey(const unsigned char *p) {
    return std::abs(p[0] - 128) < 48 && std::abs(p[1] - 128) < 48 && std::abs(p[2] - 128) < 48 &&
           std::abs(p[0] - p[2]) < 20;
}
bool Blue(const unsigned char *p) {
    return p[2] > 160 && p[0] < 110 && p[1] < 110;
}
// Red, yellow or green of the map ramp.
bool Coloured(const unsigned char *p) {
    const int hi = std::max(p[0], std::max(p[1], p[2]));
    const int lo = std::min(p[0], std::min(p[1], p[2]));
    return hi - lo > 100 && !Blue(p);
}
bool Ink(const unsigned char *p) {
    return p[0] < 160 || p[1] < 160 || p[2] < 160;
}

// The same records the print driver enters on the screens.
void FillRecords(char which, OutletInputs &in, OutletResults &results) {
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    if (which == 'a' || which == 'b') {
        const bool b = which == 'b';
        std::strcpy(in.outletHeightText, b ? "10" : "5");
        in.outletHeight = b ? 10 : 5;
        if (b) {
            std::strcpy(in.buildingHeightText, "12");
            in.buildingHeight = 12;
        }
        std::strcpy(in.no1Text, "12");
        in.no1Index = 12;
        in.sizeClass = b ? SizeMedium : SizeSmall;
        in.representativeDiameter = RepresentativeDiameter(static_cast<SizeClass>(in.sizeClass));
        results.low = CalculateLowOutlet(in, b ? CaseB : CaseA);
        return;
    }
    // Cases C and D: the rows that exist decide the layout; the values do not move anything
    // that is checked here.
    in.flowMode = which == 'c' ? FlowWet : FlowDry;
    in.tall.outletDirection = which == 'c' ? DirectionUpward : DirectionOther;
    in.sizeMode = which == 'd' ? SizeByArea : SizeByDiameter;
    results.tall = {DownwashWeak, 20, 40, 40, 1.0e6, 28, 500, 0, 1000};
    in.tall.dryFlow = 1000;
}

// The verdict block as the screen's verdict lays it out; its texts differ from the printed
// ones only in digits.
void JudgeAs(const char *verdict, Report &from) {
    from.judged = std::strcmp(verdict, "none") != 0;
    std::strcpy(from.inputs.measuredIndexText, "40");
    from.verdict.measuredEmissionRate = 3.0e6;
    from.verdict.complies = std::strcmp(verdict, "fails") != 0;
    from.verdict.margin = from.verdict.complies ? 4.8 : -3.2;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 5 || argc > 6 || std::strchr("abcd", argv[1][0]) == nullptr) {
        std::printf("usage: kamorte_page_check a|b|c|d PAGE.ppm none|complies|fails "
                    "colour|mono [DRY-FLOW]\n");
        return 2;
    }
    const char which = argv[1][0];
    Picture page;
    if (!ReadPpm(argv[2], page)) {
        std::printf("FAILED: %s is no 8-bit PPM picture\n", argv[2]);
        return 1;
    }
    const OutletCase report = static_cast<OutletCase>(CaseA + (which - 'a'));
    Report from{};
    OutletInputs &in = from.inputs;
    FillRecords(which, in, from.results);
    JudgeAs(argv[3], from);
    const bool colour = std::strcmp(argv[4], "mono") != 0;
    if (argc == 6)
        in.tall.dryFlow = from.results.tall.dryFlow = std::atof(argv[5]);
    from.map = {2000, 20, 70, 200};
    from.shown.rateMantissa = "1.0×10";
    from.shown.rateExponent = "6";
    // Case C is printed without boundary distances.
    from.shown.boundary = which == 'c' ? "" : "50";
    from.shown.landingDistance = "  501";
    from.colour = colour;
    // The page is rendered at the printer's resolution: device units are pixels.
    const int u = ReportUnit(300, 0);
    const PageDescription description = DescribeReport(report, from, u);
    const bool tall = which == 'c' || which == 'd';
    const int leftEdge = At(u, tall ? 5 : 7);
    const int bottomEdge = At(u, tall ? 62 : 47);
    const int frameHeight = bottomEdge - At(u, 24, 1, 2);
    const int frameWidth = At(u, tall ? 55 : 53) - leftEdge;

    // Offsets: the first column that is grey for most of the frame's height, the last row
    // that is grey for most of its width; a pen of 3 is centred on its line.
    int offsetX = -1, offsetY = -1;
    for (int x = 0; x < page.width && offsetX < 0; ++x) {
        int n = 0;
        for (int y = 0; y < page.height; ++y)
            n += Grey(page.At(x, y));
        if (n > frameHeight * 9 / 10)
            offsetX = x + 1 - leftEdge;
    }
    for (int y = page.height - 1; y >= 0 && offsetY < 0; --y) {
        int n = 0;
        for (int x = 0; x < page.width; ++x)
            n += Grey(page.At(x, y));
        if (n > frameWidth * 9 / 10)
            offsetY = y - 1 - bottomEdge;
    }
    if (offsetX < 0 || offsetY < 0) {
        std::printf("FAILED: no frame found on the page\n");
        return 1;
    }
    std::printf("printable area at (%d, %d) px, u = %d\n", offsetX, offsetY, u);

    int failures = 0;
    int lines = 0, blues = 0;
    auto greyNear = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (page.Inside(x + dx, y + dy) && Grey(page.At(x + dx, y + dy)))
                    return true;
        return false;
    };
    std::vector<std::vector<int>> blueBoxes, pictureBoxes;
    for (const PageItem &item : description.items) {
        if (item.kind == PageItemKind::Line) {
            ++lines;
            for (int step = 0; step <= 20; ++step) {
                const int x = offsetX + item.x + (item.x2 - item.x) * step / 20;
                const int y = offsetY + item.y + (item.y2 - item.y) * step / 20;
                if (!greyNear(x, y)) {
                    std::printf("FAILED: no frame line at (%d, %d), line (%d, %d)-(%d, %d)\n", x, y,
                                item.x, item.y, item.x2, item.y2);
                    ++failures;
                    break;
                }
            }
        } else if (colour && item.kind == PageItemKind::Text && item.colour == kResultBlue) {
            ++blues;
            // A text that continues another stands where that one really ends, up to a unit
            // before the estimate.
            const int x0 = offsetX + item.x - (item.afterPrevious ? u : 0);
            const int y0 = offsetY + item.y;
            // Half a unit per byte is the nominal advance; proportional glyphs such as "m"
            // run over it.
            const int x1 =
                offsetX + item.x + std::max<int>(u, static_cast<int>(item.text.size()) * u * 2 / 3);
            const int y1 = y0 + u;
            blueBoxes.push_back({x0, y0, x1, y1});
            int n = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    n += page.Inside(x, y) && Blue(page.At(x, y));
            if (n < 20) {
                std::printf("FAILED: no blue result at (%d, %d), %zu bytes\n", x0, y0,
                            item.text.size());
                ++failures;
            }
        } else if (item.kind == PageItemKind::Picture) {
            const int x0 = offsetX + item.x, y0 = offsetY + item.y;
            pictureBoxes.push_back({x0, y0, x0 + item.x2, y0 + item.y2});
            if (item.source == PictureSource::MapFile) {
                int n = 0, inked = 0;
                for (int y = y0 + 2; y < y0 + item.y2 - 2; ++y)
                    for (int x = x0 + 2; x < x0 + item.x2 - 2; ++x) {
                        n += Coloured(page.At(x, y));
                        inked += Ink(page.At(x, y));
                    }
                const int area = (item.x2 - 4) * (item.y2 - 4);
                std::printf("map picture: %d of %d pixels coloured, %d inked\n", n, area, inked);
                if (colour ? n < area / 50 : inked < area / 50) {
                    std::printf("FAILED: the map picture is missing from its frame\n");
                    ++failures;
                }
            }
            if (!colour && item.resourceId == IDB_GREY_BAR) {
                // Down the middle of the bar, inside its outline: never lighter again.
                int before = 256, risen = 0;
                for (int step = 1; step < 10; ++step) {
                    const unsigned char *p = page.At(x0 + item.x2 / 2, y0 + item.y2 * step / 10);
                    const int v = (p[0] * 3 + p[1] * 6 + p[2]) / 10;
                    risen += v > before + 12;
                    before = v;
                }
                if (risen > 0) {
                    std::printf("FAILED: the bar beside the map is no grey ramp\n");
                    ++failures;
                }
            }
        }
    }
    auto inBoxes = [](const std::vector<std::vector<int>> &boxes, int x, int y) {
        for (const auto &b : boxes)
            if (x >= b[0] - 2 && x < b[2] + 2 && y >= b[1] - 2 && y < b[3] + 2)
                return true;
        return false;
    };
    // Nothing outside the frame's width, nor below it: only the header stands above it.
    const int inkLeft = offsetX + leftEdge - 4, inkRight = offsetX + leftEdge + frameWidth + 4;
    int outside = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (Ink(page.At(x, y)) &&
                (x < inkLeft || x > inkRight || y > offsetY + bottomEdge + 4) && outside++ < 5)
                std::printf("ink outside the frame at (%d, %d)\n", x, y);
    if (outside > 0) {
        std::printf("FAILED: %d pixels of ink outside the frame\n", outside);
        ++failures;
    }
    int strayBlue = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (colour && Blue(page.At(x, y)) && !inBoxes(blueBoxes, x, y) &&
                !inBoxes(pictureBoxes, x, y) && strayBlue++ < 5)
                std::printf("blue at (%d, %d)\n", x, y);
    if (strayBlue > 0) {
        std::printf("FAILED: %d blue pixels outside the results\n", strayBlue);
        ++failures;
    }
    std::printf("%d frame lines and %d blue results checked, %d failures\n", lines, blues,
                failures);
    return failures == 0 ? 0 : 1;
}
