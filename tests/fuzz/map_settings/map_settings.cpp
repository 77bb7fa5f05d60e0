// The map adjustment's four field texts, typed (quiet checks) and confirmed with OK (strict
// checks), over the grid of a computed outlet; then the map as the dialog redraws it (field,
// colours, marks), its grey print form and the BMP file, for whatever settings were stored.
// Input: one byte choosing the outlet, then the texts separated by newlines in the order
// range, height, red limit, white limit, then the two boundary distances for the marks.
#include "tests/fuzz/fuzz_support.h"

#include "calc/calc_request.h"
#include "map/bmp_file.h"
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/input_checks.h"
#include "model/map_settings.h"
#include "model/map_adjust_form.h"
#include "text/text_helpers.h"

#include <cstdio>
#include <cstring>

namespace {

struct Computed {
    OutletInputs in;
    TallOutletResult result;
    MapSettings settings;
};

// One grid for both outlets, as a loop over many outlets keeps it: the last run fills it,
// and the outlets differ only in what the marks are drawn from.
DilutionGrid gGrid;

const Computed &Outlet(int which) {
    static Computed outlets[2];
    static bool ready = false;
    if (!ready) {
        OutletOptions downwashed = ExampleOutlet();
        downwashed["building"] = "18";
        downwashed["height"] = "28";
        const OutletOptions options[2] = {ExampleOutlet(), downwashed};
        for (int i = 0; i < 2; ++i) {
            OutletCase outletCase;
            FUZZ_CHECK(PrepareOutlet(options[i], outlets[i].in, &outletCase).status == kComputed);
            ComputeStatus status;
            OutletResults results;
            ComputeOutcome(outlets[i].in, outletCase, gGrid, results, &status);
            FUZZ_CHECK(status == ComputeStatus::Ok);
            outlets[i].result = results.tall;
            outlets[i].settings =
                DefaultMapSettings(outlets[i].in.tall, results.tall, gGrid.Cells());
        }
        ready = true;
    }
    return outlets[which];
}

// A distance as the tall form would accept it, or not given.
void ReadDistance(TallField field, const std::string &text, OutletInputs &in) {
    const FieldReading r = ReadTallField(field, text.c_str(), true);
    if (!r.valid)
        return;
    in.tall.*TallRule(field).value = r.value;
    CopyText(in.*TallRule(field).text, kTextSize, r.acceptedText.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 2048)
        return 0;
    const Computed &outlet = Outlet(data[0] & 1);
    const std::vector<std::string> texts = SplitInput(data + 1, size - 1, '\n', 6);
    OutletInputs in = outlet.in;
    ReadDistance(TallField::OutletToBoundary, texts[4], in);
    ReadDistance(TallField::BuildingToBoundary, texts[5], in);
    TallOutletResult result = outlet.result;
    if (data[0] & 2)
        result.landingRow = -1; // a map kept after its result was withdrawn

    MapSettings settings = outlet.settings;
    for (size_t i = 0; i < kMapAdjustFieldCount; ++i)
        CheckMapAdjustField(static_cast<MapAdjustField>(i), texts[i].c_str(), MapCheckMode::Quiet,
                            settings);
    MapFormTexts form;
    for (size_t i = 0; i < kMapAdjustFieldCount; ++i)
        form.texts[i] = texts[i];
    const MapVerdict verdict = ValidateMapAdjustForm(form, settings);
    if (verdict.verdict == Verdict::Refuse)
        FUZZ_CHECK(verdict.message != nullptr);
    // Typing may leave the red limit above the white one for a moment (the map then shows
    // an upside-down ramp); OK never closes the dialog on such a pair.
    if (verdict.verdict == Verdict::Proceed)
        FUZZ_CHECK(settings.whiteLimit > settings.redLimit);
    // Whatever was stored stays within what the dialog accepts.
    FUZZ_CHECK(settings.downwindRange >= kMinDownwindRange &&
               settings.downwindRange <= kMaxDownwindRange);
    FUZZ_CHECK(settings.displayHeight >= kMinDisplayHeight &&
               settings.displayHeight <= kMaxDisplayHeight);

    const MapMarks marks = MapMarksOf(settings, in, result);
    const MapField field = BuildMapField(gGrid.Cells(), settings.downwindRange,
                                         settings.displayHeight, kMapWidth, kMapHeight);
    FUZZ_CHECK(field.size() == static_cast<size_t>(kMapWidth) * kMapHeight);
    for (double v : field)
        FUZZ_CHECK(v == v);
    const std::vector<unsigned char> colour =
        RenderMap(gGrid.Cells(), settings, marks, MapStyle::Screen, kMapWidth, kMapHeight);
    FUZZ_CHECK(!colour.empty());
    const std::vector<unsigned char> grey =
        RenderMap(gGrid.Cells(), settings, marks, MapStyle::Grey, kMapWidth, kMapHeight);
    FUZZ_CHECK(!grey.empty());
    double boundary;
    MapBoundaryMarker(marks, &boundary);
    const unsigned char *pixels = (data[0] & 4) ? grey.data() : colour.data();
    CountComputed();
    FUZZ_CHECK(WriteBmpFile(kMapWidth, kMapImageRows, 3, data[0] >> 7, pixels, "/dev/null") == 0);
    return 0;
}
