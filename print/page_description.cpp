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
    page.items.push_back({PageItemKind::Text, x, y, 0, 0, text, font, colour, {}, 0, 0, 0, false});
}

void AddSizedText(PageDescription &page, int x, int y, const std::string &text, int height,
                  int maxWidth, PageColour colour) {
    AddText(page, x, y, text, colour);
    page.items.back().height = height;
    page.items.back().maxWidth = maxWidth;
}

int EstimatedWidth(const std::string &text, int height) {
    return static_cast<int>(text.size()) * height / 2;
}

void AddFollowingText(PageDescription &page, int gap, int raise, const std::string &text) {
    // The text it continues: the last text, whatever lines or pictures came after it.
    const PageItem *last = nullptr;
    for (const PageItem &item : page.items)
        if (item.kind == PageItemKind::Text)
            last = &item;
    if (last == nullptr)
        return;
    const int height = last->height > 0 ? last->height : FontHeight(last->font, page.unit);
    PageItem next = *last;
    next.x = last->x + EstimatedWidth(last->text, height) + gap;
    next.y = last->y - raise;
    next.text = text;
    next.maxWidth = 0;
    next.afterPrevious = true;
    page.items.push_back(next);
}

void AddLine(PageDescription &page, int x1, int y1, int x2, int y2) {
    page.items.push_back(
        {PageItemKind::Line, x1, y1, x2, y2, "", {}, kFrameGrey, {}, 0, 0, 0, false});
}

void AddPicture(PageDescription &page, PictureSource source, int resourceId, int x, int y,
                int width, int height) {
    page.items.push_back(
        {PageItemKind::Picture, x, y, width, height, "", {}, {}, source, resourceId, 0, 0, false});
}
