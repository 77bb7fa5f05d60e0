#include "app/height_search_job.h"

#include "calc/height_scan.h"
#include "model/field_table.h"
#include "model/verdict_texts.h"

#include <algorithm>
#include <new>

namespace {

// Heights computed between two looks at the cancel flag: a fraction of a second.
constexpr size_t kChunk = 16;
constexpr unsigned kWorkers = 2;

void Put(OutletOptions &options, Field field, const char *text) {
    if (text[0] != '\0')
        options[OptionOf(field)] = text;
}

// The screen's record as the options of the command line, every case's inputs that the
// screen holds: the scan takes what each height's case needs.
OutletOptions RecordOptions(const OutletInputs &in, OutletCase outletCase) {
    OutletOptions o;
    Put(o, Field::OutletHeight, in.outletHeightText);
    Put(o, Field::BuildingHeight, in.buildingHeightText);
    Put(o, Field::MeasuredIndex, in.measuredIndexText);
    if (outletCase == CaseA || outletCase == CaseB) {
        Put(o, Field::No1Standard, in.no1Text);
        const char *sizes[] = {"small", "medium", "large"};
        if (in.sizeClass >= SizeSmall && in.sizeClass <= SizeLarge)
            Put(o, Field::SizeClass, sizes[in.sizeClass - SizeSmall]);
        return o;
    }
    Put(o, Field::No1Standard, in.no1StandardText);
    switch (in.flowMode) {
    case FlowDry: Put(o, Field::DryFlow, in.dryFlowText); break;
    case FlowWet: Put(o, Field::WetFlow, in.wetFlowText); break;
    default: Put(o, Field::Velocity, in.exitVelocityText);
    }
    if (outletCase == CaseD || in.flowMode == FlowWet)
        Put(o, Field::Moisture, in.moistureText);
    Put(o, Field::OutletToBoundary, in.outletToBoundaryText);
    Put(o, Field::BuildingToBoundary, in.buildingToBoundaryText);
    if (outletCase == CaseD) {
        if (in.sizeMode == SizeByArea)
            Put(o, Field::Area, in.outletAreaText);
        else
            Put(o, Field::Diameter, in.outletDiameterText);
        if (in.tall.outletDirection != DirectionNotChosen)
            Put(o, Field::Direction, in.tall.outletDirection == DirectionUpward ? "up" : "down");
        if (in.tall.outletDirection == DirectionUpward)
            Put(o, Field::Temperature, in.gasTemperatureText);
    }
    return o;
}

// The fields a scan's error names ("… which needs --diameter or --area, --direction, --dry-flow,
// --wet-flow or --velocity"): of each group of alternatives the first.
std::vector<Field> NamedFields(const std::string &message) {
    std::vector<Field> fields;
    Field previous = Field::Case;
    for (size_t at = message.find("--"); at != std::string::npos; at = message.find("--", at + 2)) {
        const size_t end = message.find_first_of(", ", at);
        const std::string option = message.substr(at + 2, end - at - 2);
        for (const FieldRow &row : FieldTable()) {
            if (option != row.option)
                continue;
            const bool alternative =
                (row.field == Field::Area && previous == Field::Diameter) ||
                ((row.field == Field::WetFlow || row.field == Field::Velocity) &&
                 (previous == Field::DryFlow || previous == Field::WetFlow));
            if (!alternative)
                fields.push_back(row.field);
            previous = row.field;
        }
    }
    return fields;
}

std::string Answer(const HeightPoint &last, const std::string &from) {
    if (last.error.status == kComputed)
        return last.complies ? ComplyingHeightText(from, last.heightText)
                             : NoComplyingHeightText(from);
    const std::vector<Field> missing = NamedFields(last.error.message);
    if (last.outletCase != CaseUndecided && !missing.empty())
        return MissingInputsText(last.outletCase, missing);
    return last.error.message; // the start menu's or the flow guard's words
}

std::string Search(HeightSearchJob &job) {
    const OutletOptions options = RecordOptions(job.inputs, job.outletCase);
    const std::vector<std::string> heights = SearchHeights(job.inputs.outletHeightText);
    if (heights.empty())
        return "";
    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);
    for (size_t begin = 0; begin < heights.size() && !job.cancel; begin += kChunk) {
        const std::vector<std::string> chunk(
            heights.begin() + begin, heights.begin() + std::min(begin + kChunk, heights.size()));
        const std::vector<HeightPoint> points = ScanHeights(options, chunk, params, true, kWorkers);
        const HeightPoint &last = points.back();
        if (last.error.status != kComputed || last.complies ||
            begin + chunk.size() == heights.size())
            return Answer(last, heights.front());
    }
    return "";
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
