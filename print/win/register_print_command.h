#pragma once
#include "print/win/register_print_job.h"

// ファイル > 一括印刷（CSV）...: a register (a batch's input or result) chosen in the open
// dialog, the names in 印刷情報 once for every row, the printer in the print dialog, then
// one document of one page an outlet with the progress window.
void RunRegisterPrintCommand();
// The message box at the end: the pages printed and the rows left out, or why nothing was
// printed.
void ReportRegisterPrint(const RegisterPrintJob &job);

extern const char kRegisterPrintCaption[]; // "一括印刷（CSV）"
