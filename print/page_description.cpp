#include "print/page_description.h"

int ReportUnit(int dotsPerInch, int fallbackHeight) {
    if (dotsPerInch > 0)
        return static_cast<int>(static_cast<float>(dotsPerInch) * 167.0f / 1200.0f + 0.5f);
    return fallbackHeight > 0 ? fallbackHeight : 42;
}

int ScaledUnit(float factor, int u) {
    return static_cast<int>(factor * static_cast<float>(u));
}

int FontHeight(ReportFont font, int u) {
    switch (font) {
    case ReportFont::Title: return ScaledUnit(1.5f, u);
    case ReportFont::Bracket: return ScaledUnit(2.5f, u);
    case ReportFont::Body: break;
    }
    return u;
}

int At(int u, int whole, int num, int den) {
    const int fraction = num >= 0 ? num * u / den : -(-num * u / den);
    return whole * u + fraction;
}

// Each kind fills its own members; the others keep the zeros of an empty item.
void AddText(PageDescription &page, int x, int y, const std::string &text, PageColour colour,
             ReportFont font) {
    page.items.push_back({PageItemKind::Text, x, y, 0, 0, text, font, colour, {}, 0});
}

void AddLine(PageDescription &page, int x1, int y1, int x2, int y2) {
    page.items.push_back({PageItemKind::Line, x1, y1, x2, y2, "", {}, kFrameGrey, {}, 0});
}

void AddPicture(PageDescription &page, PictureSource source, int resourceId, int x, int y,
                int width, int height) {
    page.items.push_back(
        {PageItemKind::Picture, x, y, width, height, "", {}, {}, source, resourceId});
}
