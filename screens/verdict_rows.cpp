#include "screens/verdict_rows.h"

#include "app/current_outlet.h"
#include "app/height_search_job.h"
#include "app/screen_common.h"
#include "app/window_helpers.h"
#include "calc/compliance.h"
#include "model/result_texts.h"
#include "model/verdict.h"
#include "resources/resource.h"
#include "text/text_helpers.h"

#include <memory>
#include <string>

namespace {

constexpr int kFieldReadSize = 255;
constexpr int kRefusalBeepMilliseconds = 40;

// What the rows show, so that an unchanged verdict (a map redrawn, a text typed again)
// keeps the search and its answer.
struct ShownVerdict {
    bool judged = false;
    bool fails = false; // judged and not complying: a complying height can be searched
    double measured = -1;
    OutletStandard standard;
};
ShownVerdict gShown;

std::unique_ptr<HeightSearchJob> gSearch;
WPARAM gLastSerial = 0;

bool HasResultOf(OutletCase outletCase) {
    return outletCase == CaseA || outletCase == CaseB ? HasResult(gOutletResults.low)
                                                      : HasResult(gOutletResults.tall);
}

bool SameVerdict(const ShownVerdict &a, const ShownVerdict &b) {
    if (a.judged != b.judged)
        return false;
    if (!a.judged)
        return true;
    return a.measured == b.measured && a.standard.outletCase == b.standard.outletCase &&
           a.standard.no2Index == b.standard.no2Index &&
           a.standard.allowableEmissionRate == b.standard.allowableEmissionRate &&
           a.standard.dryFlow == b.standard.dryFlow;
}

std::string FieldText(HWND screen) {
    return WholeFieldText(GetDlgItem(screen, IDC_MEASURED_INDEX), kFieldReadSize - 1, "x");
}

bool IsBlank(const std::string &text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// While a search runs the button cancels it.
void ShowSearchButton(HWND screen) {
    SetDlgItemTextA(screen, IDC_SOLVE_HEIGHT, gSearch ? "中止" : "適合する高さを調べる");
    EnableWindow(GetDlgItem(screen, IDC_SOLVE_HEIGHT), gShown.fails || gSearch != nullptr);
}

} // namespace

void FillVerdictRows(HWND screen, OutletCase outletCase) {
    CancelHeightSearch(screen);
    gShown = {};
    SetDlgItemTextA(screen, IDC_MEASURED_INDEX, gOutletInputs.measuredIndexText);
    ShowVerdictRows(screen, outletCase);
}

void ShowVerdictRows(HWND screen, OutletCase outletCase) {
    const OutletInputs &in = gOutletInputs;
    ShownVerdict now;
    Compliance v;
    if (HasResultOf(outletCase) && in.measuredIndex >= 0) {
        now.measured = in.measuredIndex;
        now.standard = StandardOf(outletCase, gOutletResults);
        now.judged = JudgeMeasured(now.standard, in.measuredIndex, &v);
        now.fails = now.judged && !v.complies;
    }
    if (!SameVerdict(now, gShown)) {
        CancelHeightSearch(screen);
        SetDlgItemTextA(screen, IDC_SOLVED_HEIGHT, "");
    }
    gShown = now;
    std::string verdict, mantissa, exponent, reduction;
    if (now.judged) {
        verdict = VerdictText(v.complies, v.margin);
        if (v.measuredEmissionRate >= 0)
            FormatEmissionRate(v.measuredEmissionRate, &mantissa, &exponent);
        if (!v.complies)
            reduction = ReductionText(ReductionNeeded(now.standard, v));
    }
    SetDlgItemTextA(screen, IDC_VERDICT, verdict.c_str());
    SetDlgItemTextA(screen, IDC_MEASURED_RATE, mantissa.c_str());
    SetDlgItemTextA(screen, IDC_MEASURED_RATE_EXPONENT, exponent.c_str());
    SetDlgItemTextA(screen, IDC_REDUCTION, reduction.c_str());
    ShowSearchButton(screen);
}

void MeasuredIndexEdited(HWND screen, OutletCase outletCase, int notification) {
    if (notification != EN_CHANGE)
        return;
    OutletInputs &in = gOutletInputs;
    const std::string text = FieldText(screen);
    double index;
    ClearMeasuredIndex(in);
    if (!IsBlank(text) && ReadMeasuredIndex(text, &index) == nullptr) {
        in.measuredIndex = index;
        CopyText(in.measuredIndexText, kTextSize, text.c_str());
    }
    ShowVerdictRows(screen, outletCase);
}

bool CheckMeasuredIndex(HWND screen, UINT modality) {
    const std::string text = FieldText(screen);
    double index;
    if (IsBlank(text))
        return true;
    const char *message = ReadMeasuredIndex(text, &index);
    if (message == nullptr)
        return true;
    ShowRefusal(screen, IDC_MEASURED_INDEX, true, kRefusalBeepMilliseconds, message, modality);
    return false;
}

void OnSolveHeight(HWND screen, OutletCase outletCase) {
    if (gSearch) {
        CancelHeightSearch(screen);
        return;
    }
    if (!gShown.fails)
        return;
    SetDlgItemTextA(screen, IDC_SOLVED_HEIGHT, "");
    gSearch = std::make_unique<HeightSearchJob>();
    gSearch->inputs = gOutletInputs;
    gSearch->outletCase = outletCase;
    gSearch->window = screen;
    gSearch->serial = ++gLastSerial;
    StartHeightSearch(*gSearch);
    ShowSearchButton(screen);
}

void CancelHeightSearch(HWND screen) {
    if (!gSearch)
        return;
    gSearch->cancel = true;
    FinishHeightSearch(*gSearch);
    gSearch.reset();
    ShowSearchButton(screen);
}

void HeightSearchDone(HWND screen, WPARAM serial) {
    if (!gSearch || gSearch->serial != serial)
        return; // a search cancelled before its end came
    FinishHeightSearch(*gSearch);
    SetDlgItemTextA(screen, IDC_SOLVED_HEIGHT, gSearch->answer.c_str());
    gSearch.reset();
    ShowSearchButton(screen);
}
