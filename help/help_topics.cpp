#include "help/help_topics.h"

#include "help/calculator_dialog.h"
#include "help/help_dialog.h"
#include "app/dialog_fit.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

HWND gHelpWindows[kHelpTopicCount];
int gOpeningTopic = -1;

namespace {

struct HelpTopic {
    int command;
    int dialogTemplate;
    DLGPROC procedure;
};

// In menu order; above each row the caption of its template.
const HelpTopic kHelpTopics[kHelpTopicCount] = {
    // 0 「臭気指数規制」 とは
    {IDM_TOPIC_REGULATION, IDD_HELP_REGULATION, HelpDialogProc},
    // 1 「1号基準、2号基準」 とは
    {IDM_TOPIC_STANDARDS, IDD_HELP_STANDARDS, HelpDialogProc},
    // 2 「臭気指数（臭気濃度）」 とは
    {IDM_TOPIC_ODOR_INDEX, IDD_HELP_ODOR_INDEX, HelpDialogProc},
    // 3 「臭気排出強度（ＫＶＴ）」 とは
    {IDM_TOPIC_EMISSION_RATE, IDD_HELP_EMISSION_RATE, HelpDialogProc},
    // 4 「排出口の実高さ」 とは
    {IDM_TOPIC_REAL_HEIGHT, IDD_HELP_REAL_HEIGHT, HelpDialogProc},
    // 5 「排出口の大きさ、口径、断面積」 とは
    {IDM_TOPIC_SIZE, IDD_HELP_SIZE, HelpDialogProc},
    // 6 「排出ガス流量」 とは
    {IDM_TOPIC_FLOW, IDD_HELP_FLOW, CalculatorDialogProc},
    // 7 「排出ガス吐出速度」 とは
    {IDM_TOPIC_VELOCITY, IDD_HELP_VELOCITY, CalculatorDialogProc},
    // 8 「排出ガス温度」 とは
    {IDM_TOPIC_TEMPERATURE, IDD_HELP_TEMPERATURE, HelpDialogProc},
    // 9 「排出ガス水分量」 とは
    {IDM_TOPIC_MOISTURE, IDD_HELP_MOISTURE, HelpDialogProc},
    // 10 排出口の向き
    {IDM_TOPIC_DIRECTION, IDD_HELP_DIRECTION, HelpDialogProc},
    // 11 「周辺最大建物高さ」 とは
    {IDM_TOPIC_BUILDING_HEIGHT, IDD_HELP_BUILDING_HEIGHT, HelpDialogProc},
    // 12 「排出口と敷地境界との最短距離」 とは
    {IDM_TOPIC_OUTLET_DISTANCE, IDD_HELP_OUTLET_DISTANCE, HelpDialogProc},
    // 13 「周辺最大建物と敷地境界との最短距離」 とは
    {IDM_TOPIC_BUILDING_DISTANCE, IDD_HELP_BUILDING_DISTANCE, HelpDialogProc},
    // 14 「希釈度」 とは
    {IDM_TOPIC_DILUTION, IDD_HELP_DILUTION, HelpDialogProc},
    // 15 「有効発生源高さ」 とは
    {IDM_TOPIC_EFFECTIVE_HEIGHT, IDD_HELP_EFFECTIVE_HEIGHT, HelpDialogProc},
    // 16 「周辺建物による拡散影響（ダウンドラフト）」 とは
    {IDM_TOPIC_DOWNDRAFT, IDD_HELP_DOWNDRAFT, HelpDialogProc},
    // 17 排出口の臭気指数（測定値）と適合の判定
    {IDM_TOPIC_VERDICT, IDD_HELP_VERDICT, HelpDialogProc},
};

} // namespace

int HelpTopicIndex(int command) {
    for (int i = 0; i < kHelpTopicCount; ++i)
        if (kHelpTopics[i].command == command)
            return i;
    return -1;
}

bool OpenHelpTopicOfMenuCommand(int command) {
    const int topic = HelpTopicIndex(command);
    if (topic < 0)
        return false;
    gOpeningTopic = topic;
    OpenHelpTopic(topic);
    return true;
}

void InitHelpTopics() {
    for (HWND &window : gHelpWindows)
        window = nullptr;
    gOpeningTopic = -1;
}

void OpenHelpTopic(int index) {
    if (index < 0 || index >= kHelpTopicCount)
        return;
    if (gHelpWindows[index] != nullptr) {
        BringToFront(gHelpWindows[index]);
        return;
    }
    const HelpTopic &topic = kHelpTopics[index];
    gOpeningTopic = index;
    // No owner: a topic window stays open while the screens change, and the about box
    // does not disable it.
    HWND window = CreateFittedDialog(topic.dialogTemplate, nullptr, gShell.activeScreenWindow,
                                     topic.procedure, 0);
    if (window == nullptr)
        return; // the slot stays empty, so the next request tries again
    if (topic.procedure != HelpDialogProc)
        gHelpWindows[index] = window;
    ShowInTaskbar(window);
    ShowWindow(window, SW_SHOW);
}
