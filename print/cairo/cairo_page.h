#pragma once
#include "print/cairo/report_bitmaps.h"
#include "print/page_description.h"

#include <cairo.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Draws page descriptions with cairo as the GDI renderer (print/win) draws them on a printer:
// in device units from the top-left corner of the page, every text in the proportional
// Mincho face (IPAPMincho, which the Windows build's print path maps ＭＳ Ｐ明朝 to) with its
// top at the item's y and glyphs advanced by whole device units, lines as a solid pen three
// units wide, pictures stretched into their rectangles. Without colour every colour is drawn
// as its grey, as a printer without colour prints it.
class CairoPageRenderer {
  public:
    using ToUtf8 = std::function<std::string(const std::string &)>;
    CairoPageRenderer(ToUtf8 toUtf8, bool colour);
    ~CairoPageRenderer();
    CairoPageRenderer(const CairoPageRenderer &) = delete;
    CairoPageRenderer &operator=(const CairoPageRenderer &) = delete;

    // Whether fontconfig found the face itself rather than a stand-in.
    bool FaceFound() const { return faceFound_; }
    // mapPicture: the report's map (kMapWidth × kMapImageRows, 3 bytes a pixel, bottom row
    // first) for a PictureSource::MapFile item; empty leaves its place empty.
    void Draw(cairo_t *cr, const PageDescription &page,
              const std::vector<unsigned char> &mapPicture);

  private:
    struct TextEnd {
        int printed = 0;
        int estimated = 0;
    };
    TextEnd DrawText(cairo_t *cr, const PageItem &item, int height, TextEnd before);
    // The glyphs of text at a font height from x, each advanced by whole units; the width.
    int Lay(const std::string &utf8, int height, double x, double baseline,
            std::vector<cairo_glyph_t> *glyphs, cairo_scaled_font_t **font);
    cairo_scaled_font_t *FontOf(int height);
    cairo_surface_t *ResourceSurface(int resourceId);
    cairo_surface_t *SurfaceOf(DecodedBitmap bitmap) const;
    void SetSource(cairo_t *cr, PageColour colour) const;

    ToUtf8 toUtf8_;
    bool colour_;
    cairo_font_face_t *face_ = nullptr;
    bool faceFound_ = false;
    double emPerCell_ = 1;     // the em of a font whose cell (ascent + descent) is 1
    double ascentPerCell_ = 1; // its ascent
    std::map<int, cairo_scaled_font_t *> fonts_;
    std::map<int, cairo_surface_t *> resources_;
};
