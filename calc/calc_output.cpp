#include "calc/calc_output.h"

#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/result_texts.h"
#include "model/small_outlet.h"
#include "model/tall_calculation.h"

#include <cmath>
#include <cstdio>

namespace {

const char *CaseName(OutletCase screen) {
    static const char *names[] = {"", "A", "B", "C", "D"};
    return names[screen];
}

OutcomeField Num(const char *key, double v) {
    if (!std::isfinite(v))
        return {OutcomeField::Null, key, 0, ""};
    return {OutcomeField::Number, key, v, ""};
}

OutcomeField Txt(const char *key, const std::string &text) {
    return {OutcomeField::Text, key, 0, text};
}

std::string NumberText(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

} // namespace

namespace {

Outcome LowOutcome(const OutletInputs &in, OutletCase screen, LowOutletResult &r) {
    Outcome out;
    out.push_back(Txt("case", CaseName(screen)));
    r = CalculateLowOutlet(in, screen);
    out.push_back(Num("no1Index", in.no1Index));
    out.push_back(Num("no2Index", r.no2Index));
    out.push_back(Num("dilution", r.dilution));
    return out;
}

// What the screens show of a tall result; landingDilution is the landing cell's value.
Outcome TallOutcome(const OutletInputs &in, const TallOutletResult &r, OutletCase screen,
                    double landingDilution, const MapSettings &map) {
    Outcome out;
    out.push_back(Txt("case", CaseName(screen)));
    const TallOutletInputs &t = in.tall;
    const TallResultTexts texts = FormatLandingResults(in, r, landingDilution);
    const bool landed = r.landingRow >= 0 && r.landingColumn >= 0;
    out.push_back(Num("no1Standard", t.no1Standard));
    out.push_back(Num("allowableOutletIndex", r.allowableOutletIndex));
    out.push_back(Num("dilutionDegree", r.dilutionDegree));
    out.push_back(Num("allowableEmissionRate", r.allowableEmissionRate));
    out.push_back(Num("dryFlow", r.dryFlow));
    out.push_back(Num("downwashClass", r.downwashClass));
    out.push_back(Num("downwashedHeight", r.downwashedHeight));
    out.push_back(Num("effectiveHeight", r.effectiveHeight));
    out.push_back(Num("landingRow", r.landingRow));
    out.push_back(Num("landingColumn", r.landingColumn));
    out.push_back(landed ? Num("landingDilution", landingDilution)
                         : OutcomeField{OutcomeField::Null, "landingDilution", 0, ""});
    out.push_back(Num("redLimit", map.redLimit));
    out.push_back(Num("whiteLimit", map.whiteLimit));
    out.push_back(Num("downwindRange", map.downwindRange));
    out.push_back(Num("displayHeight", map.displayHeight));
    out.push_back(Txt("rateMantissaText", texts.rateMantissa));
    out.push_back(Txt("rateExponentText", texts.rateExponent));
    out.push_back(Txt("outletIndexText", texts.outletIndex));
    out.push_back(Txt("dryFlowText", texts.dryFlow));
    out.push_back(Txt("boundaryText", texts.boundary));
    out.push_back(Txt("landingDistanceText", texts.landingDistance));
    out.push_back(Txt("landingDilutionText", texts.landingDilution));
    const MapLabelTexts labels = FormatMapLabels(map, HasResult(r));
    out.push_back(Txt("colourTopText", labels.colourTop));
    out.push_back(Txt("colourMiddleText", labels.colourMiddle));
    out.push_back(Txt("colourBottomText", labels.colourBottom));
    out.push_back(Txt("heightAxisText", labels.heightAxis));
    out.push_back(Txt("distanceAxisText", labels.distanceAxis));
    return out;
}

} // namespace

std::string JsonString(const std::string &utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out += esc;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

const char *ComputeFailureLine(ComputeStatus status) {
    return status == ComputeStatus::FlowGuard ? "Illegal Input < Vg or Qd , Qh >!!\n" : "";
}

Outcome ComputeOutcome(const OutletInputs &in, OutletCase screen, DilutionGrid &grid,
                       OutletResults &results, ComputeStatus *status, TallSweep sweep) {
    results = OutletResults{};
    if (status != nullptr)
        *status = ComputeStatus::Ok;
    if (screen == CaseA || screen == CaseB)
        return LowOutcome(in, screen, results.low);
    TallOutletResult &r = results.tall;
    const ComputeStatus computed = sweep == TallSweep::CellByCell
                                       ? CalculateTallOutletCellByCell(in, screen, grid, &r)
                                       : CalculateTallOutlet(in, screen, grid, &r);
    if (status != nullptr)
        *status = computed;
    if (computed != ComputeStatus::Ok)
        return {};
    return TallOutcome(in, r, screen, LandingDilution(r, grid.Cells()),
                       DefaultMapSettings(in.tall, r, grid.Cells()));
}

Outcome ComputeResults(const OutletInputs &in, OutletCase screen, const SmellParams *params,
                       OutletResults &results, ComputeStatus *status) {
    results = OutletResults{};
    if (status != nullptr)
        *status = ComputeStatus::Ok;
    if (screen == CaseA || screen == CaseB)
        return LowOutcome(in, screen, results.low);
    TallOutletResult &r = results.tall;
    double landing = 0;
    const ComputeStatus computed = CalculateTallOutletResults(in, screen, params, &r, &landing);
    if (status != nullptr)
        *status = computed;
    if (computed != ComputeStatus::Ok)
        return {};
    return TallOutcome(in, r, screen, landing, LandingMapSettings(in.tall, r, landing));
}

const std::vector<std::string> &OutcomeKeys() {
    static const std::vector<std::string> keys = {"case",
                                                  "no1Standard",
                                                  "allowableOutletIndex",
                                                  "dilutionDegree",
                                                  "allowableEmissionRate",
                                                  "dryFlow",
                                                  "downwashClass",
                                                  "downwashedHeight",
                                                  "effectiveHeight",
                                                  "landingRow",
                                                  "landingColumn",
                                                  "landingDilution",
                                                  "redLimit",
                                                  "whiteLimit",
                                                  "downwindRange",
                                                  "displayHeight",
                                                  "rateMantissaText",
                                                  "rateExponentText",
                                                  "outletIndexText",
                                                  "dryFlowText",
                                                  "boundaryText",
                                                  "landingDistanceText",
                                                  "landingDilutionText",
                                                  "colourTopText",
                                                  "colourMiddleText",
                                                  "colourBottomText",
                                                  "heightAxisText",
                                                  "distanceAxisText",
                                                  "no1Index",
                                                  "no2Index",
                                                  "dilution",
                                                  "measuredIndex",
                                                  "measuredEmissionRate",
                                                  "complies",
                                                  "margin"};
    return keys;
}

std::string OutcomeJson(const Outcome &outcome, const TextConverter &toUtf8) {
    std::string json = "{";
    for (size_t i = 0; i < outcome.size(); ++i) {
        const OutcomeField &f = outcome[i];
        json += (i ? ", " : "") + JsonString(f.key) + ": ";
        switch (f.kind) {
        case OutcomeField::Number: json += NumberText(f.number); break;
        case OutcomeField::Text: json += JsonString(toUtf8(f.text)); break;
        case OutcomeField::Null: json += "null"; break;
        case OutcomeField::Bool: json += f.number != 0 ? "true" : "false"; break;
        }
    }
    return json + "}\n";
}

std::string OutcomeText(const Outcome &outcome, const TextConverter &toUtf8) {
    std::string text;
    for (const OutcomeField &f : outcome) {
        text += f.key + ": ";
        switch (f.kind) {
        case OutcomeField::Number: text += NumberText(f.number); break;
        case OutcomeField::Text: text += "\"" + toUtf8(f.text) + "\""; break;
        case OutcomeField::Null: text += "-"; break;
        case OutcomeField::Bool: text += f.number != 0 ? "true" : "false"; break;
        }
        text += "\n";
    }
    return text;
}

std::string CsvQuote(const std::string &value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string out = "\"";
    for (char c : value)
        out += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string OutcomeCsvHeader() {
    std::string header;
    for (const std::string &key : OutcomeKeys())
        header += key + ",";
    return header + "error\n";
}

std::string OutcomeCsvRow(const Outcome &outcome, const std::string &errorUtf8,
                          const TextConverter &toUtf8) {
    std::string row;
    for (const std::string &key : OutcomeKeys()) {
        for (const OutcomeField &f : outcome) {
            if (f.key != key)
                continue;
            if (f.kind == OutcomeField::Number)
                row += NumberText(f.number);
            else if (f.kind == OutcomeField::Text || f.kind == OutcomeField::Bool)
                row += CsvQuote(toUtf8(f.text));
        }
        row += ",";
    }
    return row + CsvQuote(errorUtf8) + "\n";
}
