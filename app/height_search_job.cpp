#include "app/height_search_job.h"

#include "model/field_table.h"
#include "model/height_scan.h"
#include "model/verdict_texts.h"

#include <cstring>
#include <new>

namespace {

constexpr unsigned kWorkers = 2;

void Clear(char *text) {
    text[0] = '\0';
}

// The record as the screen of outletCase holds the outlet: the No. 1 standard it shows, and
// none of the inputs of the other screens' cases, which the search then names as needed.
OutletInputs ScannedRecord(OutletInputs in, OutletCase outletCase) {
    const bool low = outletCase == CaseA || outletCase == CaseB;
    if (low) {
        std::memcpy(in.no1StandardText, in.no1Text, sizeof in.no1StandardText);
        in.tall.no1Standard = in.no1Index;
        for (char *text : {in.dryFlowText, in.wetFlowText, in.exitVelocityText, in.moistureText,
                           in.outletToBoundaryText, in.buildingToBoundaryText})
            Clear(text);
        in.flowMode = FlowDry;
    } else {
        std::memcpy(in.no1Text, in.no1StandardText, sizeof in.no1Text);
        in.no1Index = in.tall.no1Standard;
        if (outletCase == CaseC && in.flowMode != FlowWet)
            Clear(in.moistureText);
    }
    if (outletCase != CaseD) {
        for (char *text : {in.outletDiameterText, in.outletAreaText, in.gasTemperatureText})
            Clear(text);
        in.sizeMode = SizeByDiameter;
        in.tall.outletDirection = DirectionNotChosen;
    }
    return in;
}

std::string Answer(const HeightScanPoint &last, const std::string &from) {
    switch (last.stop) {
    case HeightStop::None:
        return last.judged && last.verdict.complies ? ComplyingHeightText(from, last.heightText)
                                                    : NoComplyingHeightText(from);
    case HeightStop::Missing: {
        std::vector<Field> missing;
        for (const std::vector<Field> &either : last.missing)
            if (!either.empty())
                missing.push_back(either.front());
        if (missing.empty())
            return "";
        if (last.outletCase != CaseUndecided)
            return MissingInputsText(last.outletCase, missing);
        // The start menu stopped: the height needs the building's, which the screen lacks.
        const char *asked = FieldRowOf(missing.front()).low.messageB;
        return asked != nullptr ? asked : "";
    }
    case HeightStop::Refused: return last.message != nullptr ? last.message : "";
    case HeightStop::ComputeFailed:
        return last.status == ComputeStatus::FlowGuard
                   ? "排出ガスの流量または吐出速度から計算できません。入力値を確認してください。"
                   : "メモリが不足しているため計算できませんでした。";
    case HeightStop::NoStandard:
    case HeightStop::Cancelled: break;
    }
    return "";
}

std::string Search(HeightSearchJob &job) {
    const OutletInputs outlet = ScannedRecord(job.inputs, job.outletCase);
    const std::vector<std::string> heights = SearchHeights(outlet.outletHeightText);
    if (heights.empty())
        return "";
    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);
    const std::vector<HeightScanPoint> points =
        ScanHeights(outlet, heights, outlet.measuredIndex, params, true, kWorkers, &job.cancel);
    return points.empty() ? "" : Answer(points.back(), heights.front());
}

} // namespace

void RunHeightSearch(HeightSearchJob &job) {
    try {
        job.answer = Search(job);
    } catch (const std::bad_alloc &) {
        job.answer = "メモリが不足しているため計算できませんでした。";
    }
    if (job.cancel)
        job.answer.clear();
}

void StartHeightSearch(HeightSearchJob &job) {
    job.worker = std::thread([&job] {
        RunHeightSearch(job);
        PostMessageA(job.window, kHeightSearchDoneMessage, job.serial, 0);
    });
}

void FinishHeightSearch(HeightSearchJob &job) {
    if (job.worker.joinable())
        job.worker.join();
}
