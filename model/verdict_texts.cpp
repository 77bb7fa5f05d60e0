#include "model/verdict_texts.h"

#include "model/field_table.h"
#include "model/verdict.h"
#include "text/format.h"

#include <cmath>

const char *ComplianceWord(bool complies) {
    return complies ? "適合" : "不適合";
}

std::string VerdictText(bool complies, double margin) {
    std::string text = ComplianceWord(complies);
    if (!std::isfinite(margin))
        return text;
    // One decimal in index units; a tenth lost to rounding must not read as a margin.
    return text + (margin >= 0 ? Format("（余裕 %.1f）", std::floor(margin * 10) / 10)
                               : Format("（超過 %.1f）", std::ceil(-margin * 10) / 10));
}

std::string ReductionText(double reduction) {
    return Format("必要な低減率 %d %%", ShownReductionPercent(reduction));
}

std::string ComplyingHeightText(const std::string &fromText, const std::string &heightText) {
    // The standard is not monotone in the height: the lowest found, never a bound.
    return "排出口の実高さ " + heightText + " m で適合します（" + fromText +
           " m から 0.1 m ごとに調べた最も低い高さ）。";
}

std::string NoComplyingHeightText(const std::string &fromText) {
    return "排出口の実高さ " + fromText +
           " m から 400 m まで 0.1 m ごとに調べましたが、適合する高さはありません。";
}

std::string MissingInputsText(OutletCase outletCase, const std::vector<Field> &missing) {
    const char *letters[] = {"Ａ", "Ｂ", "Ｃ", "Ｄ"};
    std::string names;
    for (Field field : missing)
        names += (names.empty() ? "" : "、") + std::string(FieldRowOf(field).labels[0]);
    const int letter = outletCase >= CaseA && outletCase <= CaseD ? outletCase - CaseA : 0;
    return std::string("ケース") + letters[letter] + "の入力（" + names + "）が必要です。";
}
