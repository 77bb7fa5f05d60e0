// What one keystroke in the map-adjustment dialog costs, measured in this process under the
// program's own loop: the example outlet computed on the case D screen, the dialog opened,
// then a window size typed into its field again and again, each time with the screen
// painted at once. Every keystroke changes the value, so each one runs the field check, the
// map field, the colouring and marks, the resampling, the screen bitmap and the labels.
//
//   kamorte_redraw_timing [COUNT]     medians over COUNT keystrokes (100), milliseconds
//
// The reference, timed in the same run, is putting the finished map image on the screen
// alone: the part of every redraw that does not depend on the window.
#include "app/platform_hooks.h"
#include "app/current_outlet.h"
#include "app/shell.h"
#include "app/shell_loop.h"
#include "app/shown_map.h"
#include "help/help_topics.h"
#include "print/win/register_print_command.h"
#include "map/map_raster.h"
#include "map/screen_image.h"
#include "map/win/map_display.h"
#include "resources/resource.h"
#include "screens/screen_table.h"
#include "screens/tall_outlet_results.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int gBoxes = 0;
int gMissedKeystrokes = 0;

int CountBox(HWND, const char *text, const char *, UINT) {
    std::printf("unexpected message: %s\n", text);
    ++gBoxes;
    return IDOK;
}

void Pump() {
    int idle = 0;
    for (int pass = 0; pass < 100000 && idle < 2; ++pass)
        idle = RunShellPass() == ShellPass::Idle ? idle + 1 : 0;
}

HWND Screen() {
    return gShell.screenWindows[gShell.currentScreen];
}

void Type(HWND window, int id, const char *text) {
    SetWindowTextA(GetDlgItem(window, id), text);
    Pump();
}

void Command(int id) {
    SendMessageA(Screen(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Screen(), id)));
    Pump();
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Processor time of the whole process, every thread, in milliseconds: on a busy machine the
// wall-clock times above include waiting for a core, this does not.
double ProcessorMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME &t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool ComputeExample() {
    Type(Screen(), IDC_OUTLET_HEIGHT, "30");
    Type(Screen(), IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    if (gShell.currentScreen != CaseD)
        return false;
    for (int radio : {IDC_TALL_DIAMETER_RADIO, IDC_TALL_UPWARD, IDC_TALL_DRY_RADIO}) {
        SendMessageA(GetDlgItem(Screen(), radio), BM_CLICK, 0, 0);
        Pump();
    }
    const std::pair<int, const char *> fields[] = {
        {IDC_NO1_STANDARD, "12"},          {IDC_TALL_DIAMETER, "1"},
        {IDC_TALL_TEMPERATURE, "80"},      {IDC_TALL_DRY_FLOW, "300"},
        {IDC_TALL_MOISTURE, "10"},         {IDC_TALL_OUTLET_BOUNDARY, "50"},
        {IDC_TALL_BUILDING_BOUNDARY, "20"}};
    for (const auto &f : fields)
        Type(Screen(), f.first, f.second);
    Command(IDC_CALCULATE);
    return HasResult(gOutletResults.tall);
}

// Keystrokes into the range field that alternate between two ranges, at the given height.
std::vector<double> TimeKeystrokes(HWND dialog, int height, int rangeA, int rangeB, int count) {
    Type(dialog, IDC_MAP_DISPLAY_HEIGHT, std::to_string(height).c_str());
    std::vector<double> times;
    const double processorStart = ProcessorMilliseconds();
    for (int i = 0; i < count; ++i) {
        const std::string range = std::to_string(i % 2 ? rangeA : rangeB);
        const double start = Now();
        SetWindowTextA(GetDlgItem(dialog, IDC_MAP_DOWNWIND_RANGE), range.c_str());
        UpdateWindow(Screen());
        times.push_back(Now() - start);
        if (gMapSettings.downwindRange != std::atoi(range.c_str())) {
            std::printf("the range %s was not taken\n", range.c_str());
            ++gMissedKeystrokes;
        }
        Pump();
    }
    std::printf("  processor time per keystroke at %d x %d: %.2f ms\n", rangeA, height,
                (ProcessorMilliseconds() - processorStart) / count);
    return times;
}

std::vector<double> TimeReference(int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double start = Now();
        ShowMapImage(Screen(), IDC_MAP, gShownMapGeometry.width,
                     gShownMapGeometry.height + gShownMapGeometry.stripRows, gMapImage);
        UpdateWindow(Screen());
        times.push_back(Now() - start);
        Pump();
    }
    return times;
}

// The steps of one redraw one by one, for where the time goes.
void TimeSteps(int range, int height, int count) {
    gMapSettings.downwindRange = range;
    gMapSettings.displayHeight = height;
    std::vector<double> field, colour, resample, bitmap, paint, results;
    for (int i = 0; i < count; ++i) {
        double t0 = Now();
        const MapField mapField =
            BuildMapField(gScreenGrid.Cells(), range, height, kMapWidth, kMapHeight);
        double t1 = Now();
        PaintMapArea(gMapImage, kMapWidth, kMapHeight, mapField, gMapSettings, MapStyle::Screen);
        DrawMapMarks(kScreenMarks, kMapWidth, kMapHeight, gMapImage,
                     MapMarksOf(gMapSettings, gOutletInputs, gOutletResults.tall));
        double t2 = Now();
        const std::vector<unsigned char> shown =
            ResampleImage(kMapWidth, kMapImageRows, 3, gMapImage.data(), gMapImage.size(),
                          kMapWidth, kMapImageRows);
        double t3 = Now();
        ShowMapImage(Screen(), IDC_MAP, kMapWidth, kMapImageRows, gMapImage);
        double t4 = Now();
        UpdateWindow(Screen());
        double t5 = Now();
        ShowTallOutletResults(Screen());
        UpdateWindow(Screen());
        results.push_back(Now() - t5);
        field.push_back(t1 - t0);
        colour.push_back(t2 - t1);
        resample.push_back(t3 - t2);
        bitmap.push_back(t4 - t3 - (t3 - t2));
        paint.push_back(t5 - t4);
        Pump();
    }
    std::printf("steps at %d x %d: field %.2f, colour and marks %.2f, resampling %.2f, "
                "bitmap %.2f, paint %.2f ms; the screen's results with the map %.2f ms\n",
                range, height, Median(field), Median(colour), Median(resample), Median(bitmap),
                Median(paint), Median(results));
}

} // namespace

int main(int argc, char **argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    gMessageBox = CountBox;
    SetProgramParts(
        {kScreenTemplates, InitHelpTopics, OpenHelpTopicOfMenuCommand, RunRegisterPrintCommand});
    StartShell(GetModuleHandleA(nullptr));
    Pump();
    if (!ComputeExample()) {
        std::printf("the example outlet was not computed on the case D screen\n");
        return 1;
    }
    Command(IDC_MAP_ADJUST);
    HWND dialog = gShell.mapAdjustWindow;
    if (dialog == nullptr) {
        std::printf("the map-adjustment dialog did not open\n");
        return 1;
    }
    const std::vector<double> reference = TimeReference(count);
    const std::vector<double> full = TimeKeystrokes(dialog, 800, 10000, 9999, count);
    const std::vector<double> small = TimeKeystrokes(dialog, 50, 100, 99, count);
    const double ref = Median(reference);
    std::printf("reference, the map image of %d x %d shown alone: median %.2f ms (n=%d)\n",
                gShownMapGeometry.width, gShownMapGeometry.height + gShownMapGeometry.stripRows,
                ref, count);
    for (const auto &row :
         {std::make_pair("10000 x 800", &full), std::make_pair("100 x 50", &small)})
        std::printf("keystroke, window %s: median %.2f ms, max %.2f ms, %.1f x reference\n",
                    row.first, Median(*row.second),
                    *std::max_element(row.second->begin(), row.second->end()),
                    Median(*row.second) / ref);
    // The steps are timed on the picture of 96 dpi.
    if (std::getenv("KAMORTE_REDRAW_STEPS") != nullptr && gShownMapGeometry.width == kMapWidth) {
        TimeSteps(10000, 800, count);
        TimeSteps(100, 50, count);
    }
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    Pump();
    return gBoxes == 0 && gMissedKeystrokes == 0 ? 0 : 1;
}
