#include "print/cairo/cairo_page.h"

#include "map/map_raster.h"
#include "print/cairo/report_bitmaps.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr char kFace[] = "IPAPMincho";

// The grey of a colour by its brightness, as printers without colour print it.
unsigned GreyOf(unsigned red, unsigned green, unsigned blue) {
    return (299 * red + 587 * green + 114 * blue + 500) / 1000;
}

} // namespace

cairo_surface_t *CairoPageRenderer::SurfaceOf(DecodedBitmap bitmap) const {
    if (!colour_)
        for (unsigned &pixel : bitmap.pixels)
            pixel = GreyOf(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF) * 0x010101u;
    cairo_surface_t *surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.width, bitmap.height);
    cairo_surface_flush(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < bitmap.height && data != nullptr; ++y)
        std::memcpy(data + static_cast<size_t>(y) * stride,
                    &bitmap.pixels[static_cast<size_t>(y) * bitmap.width], 4u * bitmap.width);
    cairo_surface_mark_dirty(surface);
    return surface;
}

void CairoPageRenderer::SetSource(cairo_t *cr, PageColour c) const {
    const double grey = GreyOf(c.red, c.green, c.blue) / 255.0;
    if (colour_)
        cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
    else
        cairo_set_source_rgb(cr, grey, grey, grey);
}

namespace {

// The map picture: 3 bytes a pixel, blue first, bottom row first, rows padded to 4 bytes.
bool MapBitmap(const std::vector<unsigned char> &picture, DecodedBitmap *decoded) {
    const int stride = MapStride(kMapWidth);
    if (picture.size() < static_cast<size_t>(stride) * kMapImageRows)
        return false;
    DecodedBitmap &bitmap = *decoded;
    bitmap.width = kMapWidth;
    bitmap.height = kMapImageRows;
    bitmap.pixels.resize(static_cast<size_t>(kMapWidth) * kMapImageRows);
    for (int y = 0; y < kMapImageRows; ++y) {
        const unsigned char *row = &picture[static_cast<size_t>(kMapImageRows - 1 - y) * stride];
        for (int x = 0; x < kMapWidth; ++x)
            bitmap.pixels[static_cast<size_t>(y) * kMapWidth + x] =
                static_cast<unsigned>(row[3 * x + 2]) << 16 | row[3 * x + 1] << 8 | row[3 * x];
    }
    return true;
}

// Stretches the whole surface into the rectangle, pixel for pixel as a printer does.
void Stretch(cairo_t *cr, cairo_surface_t *surface, const PageItem &item) {
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (width <= 0 || height <= 0 || item.x2 <= 0 || item.y2 <= 0)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, item.x, item.y, item.x2, item.y2);
    cairo_clip(cr);
    cairo_translate(cr, item.x, item.y);
    cairo_scale(cr, static_cast<double>(item.x2) / width, static_cast<double>(item.y2) / height);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace

CairoPageRenderer::CairoPageRenderer(ToUtf8 toUtf8, bool colour)
    : toUtf8_(std::move(toUtf8)), colour_(colour) {
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(kFace));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return;
    FcChar8 *family = nullptr;
    faceFound_ = FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                 std::strcmp(reinterpret_cast<const char *>(family), kFace) == 0;
    face_ = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
    // Windows sizes a font by its cell, the face's Windows ascent and descent together: the
    // em is that much smaller than the height asked for, and the text's top is the cell's.
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, 1000, 1000);
    cairo_matrix_init_identity(&identity);
    cairo_scaled_font_t *probe = cairo_scaled_font_create(face_, &size, &identity, options);
    cairo_font_options_destroy(options);
    if (FT_Face ft = cairo_ft_scaled_font_lock_face(probe)) {
        const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        double ascent = ft->ascender, descent = -ft->descender;
        if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        }
        if (ascent + descent > 0) {
            emPerCell_ = ft->units_per_EM / (ascent + descent);
            ascentPerCell_ = ascent / (ascent + descent);
        }
        cairo_ft_scaled_font_unlock_face(probe);
    }
    cairo_scaled_font_destroy(probe);
}

CairoPageRenderer::~CairoPageRenderer() {
    for (const auto &font : fonts_)
        cairo_scaled_font_destroy(font.second);
    for (const auto &surface : resources_)
        if (surface.second != nullptr)
            cairo_surface_destroy(surface.second);
    if (face_ != nullptr)
        cairo_font_face_destroy(face_);
}

cairo_scaled_font_t *CairoPageRenderer::FontOf(int height) {
    auto found = fonts_.find(height);
    if (found != fonts_.end())
        return found->second;
    cairo_font_options_t *options = cairo_font_options_create();
    // Outlines as drawn: advances are rounded to device units below, as GDI rounds them.
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, height * emPerCell_, height * emPerCell_);
    cairo_matrix_init_identity(&identity);
    cairo_scaled_font_t *font = cairo_scaled_font_create(face_, &size, &identity, options);
    cairo_font_options_destroy(options);
    fonts_[height] = font;
    return font;
}

int CairoPageRenderer::Lay(const std::string &utf8, int height, double x, double baseline,
                           std::vector<cairo_glyph_t> *glyphs, cairo_scaled_font_t **font) {
    *font = FontOf(height);
    cairo_glyph_t *laid = nullptr;
    int count = 0;
    glyphs->clear();
    if (cairo_scaled_font_text_to_glyphs(*font, 0, 0, utf8.c_str(), static_cast<int>(utf8.size()),
                                         &laid, &count, nullptr, nullptr,
                                         nullptr) != CAIRO_STATUS_SUCCESS)
        return 0;
    int advance = 0;
    for (int i = 0; i < count; ++i) {
        cairo_text_extents_t extents;
        cairo_scaled_font_glyph_extents(*font, &laid[i], 1, &extents);
        glyphs->push_back({laid[i].index, x + advance, baseline});
        advance += static_cast<int>(std::lround(extents.x_advance));
    }
    cairo_glyph_free(laid);
    return advance;
}

CairoPageRenderer::TextEnd CairoPageRenderer::DrawText(cairo_t *cr, const PageItem &item,
                                                       int height, TextEnd before) {
    const int x = item.afterPrevious ? item.x + before.printed - before.estimated : item.x;
    const std::string utf8 = toUtf8_(item.text);
    std::vector<cairo_glyph_t> glyphs;
    cairo_scaled_font_t *font = nullptr;
    int drawn = height;
    int width = Lay(utf8, drawn, x, item.y + height * ascentPerCell_, &glyphs, &font);
    if (item.maxWidth > 0 && width > item.maxWidth) {
        // Glyphs wider than half a height a byte: the text smaller, as far as its room needs,
        // its top where it was.
        drawn = std::max(1, height * item.maxWidth / width);
        width = Lay(utf8, drawn, x, item.y + drawn * ascentPerCell_, &glyphs, &font);
    }
    cairo_set_scaled_font(cr, font);
    SetSource(cr, item.colour);
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
    return {x + width, item.x + EstimatedWidth(item.text, height)};
}

cairo_surface_t *CairoPageRenderer::ResourceSurface(int resourceId) {
    auto found = resources_.find(resourceId);
    if (found != resources_.end())
        return found->second;
    // One surface a bitmap for the whole document: the PDF holds each picture once.
    cairo_surface_t *surface = nullptr;
    for (const EmbeddedBitmap &embedded : ReportBitmaps()) {
        DecodedBitmap bitmap;
        if (embedded.resourceId == resourceId && DecodeBmp(embedded.bytes, embedded.size, &bitmap))
            surface = SurfaceOf(bitmap);
    }
    resources_[resourceId] = surface;
    return surface;
}

void CairoPageRenderer::Draw(cairo_t *cr, const PageDescription &page,
                             const std::vector<unsigned char> &mapPicture) {
    TextEnd lastText;
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case PageItemKind::Text:
            lastText =
                DrawText(cr, item, item.height > 0 ? item.height : FontHeight(item.font, page.unit),
                         lastText);
            break;
        case PageItemKind::Line:
            // A pen of three units centred on the device unit's middle, round at its ends.
            SetSource(cr, item.colour);
            cairo_set_line_width(cr, 3);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, item.x + 0.5, item.y + 0.5);
            cairo_line_to(cr, item.x2 + 0.5, item.y2 + 0.5);
            cairo_stroke(cr);
            break;
        case PageItemKind::Picture:
            if (item.source == PictureSource::MapFile) {
                DecodedBitmap bitmap;
                if (MapBitmap(mapPicture, &bitmap)) {
                    cairo_surface_t *map = SurfaceOf(std::move(bitmap));
                    Stretch(cr, map, item);
                    cairo_surface_destroy(map);
                }
            } else if (cairo_surface_t *bitmap = ResourceSurface(item.resourceId)) {
                Stretch(cr, bitmap, item);
            }
            break;
        }
    }
}
