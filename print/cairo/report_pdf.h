#pragma once
#include "print/cairo/cairo_page.h"

#include <cstdio>

// The report pages as a PDF of A4 pages, drawn at 300 device units an inch (u = 42, as the
// program's pages on the PDF printer) and written to the stream as each page ends, so that
// memory does not grow with the pages.
constexpr int kReportDotsPerInch = 300;

// Gives back what cairo and fontconfig keep for the whole process (font caches, the
// configuration), once no document is open any more: a run that ends clean under the leak
// checker.
void ReleaseFontCaches();

class ReportPdf {
  public:
    // colour: false for the pages a printer without colour prints.
    ReportPdf(std::FILE *out, CairoPageRenderer::ToUtf8 toUtf8, bool colour);
    ~ReportPdf();
    ReportPdf(const ReportPdf &) = delete;
    ReportPdf &operator=(const ReportPdf &) = delete;

    bool FaceFound() const { return renderer_.FaceFound(); }
    // The document's title (UTF-8) and date ("2026-04-01T09:05:07", local time) in its
    // information, so that the same pages make the same file.
    void Describe(const std::string &titleUtf8, const std::string &date);
    void AddPage(const PageDescription &page, const std::vector<unsigned char> &mapPicture);
    // Ends the document; false when anything could not be written.
    bool Finish();

  private:
    CairoPageRenderer renderer_;
    cairo_surface_t *surface_;
    bool finished_ = false;
    bool ok_ = false;
};
