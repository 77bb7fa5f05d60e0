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

void AddText(PageDescription &page, int x, int y, const std::string &text, PageColour colour,
             ReportFont font) {
    PageItem item{};
    item.kind = PageItemKind::Text;
    item.x = x;
    item.y = y;
    item.text = text;
    item.font = font;
    item.colour = colour;
    page.items.push_back(item);
}

void AddLine(PageDescription &page, int x1, int y1, int x2, int y2) {
    PageItem item{};
    item.kind = PageItemKind::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.colour = kFrameGrey;
    page.items.push_back(item);
}

void AddPicture(PageDescription &page, PictureSource source, int resourceId, int x, int y,
                int width, int height) {
    PageItem item{};
    item.kind = PageItemKind::Picture;
    item.x = x;
    item.y = y;
    item.x2 = width;
    item.y2 = height;
    item.source = source;
    item.resourceId = resourceId;
    page.items.push_back(item);
}
