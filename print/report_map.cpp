#include "print/report_rules.h"

#include "resources/resource.h"
#include "model/quantise.h"
#include "text/format.h"

#include <cstdio>

namespace {

std::string WithoutBlanks(const std::string &text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string DistanceLabel(int range) {
    if (range >= 10000)
        return Format("風下距離%dm", range);
    if (range >= 1000)
        return Format("風下距離 %dm", range);
    return Format("風下距離 %d m", range);
}

} // namespace

void AddReportMap(PageDescription &page, int y0, const Report &from) {
    const int u = page.unit;
    const MapSettings &map = from.map;
    const TallOutletInputs &tall = from.inputs.tall;
    AddText(page, At(u, 41), At(u, y0, -1, 4), "希釈度マップ");

    const int pictureTop = At(u, y0 + 1);
    const int pictureHeight = ScaledUnit(10.6f, u);
    AddPicture(page, PictureSource::MapFile, 0, At(u, 34), pictureTop, At(u, 20), pictureHeight);
    // The frame stands one device unit outside the picture all round.
    const int left = At(u, 34) - 1;
    const int right = At(u, 54) + 1;
    const int top = pictureTop - 1;
    const int bottom = pictureTop + pictureHeight + 1;
    AddLine(page, left, top, right, top);
    AddLine(page, right, top, right, bottom);
    AddLine(page, right, bottom, left, bottom);
    AddLine(page, left, bottom, left, top);

    const bool outletNearer = tall.buildingToBoundary >= tall.outletToBoundary;
    AddPicture(page, PictureSource::Resource,
               outletNearer ? IDB_LAYOUT_OUTLET_NEAR : IDB_LAYOUT_BUILDING_NEAR, At(u, 26, -1, 5),
               At(u, y0 + 5, 2, 3), At(u, 8), static_cast<int>(u * 8.0 * 118.0 / 177.0));
    AddPicture(page, PictureSource::Resource, from.colour ? IDB_COLOUR_BAR : IDB_GREY_BAR,
               At(u, 28, 1, 2), At(u, y0 + 1, 1, 2), u,
               static_cast<int>(static_cast<float>(u) * 90.0f / 25.0f));

    AddText(page, At(u, 27), At(u, y0), "希釈度");
    const int white = RoundShown(map.whiteLimit);
    if (white < 100)
        AddText(page, At(u, 26, 1, 2) + u / 5, At(u, y0 + 1, 1, 3), Format("%4d", white));
    else
        AddText(page, At(u, 26, 1, 2), At(u, y0 + 1, 1, 3), Format("%4d", white));
    const int red = RoundShown(map.redLimit);
    if (red < 100)
        AddText(page, At(u, 26, 1, 2) + u / 5, At(u, y0 + 4, 1, 5), Format("%4d", red));
    else
        AddText(page, At(u, 26), At(u, y0 + 4, 1, 2) + u / 5, Format("%4d", red));
    AddText(page, At(u, 32), At(u, y0), "高さ");
    AddText(page, At(u, 32, -1, 3), At(u, y0 + 1),
            Format(map.displayHeight < 10 ? "%3d m" : "%3dm", map.displayHeight));
    AddText(page, map.downwindRange < 100 ? At(u, 47, 1, 2) : At(u, 47), At(u, y0 + 12),
            DistanceLabel(map.downwindRange));

    const int boundaryY = At(u, y0 + 14);
    AddText(page, At(u, 34), boundaryY, "敷地境界");
    AddText(page, At(u, 38), boundaryY, "▲", kMarkerGrey);
    if (from.shown.boundary.empty()) {
        AddText(page, At(u, 39), boundaryY, "： 未設定");
    } else {
        AddText(page, At(u, 39), boundaryY, "： 風下距離");
        AddText(page, At(u, 44, 1, 3), boundaryY, from.shown.boundary + "m", kResultBlue);
    }

    const int landingY = At(u, y0 + 15);
    AddText(page, At(u, 32), landingY, "最大着地地点");
    if (from.colour)
        AddText(page, At(u, 38), landingY, "▼", kResultBlue);
    else
        AddText(page, At(u, 38), landingY, "▽");
    AddText(page, At(u, 39), landingY, "： 風下距離");
    AddText(page, At(u, 44, 1, 3), landingY, WithoutBlanks(from.shown.landingDistance) + "m",
            kResultBlue);
    AddText(page, At(u, 48), landingY, "希釈度");
    AddText(page, At(u, 51, 1, 3), landingY, Format("%d", RoundShown(from.landingDilution)),
            kResultBlue);
}
