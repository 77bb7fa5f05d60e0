#include "tools/kamorte_calc/report_file.h"

#include "calc/output_file.h"
#include "calc/register_pages.h"
#include "print/cairo/report_pdf.h"
#include "tools/kamorte_calc/batch.h"
#include "tools/kamorte_calc/output_message.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace {

ReportTime SystemClock() {
    std::time_t now = std::time(nullptr);
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0')
        now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// The document from the pages `next` adds, through the one output writer. next returns the
// exit status: a document it did not finish is not kept.
template <typename NextPage> int WritePdf(const std::string &path, bool colour, NextPage next) {
    OutputFile out(path);
    if (out.Stream() == nullptr) {
        ReportUnwritten(path, out.Problem());
        return 2;
    }
    int status;
    bool written = false;
    {
        ReportPdf pdf(out.Stream(), Cp932ToUtf8, colour);
        const ReportTime t = gReportClock();
        char date[40];
        std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
        pdf.Describe(Cp932ToUtf8(kReportTitle), date);
        if (!pdf.FaceFound())
            std::fprintf(stderr, "kamorte-calc: the report's face IPAPMincho is not installed "
                                 "(fonts-ipafont-mincho); another face stands in\n");
        status = next(pdf);
        written = pdf.Finish();
    }
    ReleaseFontCaches();
    if (status != 0) {
        out.Abandon();
        return status;
    }
    if (!written || !out.Commit()) {
        out.Abandon();
        ReportUnwritten(path, OutputProblem::CannotWrite);
        return 2;
    }
    return 0;
}

} // namespace

ReportTime (*gReportClock)() = SystemClock;

int RefuseReportHere() {
    return 0;
}

std::string ReportDate() {
    const ReportTime t = gReportClock();
    return FormatReportDate(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

int WriteOutletReport(const std::string &path, OutletCase report, const Report &made) {
    return WritePdf(path, made.colour, [&](ReportPdf &pdf) {
        pdf.AddPage(DescribeReport(report, made, ReportUnit(kReportDotsPerInch, 0)),
                    made.mapPicture);
        return 0;
    });
}

int WriteRegisterReport(const std::string &path, const std::string &registerPath,
                        const ReportNames &names, bool colour) {
    std::ifstream file(registerPath, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "kamorte-calc: cannot read %s\n", registerPath.c_str());
        return 2;
    }
    RegisterPrint print{};
    print.info = names;
    print.colour = colour;
    print.title = kReportTitle;
    print.printedAt = ReportDate();
    print.unit = ReportUnit(kReportDotsPerInch, 0);
    print.codec = PlatformCodec();
    RegisterPages pages(print);
    std::string problem;
    if (!pages.Open(file, &problem)) {
        std::fprintf(stderr, "kamorte-calc: %s: %s\n", registerPath.c_str(),
                     Cp932ToUtf8(problem).c_str());
        return 2;
    }
    const int status = WritePdf(path, colour, [&](ReportPdf &pdf) {
        for (RegisterPage page; pages.Next(&page);)
            pdf.AddPage(page.description, page.report.mapPicture);
        if (!pages.OutOfMemory())
            return 0;
        std::fprintf(stderr, "kamorte-calc: not enough memory for the dilution grid\n");
        return 3;
    });
    if (status != 0)
        return status;
    std::string said = "報告書 " + std::to_string(pages.Count().pages) + " ページ";
    if (pages.Count().rowsSkipped > 0)
        said += "、" + RegisterSkippedText(pages.Count());
    std::fprintf(stderr, "%s: %s\n", path.c_str(), Cp932ToUtf8(said).c_str());
    return 0;
}
