#include "print/report_rules.h"

#include "resources/resource.h"
#include "model/case_texts.h"
#include "model/field_table.h"
#include "model/quantise.h"
#include "text/format.h"

#include <cstdio>

namespace {

const char *SizeWord(int sizeClass) {
    switch (sizeClass) {
    case SizeSmall: return "小径";
    case SizeMedium: return "中径";
    default: break;
    }
    return "大径";
}

// The two rows under the size class with their bounds, the raised "2"s of the area and
// the large brackets round both rows. row: the diameter row's whole units; the medium
// class has the widest bounds and its own column.
void AddSizeBounds(PageDescription &page, int sizeRow, int sizeClass) {
    const int u = page.unit;
    const int diameterY = At(u, sizeRow + 1, 1, 2);
    const int areaY = At(u, sizeRow + 3);
    const int raisedY = areaY - u / 4;
    const int boundsX = At(u, 20);
    AddText(page, At(u, 12, -1, 10), diameterY, "口径");
    AddText(page, At(u, 12, -1, 10), areaY, "断面積");
    const int bracketY = At(u, sizeRow + 1, 3, 5);
    AddText(page, At(u, 11), bracketY, "(", kLabelBlack, ReportFont::Bracket);
    if (sizeClass == SizeMedium) {
        AddText(page, At(u, 17, 1, 2), diameterY, "0.6m以上 0.9m未満");
        AddText(page, At(u, 17, 1, 2), areaY, "0.28m  以上 0.64m  未満");
        AddText(page, At(u, 20), raisedY, "2");
        AddText(page, At(u, 26, -3, 5), raisedY, "2");
        AddText(page, At(u, 28, 1, 2), bracketY, ")", kLabelBlack, ReportFont::Bracket);
        return;
    }
    const bool small = sizeClass == SizeSmall;
    AddText(page, boundsX, diameterY, small ? "0.6m未満" : "0.9m以上");
    AddText(page, boundsX, areaY, small ? "0.28m  未満" : "0.64m  以上");
    AddText(page, At(u, 23, -1, 2), raisedY, "2");
    AddText(page, At(u, 25, 1, 2), bracketY, ")", kLabelBlack, ReportFont::Bracket);
}

} // namespace

PageDescription DescribeLowOutletReport(OutletCase report, const Report &from, int u) {
    const OutletInputs &in = from.inputs;
    const bool caseB = report == CaseB;
    PageDescription page{u, {}};
    AddReportHeader(page, report, from, CasePageHeading(report));
    const int labelX = At(u, 8);
    const int valueX = At(u, 20);
    int row = 26;
    AddText(page, labelX, At(u, row), PrintLabelOf(Field::OutletHeight));
    AddText(page, valueX, At(u, row), TypedValue(in.outletHeightText, in.outletHeight) + " m");
    if (caseB) {
        row += 2;
        AddText(page, labelX, At(u, row), PrintLabelOf(Field::BuildingHeight));
        AddText(page, valueX, At(u, row),
                TypedValue(in.buildingHeightText, in.buildingHeight) + " m");
    }
    row += 2;
    AddText(page, labelX, At(u, row), PrintLabelOf(Field::No1Standard));
    AddText(page, valueX, At(u, row), TypedValue(in.no1Text, in.no1Index));
    row += 2;
    AddText(page, labelX, At(u, row), PrintLabelOf(Field::SizeClass));
    AddText(page, valueX, At(u, row), SizeWord(in.sizeClass));
    AddSizeBounds(page, row, in.sizeClass);

    const int no2 = RoundShown(from.results.low.no2Index);
    const int no1 = RoundShown(in.no1Index);
    const int dilution = RoundShown(from.results.low.dilution);
    AddText(page, At(u, 33), At(u, 28), "２号基準：臭気指数");
    AddText(page, At(u, caseB ? 46 : 44), At(u, 28), Format("%d", no2), kResultBlue);
    char makeUp[160];
    std::snprintf(makeUp, sizeof makeUp, "（ ＝ １号基準(%d) + 希釈度(%d) ）", no1, dilution);
    AddText(page, At(u, 37), At(u, 30, -1, 2), makeUp);
    AddPicture(page, PictureSource::Resource, IDB_LOW_FIGURE, At(u, 32), At(u, 35), At(u, 10),
               u * 10 * 183 / 180);
    AddText(page, At(u, 42, 1, 2), At(u, 39), Format("２号基準：臭気指数 %d", no2));
    AddText(page, At(u, 42, 1, 2), At(u, 41, -1, 4), Format("希釈度： %d", dilution));
    AddText(page, At(u, 42, 1, 2), At(u, 42, 1, 2), Format("１号基準：臭気指数 %d", no1));
    // The verdict between the standard's make-up and the figure.
    AddVerdictBlock(page, At(u, 33), At(u, 31), from, false);
    AddReportFooter(page, report, from);
    AddReportFrame(page, report);
    return page;
}
