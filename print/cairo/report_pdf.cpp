#include "print/cairo/report_pdf.h"

#include <cairo-pdf.h>
#include <fontconfig/fontconfig.h>

namespace {

// A4 in points.
constexpr double kPageWidth = 595.276;
constexpr double kPageHeight = 841.89;

cairo_status_t Write(void *closure, const unsigned char *data, unsigned int length) {
    std::FILE *out = static_cast<std::FILE *>(closure);
    return std::fwrite(data, 1, length, out) == length ? CAIRO_STATUS_SUCCESS
                                                       : CAIRO_STATUS_WRITE_ERROR;
}

} // namespace

void ReleaseFontCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

ReportPdf::ReportPdf(std::FILE *out, CairoPageRenderer::ToUtf8 toUtf8, bool colour)
    : renderer_(std::move(toUtf8), colour),
      surface_(cairo_pdf_surface_create_for_stream(Write, out, kPageWidth, kPageHeight)) {}

ReportPdf::~ReportPdf() {
    Finish();
}

void ReportPdf::Describe(const std::string &titleUtf8, const std::string &date) {
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, titleUtf8.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATE_DATE, date.c_str());
}

void ReportPdf::AddPage(const PageDescription &page, const std::vector<unsigned char> &mapPicture) {
    cairo_t *cr = cairo_create(surface_);
    cairo_scale(cr, 72.0 / kReportDotsPerInch, 72.0 / kReportDotsPerInch);
    renderer_.Draw(cr, page, mapPicture);
    cairo_show_page(cr);
    cairo_destroy(cr);
}

bool ReportPdf::Finish() {
    if (!finished_) {
        finished_ = true;
        cairo_surface_finish(surface_);
        ok_ = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface_);
    }
    return ok_;
}
