#include "model/case_texts.h"

#include "model/outlet_inputs.h"
#include "resources/case_headings.h"

namespace {

struct CaseHeadings {
    OutletCase outletCase;
    const char *screen;
    const char *page;
};

const CaseHeadings kHeadings[] = {
    {CaseA, CASE_A_HEADING, "Ａ．排出口の高さが６．７ｍ未満の場合"},
    {CaseB, CASE_B_HEADING, "Ｂ．排出口の高さが６．７ｍ以上１５ｍ未満の場合"},
    {CaseC, CASE_C_HEADING, "Ｃ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満の場合"},
    {CaseD, CASE_D_HEADING, "Ｄ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上の場合"},
};

const CaseHeadings &HeadingsOf(OutletCase c) {
    for (const CaseHeadings &h : kHeadings)
        if (h.outletCase == c)
            return h;
    return kHeadings[3];
}

} // namespace

const char *CaseScreenHeading(OutletCase c) {
    return HeadingsOf(c).screen;
}

const char *CasePageHeading(OutletCase c) {
    return HeadingsOf(c).page;
}

const char *DownwashWord(int downwashClass) {
    switch (downwashClass) {
    case DownwashNone: return "無";
    case DownwashWeak: return "弱";
    case DownwashStrong: return "強";
    default: break;
    }
    return "";
}
