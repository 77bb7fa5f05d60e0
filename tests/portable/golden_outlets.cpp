#include "tests/portable/golden_outlets.h"

#include <cctype>
#include <fstream>

namespace {

// Just enough JSON for one golden line: strings, numbers, null, a list of strings and
// one level of nested object.
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

} // namespace

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
