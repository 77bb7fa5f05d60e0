// The outlets with known results, through the same front the command line uses.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// The outlet these cases work on, one after the other.
OutletInputs currentOutlet;

// Just enough JSON for one golden line: strings, numbers, null, a list of strings and
// one level of nested object.
struct GoldenOutlet {
    std::string what;
    std::vector<std::string> args;
    std::map<std::string, std::string> expectedText;
    std::map<std::string, double> expectedNumber;
};

class Reader {
  public:
    explicit Reader(const std::string &text) : s_(text) {}
    void Skip() {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    bool Take(char c) {
        Skip();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    char Peek() {
        Skip();
        return pos_ < s_.size() ? s_[pos_] : '\0';
    }
    std::string String() {
        Take('"');
        std::string out;
        while (pos_ < s_.size() && s_[pos_] != '"') {
            if (s_[pos_] == '\\') {
                ++pos_;
                out += s_[pos_] == 'n' ? '\n' : s_[pos_];
            } else {
                out += s_[pos_];
            }
            ++pos_;
        }
        ++pos_;
        return out;
    }
    double Number() {
        Skip();
        size_t used = 0;
        double v = std::stod(s_.substr(pos_), &used);
        pos_ += used;
        return v;
    }

  private:
    std::string s_;
    size_t pos_ = 0;
};

GoldenOutlet ParseLine(const std::string &line) {
    GoldenOutlet g;
    Reader r(line);
    r.Take('{');
    while (!r.Take('}')) {
        const std::string key = r.String();
        r.Take(':');
        if (key == "what") {
            g.what = r.String();
        } else if (key == "args") {
            r.Take('[');
            while (!r.Take(']')) {
                g.args.push_back(r.String());
                r.Take(',');
            }
        } else if (key == "expect") {
            r.Take('{');
            while (!r.Take('}')) {
                const std::string name = r.String();
                r.Take(':');
                if (r.Peek() == '"')
                    g.expectedText[name] = r.String();
                else
                    g.expectedNumber[name] = r.Number();
                r.Take(',');
            }
        }
        r.Take(',');
    }
    return g;
}

std::vector<GoldenOutlet> LoadGolden() {
    std::ifstream file(KAMORTE_SOURCE_DIR "/tests/golden/outlets.jsonl");
    std::vector<GoldenOutlet> outlets;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty())
            outlets.push_back(ParseLine(line));
    }
    return outlets;
}

} // namespace

TEST(Golden, EveryKnownOutletGivesItsResults) {
    const std::vector<GoldenOutlet> outlets = LoadGolden();
    ASSERT_EQ(outlets.size(), 8u);
    DilutionGrid grid; // one for every outlet, as a loop over many outlets keeps it
    for (const GoldenOutlet &g : outlets) {
        SCOPED_TRACE(g.what);
        OutletOptions options;
        for (size_t i = 0; i + 1 < g.args.size(); i += 2)
            options[g.args[i].substr(2)] = TerminalToCp932(g.args[i + 1]);
        OutletCase screen;
        RequestError error = PrepareOutlet(options, currentOutlet, &screen);
        ASSERT_EQ(error.status, 0) << Cp932ToUtf8(error.message);
        OutletResults results;
        const Outcome outcome = ComputeOutcome(currentOutlet, screen, grid, results);
        size_t checked = 0;
        for (const OutcomeField &f : outcome) {
            if (g.expectedNumber.count(f.key)) {
                ASSERT_EQ(f.kind, OutcomeField::Number) << f.key;
                const double want = g.expectedNumber.at(f.key);
                EXPECT_NEAR(f.number, want, 1e-12 * std::fabs(want)) << f.key;
                ++checked;
            } else if (g.expectedText.count(f.key)) {
                EXPECT_EQ(Cp932ToUtf8(f.text), g.expectedText.at(f.key)) << f.key;
                ++checked;
            }
        }
        EXPECT_EQ(checked, g.expectedNumber.size() + g.expectedText.size());
    }
}
