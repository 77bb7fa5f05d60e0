#pragma once
#include "model/outlet_case.h"

#include <string>
#include <vector>

enum class Field; // model/field_table.h

// The verdict on a measured index in the words every front uses, code page 932: the
// command line's report, the batch's column and the case screens say it alike.

// "適合" or "不適合".
const char *ComplianceWord(bool complies);

// The word and the margin in index units to one decimal: "適合（余裕 4.8）",
// "不適合（超過 3.2）". A margin that is not a number (no limit) gives the word alone.
std::string VerdictText(bool complies, double margin);

// The reduction needed as it is shown, the whole percent rounded up: "必要な低減率 53 %".
std::string ReductionText(double reduction);

// The answer of the complying-height scan that started at fromText: the lowest height that
// complies, or none up to the highest height of the scan (400 m).
std::string ComplyingHeightText(const std::string &fromText, const std::string &heightText);
std::string NoComplyingHeightText(const std::string &fromText);
// Where the scan reached a case whose inputs the screen does not hold: "ケースＤの入力
// （排出口の口径、排出口の向き、排出ガス温度）が必要です。"
std::string MissingInputsText(OutletCase outletCase, const std::vector<Field> &missing);
