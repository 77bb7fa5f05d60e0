#include "tools/kamorte_calc/smell_prm_report.h"

#include "calc/calc_output.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr char kFileName[] = "smell.prm";

// The shortest text that reads back to the same double: the constants as a file gives them.
std::string Number(double v) {
    char text[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, v);
        if (std::strtod(text, nullptr) == v)
            break;
    }
    // JSON has no words for these; a garbage file can produce them.
    return std::string(text).find_first_of("ni") == std::string::npos ? text : "null";
}

std::string List(const double *values, int count) {
    std::string out = "[";
    for (int i = 0; i < count; ++i)
        out += (i ? ", " : "") + Number(values[i]);
    return out + "]";
}

template <int Rows, int Columns> std::string Table(const double (&values)[Rows][Columns]) {
    std::string out = "[";
    for (int r = 0; r < Rows; ++r)
        out += (r ? ", " : "") + List(values[r], Columns);
    return out + "]";
}

const char *StateName(SmellParamsSource::State state) {
    switch (state) {
    case SmellParamsSource::Absent: return "absent";
    case SmellParamsSource::Unreadable: return "unreadable";
    case SmellParamsSource::Read: return "read";
    }
    return "";
}

} // namespace

SmellPrmReport ReadSmellPrmReport() {
    SmellPrmReport report;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    report.path = error ? kFileName : (folder / kFileName).u8string();
    SetDefaultSmellParams(report.params);
    report.source = ReadSmellParamsFile(report.params, kFileName);
    report.valuesChanged = ChangedSmellParams(report.params);
    return report;
}

std::string SmellPrmLine(const SmellPrmReport &report) {
    char line[160];
    switch (report.source.state) {
    case SmellParamsSource::Absent: return "";
    case SmellParamsSource::Unreadable:
        return "kamorte-calc: " + report.path +
               " cannot be read; the built-in constants are in effect\n";
    case SmellParamsSource::Read:
        std::snprintf(line, sizeof line,
                      ": %d of %d constants read from the file, %d at their built-in defaults; "
                      "%d %s from the built-in values\n",
                      report.source.valuesRead, kSmellParamCount,
                      kSmellParamCount - report.source.valuesRead, report.valuesChanged,
                      report.valuesChanged == 1 ? "differs" : "differ");
        return "kamorte-calc: " + report.path + line;
    }
    return "";
}

std::string SmellPrmJson(const SmellPrmReport &report) {
    const SmellParams &p = report.params;
    std::string json = "{\"file\": " + JsonString(StateName(report.source.state));
    json += ", \"read\": " +
            std::string(report.source.state == SmellParamsSource::Read ? "true" : "false");
    json += ", \"path\": " + JsonString(report.path);
    json += ", \"valuesRead\": " + std::to_string(report.source.valuesRead);
    json += ", \"valuesChanged\": " + std::to_string(report.valuesChanged);
    json += ", \"constants\": {\"downwindStep\": " + Number(p.downwindStep);
    json += ", \"heightStep\": " + Number(p.heightStep);
    json += ", \"indexExponent\": " + Number(p.indexExponent);
    json += ", \"indexOffset\": " + Number(p.indexOffset);
    json += ", \"thetaGradient\": " + List(p.thetaGradient, 7);
    json += ", \"sigmaZBreak\": " + List(p.sigmaZBreak, 6);
    json += ", \"sigmaZExponent\": " + Table(p.sigmaZExponent);
    json += ", \"sigmaZCoefficient\": " + Table(p.sigmaZCoefficient);
    json += ", \"sigmaYExponent\": " + Table(p.sigmaYExponent);
    json += ", \"sigmaYCoefficient\": " + Table(p.sigmaYCoefficient);
    return json + "}}";
}

std::string WithJsonMember(const std::string &object, const std::string &name,
                           const std::string &value) {
    const size_t close = object.rfind('}');
    if (close == std::string::npos)
        return object;
    const bool empty = object.find_first_not_of(" \t\r\n", object.find('{') + 1) == close;
    return object.substr(0, close) + (empty ? "" : ", ") + JsonString(name) + ": " + value +
           object.substr(close);
}
