#include "tools/kamorte_calc/report_file.h"

#include "tools/kamorte_calc/terminal_text.h"

#include <cstdio>

ReportTime (*gReportClock)() = nullptr;

int RefuseReportHere() {
    std::fprintf(stderr, "kamorte-calc: %s\n",
                 Cp932ToUtf8("PDF の報告書は Windows 版では作れません。プログラムの「ファイル」→"
                             "「一括印刷（CSV）...」で印刷して下さい。")
                     .c_str());
    return 2;
}

std::string ReportDate() {
    return "";
}

int WriteOutletReport(const std::string &, OutletCase, const Report &) {
    return RefuseReportHere();
}

int WriteRegisterReport(const std::string &, const std::string &, const ReportNames &, bool) {
    return RefuseReportHere();
}
