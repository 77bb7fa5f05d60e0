#include "calc/batch_layout.h"

#include "calc/batch_columns.h"
#include "model/quantise.h"
#include "text/format.h"

#include <cmath>
#include <cstdlib>

namespace {

const OutcomeField *Find(const Outcome &outcome, const char *key) {
    for (const OutcomeField &f : outcome)
        if (f.key == key)
            return &f;
    return nullptr;
}

std::string TextOf(const Outcome &outcome, const char *key) {
    const OutcomeField *f = Find(outcome, key);
    return f != nullptr && f->kind != OutcomeField::Null ? f->text : std::string();
}

// A whole number the screens show for the value, empty when there is none.
std::string Shown(const Outcome &outcome, const char *key) {
    const OutcomeField *f = Find(outcome, key);
    if (f == nullptr || f->kind != OutcomeField::Number)
        return "";
    return std::to_string(RoundShown(f->number));
}

// The full value: "%.17g" reads back to the same double, so that no rounding of the
// standard passes a measurement that does not comply.
std::string Full(double v) {
    return std::isfinite(v) ? Format("%.17g", v) : std::string();
}

// One decimal in index units, as the verdict line shows it: a tenth lost to rounding never
// reads as a margin, nor a tenth gained as an excess.
std::string MarginText(double m) {
    if (!std::isfinite(m))
        return "";
    return m >= 0 ? Format("%g", std::floor(m * 10) / 10) : Format("%g", -std::ceil(-m * 10) / 10);
}

} // namespace

const std::vector<std::string> &ResultHeadings() {
    static const std::vector<std::string> headings = {"ケース",
                                                      "２号基準",
                                                      "２号基準（表示）",
                                                      "種別",
                                                      "排出口における許容臭気指数",
                                                      "希釈度",
                                                      "判定",
                                                      "余裕",
                                                      "必要な低減率",
                                                      "注記",
                                                      "入力の誤り"};
    return headings;
}

bool IsResultHeading(const std::string &heading) {
    const std::string typed = NormalisedHeading(heading);
    for (const std::string &h : ResultHeadings())
        if (typed == NormalisedHeading(h))
            return true;
    return false;
}

std::string RaisedUnit(const std::string &utf8) {
    std::string text = utf8;
    const size_t at = text.find("m3N/min");
    if (at != std::string::npos)
        text.replace(at, 2, "m\xC2\xB3");
    return text;
}

std::vector<std::string> ResultCells(const Outcome &outcome, const RowVerdict &row,
                                     const std::string &note, const std::string &error) {
    std::vector<std::string> cells(ResultHeadings().size());
    cells[9] = note;
    cells[10] = error;
    if (outcome.empty())
        return cells;
    const std::string outletCase = TextOf(outcome, "case");
    cells[0] = outletCase;
    if (outletCase == "A" || outletCase == "B") {
        // The shown whole index is the legal standard.
        cells[1] = cells[2] = Shown(outcome, "no2Index");
        cells[3] = "臭気指数";
        cells[5] = Shown(outcome, "dilution");
    } else {
        const std::string mantissa = TextOf(outcome, "rateMantissaText");
        const std::string exponent = TextOf(outcome, "rateExponentText");
        cells[1] = Full(row.standard.allowableEmissionRate);
        cells[2] = exponent.empty() ? mantissa : mantissa + "^" + exponent;
        cells[3] = "臭気排出強度（m3N/min）";
        cells[4] = Shown(outcome, "allowableOutletIndex");
        cells[5] = Shown(outcome, "dilutionDegree");
    }
    if (row.judged) {
        cells[6] = TextOf(outcome, "complies");
        cells[7] = MarginText(row.verdict.margin);
        cells[8] =
            std::to_string(ShownReductionPercent(ReductionNeeded(row.standard, row.verdict))) + "%";
    }
    return cells;
}

SheetRow ResultSheetCells(const std::vector<std::string> &cells, const TextConverter &toUtf8) {
    SheetRow row;
    const bool rate = cells[0] == "C" || cells[0] == "D";
    for (size_t k = 0; k < cells.size(); ++k) {
        const std::string &cell = cells[k];
        SheetCell::Shown shown = SheetCell::General;
        switch (k) {
        case 1: shown = rate ? SheetCell::TwoFigures : SheetCell::Whole; break;
        case 4:
        case 5: shown = SheetCell::Whole; break;
        case 7: shown = SheetCell::Tenths; break;
        case 8: shown = SheetCell::Percent; break;
        }
        if (cell.empty())
            row.emplace_back();
        else if (shown == SheetCell::Percent)
            row.push_back(NumberCell(std::strtod(cell.c_str(), nullptr) / 100, shown));
        else if (shown != SheetCell::General)
            row.push_back(NumberCell(std::strtod(cell.c_str(), nullptr), shown));
        else
            row.push_back(TextCell(k == kKindColumn ? RaisedUnit(toUtf8(cell)) : toUtf8(cell)));
    }
    return row;
}
