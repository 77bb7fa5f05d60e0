#include "tests/win/shell_fixture.h"

#include "app/pictures.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Every picture a window shows, with its size at 100 %.
struct Picture {
    int id;
    int width;
    int height;
};

const Picture kPictures[] = {
    {IDB_DIRECTION, 429, 122},
    {IDB_REAL_HEIGHT, 236, 194},
    {IDB_ABOUT, 160, 50},
    {IDB_COLOUR_BAR, 25, 90},
    {IDB_START_FIGURE, 500, 260},
    {IDB_LAYOUT_OUTLET_NEAR, 150, 100},
    {IDB_LAYOUT_BUILDING_NEAR, 150, 100},
    {IDB_LOW_FIGURE, 183, 180},
    {IDB_SIZE_CLASSES, 385, 108},
    {IDB_READOUT_ARROW, 11, 16},
    {IDB_HELP_STANDARDS, 604, 285},
    {IDB_HELP_VELOCITY, 247, 137},
    {IDB_HELP_DILUTION, 465, 153},
    {IDB_HELP_DOWNDRAFT, 349, 218},
    {IDB_HELP_SIZE, 296, 116},
    {IDB_HELP_BUILDING, 635, 272},
};

// A window's dpi and the drawn picture it must get as it is; negative, the larger drawn one it
// must get averaged from, not picked; 0 where it gets one scaled.
struct Scale {
    int dpi;
    int drawnPercent;
};

const Scale kScales[] = {{96, 100}, {120, 125}, {144, 150}, {168, -200}, {192, 200}, {240, 0}};

// The pixels as 32-bit rows, whatever the bitmap's own format.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, size.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

// The picture drawn for a scale, in percent.
std::vector<DWORD> DrawnPixels(int picture, int percent) {
    const int id = percent == 100 ? picture : IDB_AT_SCALE(picture, percent);
    auto bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_NE(bitmap, nullptr) << "no bitmap " << id;
    std::vector<DWORD> pixels = bitmap != nullptr ? Pixels(bitmap) : std::vector<DWORD>{};
    DeleteObject(bitmap);
    return pixels;
}

SIZE ShownSize(HWND control) {
    BITMAP size{};
    GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof size, &size);
    return {size.bmWidth, size.bmHeight};
}

} // namespace

TEST(Pictures, EveryPictureIsItsSizeAtEveryScaleAndTheDrawnOneWhereThereIsOne) {
    for (const Picture &picture : kPictures) {
        for (const Scale &scale : kScales) {
            HBITMAP bitmap = LoadPictureForDpi(picture.id, scale.dpi);
            ASSERT_NE(bitmap, nullptr) << picture.id << " at " << scale.dpi;
            BITMAP size{};
            GetObjectA(bitmap, sizeof size, &size);
            // Rounded to the nearest pixel, halves up.
            EXPECT_EQ(size.bmWidth, (picture.width * scale.dpi + 48) / 96)
                << picture.id << " at " << scale.dpi;
            EXPECT_EQ(size.bmHeight, (picture.height * scale.dpi + 48) / 96)
                << picture.id << " at " << scale.dpi;
            // Averaged, the edges take shades between the drawn colours; picked, they keep them.
            if (const int from = std::abs(scale.drawnPercent)) {
                const std::vector<DWORD> shown = Pixels(bitmap);
                const std::vector<DWORD> drawn = DrawnPixels(picture.id, from);
                const std::set<DWORD> colours(drawn.begin(), drawn.end());
                const auto isNew = [&](DWORD pixel) { return colours.count(pixel) == 0; };
                EXPECT_TRUE(scale.drawnPercent > 0 ? shown == drawn
                                                   : std::any_of(shown.begin(), shown.end(), isNew))
                    << picture.id << " at " << scale.dpi;
            }
            DeleteObject(bitmap);
        }
    }
}

class PicturesOnScreenTest : public ShellTest {};

TEST_F(PicturesOnScreenTest, AScreenTakesItsPicturesAgainForADpiAndFreesTheOldOnes) {
    Command(IDC_RESET);
    Type(IDC_OUTLET_HEIGHT, "30");
    Type(IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    HWND map = Item(IDC_MAP);
    auto mapBitmap = reinterpret_cast<HBITMAP>(SendMessageA(map, STM_GETIMAGE, IMAGE_BITMAP, 0));
    const SIZE mapSize = ShownSize(map);
    auto layout = reinterpret_cast<HBITMAP>(
        SendMessageA(Item(IDC_LAYOUT_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    auto bar = reinterpret_cast<HBITMAP>(
        SendMessageA(Item(IDB_COLOUR_BAR), STM_GETIMAGE, IMAGE_BITMAP, 0));

    // 175 %: a scale no test display runs at, so every picture is taken again.
    ShowPicturesForDpi(Screen(), 168);
    EXPECT_EQ(ShownSize(Item(IDC_LAYOUT_PICTURE)).cx, 263);
    EXPECT_EQ(ShownSize(Item(IDB_COLOUR_BAR)).cy, 158);
    EXPECT_EQ(ShownSize(Item(IDB_READOUT_ARROW)).cx, 19);
    // The pictures replaced are gone; the map is not a picture of the resources.
    BITMAP gone;
    EXPECT_EQ(GetObjectA(layout, sizeof gone, &gone), 0);
    EXPECT_EQ(GetObjectA(bar, sizeof gone, &gone), 0);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(map, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              mapBitmap);
    EXPECT_EQ(ShownSize(map).cx, mapSize.cx);

    ShowPicturesForDpi(Screen(), 96);
    EXPECT_EQ(ShownSize(Item(IDC_LAYOUT_PICTURE)).cx, 150);
    EXPECT_EQ(ShownSize(Item(IDB_COLOUR_BAR)).cy, 90);
    auto at96 = reinterpret_cast<HBITMAP>(
        SendMessageA(Item(IDC_LAYOUT_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    Command(IDC_BACK_TO_MENU);
    EXPECT_EQ(GetObjectA(at96, sizeof gone, &gone), 0) << "the closed screen's picture is kept";
}
