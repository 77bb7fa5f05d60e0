#include "print/win/page_renderer.h"

#include <algorithm>
#include <cstring>
#include <vector>

HFONT CreateReportFont(const char *face, int height, int width) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

void DrawBitmapScaled(HDC dc, int resourceId, const char *path, bool fromFile, int x, int y,
                      int width, int height) {
    HINSTANCE instance = fromFile ? nullptr : GetModuleHandleA(nullptr);
    const char *name = fromFile ? path : MAKEINTRESOURCEA(resourceId);
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION | (fromFile ? LR_LOADFROMFILE : 0)));
    if (bitmap == nullptr)
        return;
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) == 0 || section.dsBm.bmBits == nullptr) {
        DeleteObject(bitmap);
        return;
    }
    const BITMAP &bm = section.dsBm;
    const int bits = bm.bmPlanes * bm.bmBitsPixel;
    const int colours = bits <= 8 ? 1 << bits : 0;
    std::vector<unsigned char> header(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto *info = reinterpret_cast<BITMAPINFO *>(header.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = bm.bmWidth;
    info->bmiHeader.biHeight = bm.bmHeight;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bits);
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(bm.bmWidthBytes) * bm.bmHeight;
    if (colours > 0) {
        // A palette picture's colours are only reachable through a memory context.
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ before = SelectObject(memory, bitmap);
        GetDIBColorTable(memory, 0, colours, info->bmiColors);
        SelectObject(memory, before);
        DeleteDC(memory);
    }
    StretchDIBits(dc, x, y, width, height, 0, 0, bm.bmWidth, bm.bmHeight, bm.bmBits, info,
                  DIB_RGB_COLORS, SRCCOPY);
    DeleteObject(bitmap);
}

namespace {

// The fonts of one page, one a height, made when first used.
class PageFonts {
  public:
    ~PageFonts() {
        for (const auto &made : fonts_)
            DeleteObject(made.second);
    }
    HFONT Of(int height) {
        for (const auto &made : fonts_)
            if (made.first == height)
                return made.second;
        fonts_.emplace_back(height, CreateReportFont(kReportFace, height));
        return fonts_.back().second;
    }

  private:
    std::vector<std::pair<int, HFONT>> fonts_;
};

int TextWidth(HDC dc, const std::string &text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Where the text of an item ends as printed and as estimated, for the text that continues it.
struct TextEnd {
    int printed = 0;
    int estimated = 0;
};

TextEnd PrintText(HDC dc, const PageItem &item, int height, TextEnd before) {
    const int x = item.afterPrevious ? item.x + before.printed - before.estimated : item.x;
    int width = TextWidth(dc, item.text);
    HFONT narrowed = nullptr;
    HGDIOBJ font = nullptr;
    if (item.maxWidth > 0 && width > item.maxWidth) {
        // Wider glyphs than half a height a byte (Latin capitals): the text smaller, as far
        // as its room needs. Wine's printer driver ignores a font's width.
        narrowed = CreateReportFont(kReportFace, std::max(1, height * item.maxWidth / width));
        font = SelectObject(dc, narrowed);
        width = TextWidth(dc, item.text);
    }
    SetTextColor(dc, RGB(item.colour.red, item.colour.green, item.colour.blue));
    TextOutA(dc, x, item.y, item.text.c_str(), static_cast<int>(item.text.size()));
    if (narrowed != nullptr) {
        SelectObject(dc, font);
        DeleteObject(narrowed);
    }
    return {x + width, item.x + EstimatedWidth(item.text, height)};
}

} // namespace

void DrawPage(HDC dc, const PageDescription &page, const char *mapFile) {
    PageFonts fonts;
    HGDIOBJ fontBefore = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ penBefore = nullptr;
    TextEnd lastText;
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case PageItemKind::Text: {
            const int height = item.height > 0 ? item.height : FontHeight(item.font, page.unit);
            HGDIOBJ previous = SelectObject(dc, fonts.Of(height));
            if (fontBefore == nullptr)
                fontBefore = previous;
            lastText = PrintText(dc, item, height, lastText);
            break;
        }
        case PageItemKind::Line:
            if (pen == nullptr) {
                pen = CreatePen(PS_SOLID, 3,
                                RGB(item.colour.red, item.colour.green, item.colour.blue));
                penBefore = SelectObject(dc, pen);
            }
            MoveToEx(dc, item.x, item.y, nullptr);
            LineTo(dc, item.x2, item.y2);
            break;
        case PageItemKind::Picture:
            if (item.source == PictureSource::MapFile) {
                if (mapFile != nullptr)
                    DrawBitmapScaled(dc, 0, mapFile, true, item.x, item.y, item.x2, item.y2);
            } else {
                DrawBitmapScaled(dc, item.resourceId, nullptr, false, item.x, item.y, item.x2,
                                 item.y2);
            }
            break;
        }
    }
    // The fonts go when this returns: the context must hold its own font by then.
    if (fontBefore != nullptr)
        SelectObject(dc, fontBefore);
    if (penBefore != nullptr)
        SelectObject(dc, penBefore);
    if (pen != nullptr)
        DeleteObject(pen);
}
