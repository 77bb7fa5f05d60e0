#include "screens/tall_outlet_run.h"

#include "app/current_outlet.h"
#include "app/platform_hooks.h"
#include "app/shown_map.h"
#include "model/outlet_inputs.h"
#include "model/smell_params.h"
#include "model/tall_calculation.h"

namespace {

const char kErrorCaption[] = "エラー";
const char kFlowGuardMessage[] =
    "排出ガスの流量または吐出速度から計算できません。入力値を確認してください。";
const char kOutOfMemoryMessage[] = "メモリが不足しているため計算できませんでした。";

// The map of the new result in gMapImage; false when its memory was refused.
bool BuildMap() {
    gMapImage = ScreenMapPicture(gOutletInputs, gOutletResults.tall);
    return !gMapImage.empty();
}

} // namespace

bool RunTallOutletOnScreen(HWND screen, OutletCase tallCase) {
    const OutletInputs &in = gOutletInputs;
    TallOutletResult &result = gOutletResults.tall;
    ComputeStatus status = CalculateTallOutlet(in, tallCase, gScreenGrid, &result);
    if (status == ComputeStatus::Ok) {
        // The computation read smell.prm just now; read again, it gives the same constants.
        SmellParams params;
        SetDefaultSmellParams(params);
        ReadSmellParams(params);
        gOutletResults.tallConstantsChanged = ChangedSmellParams(params);
        gMapSettings = DefaultMapSettings(in.tall, result, gScreenGrid.Cells());
        if (!BuildMap()) {
            status = ComputeStatus::OutOfMemory;
            result = kNoTallResult;
        }
    }
    if (status == ComputeStatus::Ok)
        return true;
    // A blank map, so the screen shows no picture of an old run.
    BlankScreenMap(in, result);
    gMessageBox(screen,
                status == ComputeStatus::FlowGuard ? kFlowGuardMessage : kOutOfMemoryMessage,
                kErrorCaption, MB_OK | MB_ICONERROR | MB_TOPMOST);
    return false;
}
