#pragma once
#include <string>
#include <vector>

// A printed page as data: texts, lines and pictures placed in printer device units. The
// reports are built as such a list so their geometry can be checked without a printer;
// one renderer draws any list on a device context.

struct PageColour {
    int red;
    int green;
    int blue;
    bool operator==(const PageColour &o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

constexpr PageColour kLabelBlack{0, 0, 0};
constexpr PageColour kResultBlue{0, 0, 255};
constexpr PageColour kFrameGrey{128, 128, 128};
constexpr PageColour kMarkerGrey{64, 64, 64};

// Every report font is the proportional Mincho face; they differ in height only.
enum class ReportFont { Title, Body, Bracket };
constexpr char kReportFace[] = "ＭＳ Ｐ明朝";

enum class PageItemKind { Text, Line, Picture };

// A resource bitmap, or the map picture that the renderer writes to a file first.
enum class PictureSource { Resource, MapFile };

struct PageItem {
    PageItemKind kind;
    int x; // text and picture: top-left corner; line: start
    int y;
    int x2; // line: end; picture: width and height
    int y2;
    std::string text; // code page 932
    ReportFont font;
    PageColour colour;
    PictureSource source;
    int resourceId;
    // Text: a height other than the font's (0: the font's own), and the width the text must
    // keep within (0: none), which the renderer holds to by narrowing glyphs that the
    // estimate of half a height a byte did not foresee.
    int height = 0;
    int maxWidth = 0;
    // Text that continues the text before it (an exponent, a unit): x counts from the
    // estimated end of that text, and the renderer moves it as far as the measured end lies
    // from the estimate, so that it stands close to what it continues in any face.
    bool afterPrevious = false;
};

struct PageDescription {
    int unit; // u, device units
    std::vector<PageItem> items;
};

// The printer's unit u from its vertical resolution (dots per inch): about 3.5 mm. For a
// resolution of 0 or less, fallbackHeight (the device font's height) or 42.
int ReportUnit(int dotsPerInch, int fallbackHeight);
int FontHeight(ReportFont font, int u);

// whole·u plus num/den of u, the fraction an integer division truncated toward zero; a
// negative num subtracts the fraction.
int At(int u, int whole, int num = 0, int den = 1);
// trunc(factor × u) in single precision, as the page's few non-fractional sizes are made.
int ScaledUnit(float factor, int u);

void AddText(PageDescription &page, int x, int y, const std::string &text,
             PageColour colour = kLabelBlack, ReportFont font = ReportFont::Body);
// A text in the body face at its own height, kept within maxWidth device units.
void AddSizedText(PageDescription &page, int x, int y, const std::string &text, int height,
                  int maxWidth, PageColour colour = kLabelBlack);
// The width a text takes at a font height: half the height a byte, as a double-byte
// character of the Mincho faces is one em. Wide Latin letters can run over it.
int EstimatedWidth(const std::string &text, int height);
// Text continuing the last text item, gap device units after its estimated end, raised by
// raise; in the last item's colour and height.
void AddFollowingText(PageDescription &page, int gap, int raise, const std::string &text);
void AddLine(PageDescription &page, int x1, int y1, int x2, int y2);
void AddPicture(PageDescription &page, PictureSource source, int resourceId, int x, int y,
                int width, int height);
