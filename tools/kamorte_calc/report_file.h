#pragma once
#include "print/report_rules.h"

#include <string>

// kamorte-calc --report FILE.pdf: the printed reports as a PDF, drawn from the same page
// descriptions as the program prints, through cairo (the native build). The Windows program
// prints its reports itself: there --report says so.

// When the reports are the program's to print (Windows): says where, and returns the exit
// status (2); elsewhere returns 0 and says nothing.
int RefuseReportHere();

// The date and time a report is printed at.
struct ReportTime {
    int year, month, day, hour, minute, second;
};
// The clock of the reports: local time now, or of SOURCE_DATE_EPOCH (seconds since 1970)
// when that is set, so that a report can be made again byte for byte. Tests put in their own.
extern ReportTime (*gReportClock)();
std::string ReportDate();

// The program's title at the head of every page.
constexpr char kReportTitle[] = "カモルテ（臭気指数第２号規制基準算定ソフト）";

// One page, the report of one outlet, into path. Returns the exit status: 0 written, 2 not
// (said on standard error).
int WriteOutletReport(const std::string &path, OutletCase report, const Report &made);
// One page a row of the register at registerPath that computes, into path, with the names
// where a row has none of its own, in colour or as a printer without it prints; the rows
// left out and the pages written are said on standard error. Returns 0, or 2 when the
// register cannot be read or the file not written.
int WriteRegisterReport(const std::string &path, const std::string &registerPath,
                        const ReportNames &names, bool colour);
