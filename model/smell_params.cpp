#include "model/smell_params.h"

#include "model/plume_rise.h"
#include "text/number_scan.h"

#include <cerrno>
#include <cmath>
#include <string>

namespace {

const double kSigmaZExponent[7][6] = {
    {1.122, 1.514, 2.109, 2.109, 2.109, 2.109}, {0.964, 0.964, 1.094, 1.094, 1.094, 1.094},
    {0.918, 0.918, 0.918, 0.918, 0.918, 0.918}, {0.826, 0.826, 0.826, 0.632, 0.632, 0.555},
    {0.788, 0.788, 0.788, 0.565, 0.565, 0.415}, {0.784, 0.784, 0.784, 0.526, 0.526, 0.323},
    {0.794, 0.794, 0.794, 0.637, 0.431, 0.222}};

const double kSigmaZCoefficient[7][6] = {{0.08, 0.00855, 0.000212, 0.000212, 0.000212, 0.000212},
                                         {0.1272, 0.1272, 0.057, 0.057, 0.057, 0.057},
                                         {0.1068, 0.1068, 0.1068, 0.1068, 0.1068, 0.1068},
                                         {0.1046, 0.1046, 0.1046, 0.4, 0.4, 0.811},
                                         {0.0928, 0.0928, 0.0928, 0.433, 0.433, 1.732},
                                         {0.0621, 0.0621, 0.0621, 0.37, 0.37, 2.41},
                                         {0.0373, 0.0373, 0.0373, 0.1105, 0.529, 3.62}};

const double kSigmaYExponent[7][2] = {{0.901, 0.851}, {0.914, 0.865}, {0.924, 0.885},
                                      {0.929, 0.889}, {0.921, 0.897}, {0.929, 0.889},
                                      {0.921, 0.896}};

const double kSigmaYCoefficient[7][2] = {{0.122, 0.172},   {0.0806, 0.113},  {0.0506, 0.0663},
                                         {0.0316, 0.0419}, {0.0247, 0.0291}, {0.0158, 0.0209},
                                         {0.0109, 0.0129}};

struct LineFormat {
    int limit; // characters read, the line end counted as one
    int width; // characters of each field
    int count; // fields on the line
};

// Line n of the file (0-based) fills values [offset, offset + count) of the record.
LineFormat FormatOfLine(int line) {
    if (line == 0)
        return {26, 6, 4};
    if (line == 1)
        return {44, 6, 7};
    if (line <= 9)
        return {50, 8, 6};
    if (line <= 16)
        return {56, 9, 6};
    return {18, 8, 2};
}

// Reads one line as a text-mode read with a limit would: at most `limit` characters,
// the line end included, CR LF taken as one line end. Returns false at the end of the file.
bool ReadLimitedLine(std::FILE *file, int limit, std::string *line) {
    line->clear();
    int taken = 0;
    while (taken < limit) {
        int c = std::fgetc(file);
        if (c == EOF)
            return taken > 0;
        if (c == '\r') {
            int next = std::fgetc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
        }
        ++taken;
        if (c == '\n')
            return true;
        line->push_back(static_cast<char>(c));
    }
    return true;
}

} // namespace

void SetDefaultSmellParams(SmellParams &p) {
    p.downwindStep = 1.0;
    p.heightStep = 1.0;
    p.indexExponent = 1.0;
    p.indexOffset = 0.2255;
    const double theta[7] = {0, 0, 0, 0, 0.02, 0.035, 0.035};
    const double breaks[6] = {300, 500, 1000, 2000, 10000, 100000};
    for (int c = 0; c < 7; ++c) {
        p.thetaGradient[c] = theta[c];
        for (int s = 0; s < 6; ++s) {
            p.sigmaZExponent[c][s] = kSigmaZExponent[c][s];
            p.sigmaZCoefficient[c][s] = kSigmaZCoefficient[c][s];
        }
        for (int s = 0; s < 2; ++s) {
            p.sigmaYExponent[c][s] = kSigmaYExponent[c][s];
            p.sigmaYCoefficient[c][s] = kSigmaYCoefficient[c][s];
        }
    }
    for (int s = 0; s < 6; ++s)
        p.sigmaZBreak[s] = breaks[s];
}

namespace {

// The conversion to an index divides sums of logarithms (of the flow, of Fmax, the offset k,
// a tenth of the No. 1 standard) by m; each such sum stays far below this bound, so an m for
// which the bound divided by m is a number keeps the index a number.
constexpr double kIndexTermBound = 1e4;

// Whether the value at position index (file order) keeps every shown result a number; a
// value the rule refuses keeps its default. Every constant is shown (kamorte-calc's JSON), so
// none may be infinite or not a number. Grid row r lies at (r + 1) × the downwind step, and σ
// of a distance of 0 or below is 0 or no number. The conversion to an index divides by its
// exponent m, which must not be so near 0 that the quotient overflows. A σ coefficient of the
// class computed of 0 or below makes a spread of 0 (a division by 0) or a negative
// concentration, whose power has no value; the file's bounds can send a distance to any
// segment. Everything else computes as written: the height step
// (the field is the same above and below the ground), the offset k, the segment bounds (the
// search ends at the last segment whatever they are), the σ exponents (a power of 0 is a
// constant spread), the temperature gradients (only the stable classes F and G use them) and
// the rows of the classes the computation does not use.
bool UsableParam(const SmellParams &params, int index, double value) {
    if (!std::isfinite(value))
        return false;
    const double *at = &params.downwindStep + index;
    if (at == &params.downwindStep)
        return value > 0;
    if (at == &params.indexExponent)
        return std::isfinite(kIndexTermBound / value);
    const int c = StandardMetConditions().stabilityClass;
    const bool zCoefficient =
        at >= params.sigmaZCoefficient[c] && at < params.sigmaZCoefficient[c] + 6;
    const bool yCoefficient =
        at >= params.sigmaYCoefficient[c] && at < params.sigmaYCoefficient[c] + 2;
    if (zCoefficient || yCoefficient)
        return value > 0;
    return true;
}

} // namespace

int ReadSmellParamsFrom(SmellParams &params, std::FILE *file) {
    double *values = &params.downwindStep;
    int offset = 0;
    int taken = 0;
    std::string line;
    for (int n = 0; n < 31; ++n) {
        LineFormat format = FormatOfLine(n);
        if (!ReadLimitedLine(file, format.limit, &line))
            return taken;
        const char *p = line.c_str();
        for (int field = 0; field < format.count; ++field) {
            double value;
            size_t used;
            if (!ScanDecimal(p, static_cast<size_t>(format.width), &value, &used))
                break;
            if (UsableParam(params, offset + field, value)) {
                values[offset + field] = value;
                ++taken;
            }
            p += used;
        }
        offset += format.count;
    }
    return taken;
}

SmellParamsSource ReadSmellParamsFile(SmellParams &params, const char *path) {
    SmellParamsSource source;
    errno = 0;
    std::FILE *file = std::fopen(path, "rb");
    if (!file) {
        // A name that exists but cannot be opened (no permission, a folder on Windows)
        // is worth telling apart from no file at all.
        source.state = errno == ENOENT || errno == 0 ? SmellParamsSource::Absent
                                                     : SmellParamsSource::Unreadable;
        return source;
    }
    source.valuesRead = ReadSmellParamsFrom(params, file);
    // A folder opens on POSIX systems and fails at the first read.
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    source.state =
        failed && source.valuesRead == 0 ? SmellParamsSource::Unreadable : SmellParamsSource::Read;
    return source;
}

void ReadSmellParams(SmellParams &params) {
    ReadSmellParamsFile(params, "smell.prm");
}

int ChangedSmellParams(const SmellParams &params) {
    SmellParams defaults;
    SetDefaultSmellParams(defaults);
    const double *now = &params.downwindStep;
    const double *built = &defaults.downwindStep;
    int changed = 0;
    for (int i = 0; i < kSmellParamCount; ++i)
        changed += !(now[i] == built[i]);
    return changed;
}
