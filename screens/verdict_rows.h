#pragma once
#include "model/outlet_case.h"

#include <windows.h>

// The verdict rows of the four case screens: the measured index (1301), its verdict against
// the shown standard (1302), the measured emission rate of cases C and D (1303 with its
// raised power 1307), the reduction needed (1304) and the search for the lowest complying
// height (button 1305, answer 1306) on a worker thread.
//
// The measured index is no input of the standard: editing it judges again at once and
// never withdraws the result; editing any other input withdraws the verdict with it.

// At creation and after リセット: the record's measured index into 1301, the rows from the
// record.
void FillVerdictRows(HWND screen, OutletCase outletCase);
// After the result was shown or withdrawn, or the measured index changed: the rows as the
// record stands. A verdict that changed ends a search and empties its answer.
void ShowVerdictRows(HWND screen, OutletCase outletCase);
// A notification of 1301: a valid text is accepted into the record, any other empties it.
void MeasuredIndexEdited(HWND screen, OutletCase outletCase, int notification);
// At 計算する, after the screen's own fields passed: false, after the parameter-error box,
// when 1301 holds a text that is not a valid value (an empty field is no fault).
bool CheckMeasuredIndex(HWND screen, UINT modality);

// 1305: starts the search, or cancels the one running.
void OnSolveHeight(HWND screen, OutletCase outletCase);
// Ends a running search without an answer: any edit, 計算する, リセット, メニューに戻る,
// the exit question and the screen's end.
void CancelHeightSearch(HWND screen);
// The worker's done message: the answer into 1306.
void HeightSearchDone(HWND screen, WPARAM serial);
