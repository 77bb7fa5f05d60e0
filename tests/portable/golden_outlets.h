#pragma once
#include <map>
#include <string>
#include <vector>

// The outlets with known results (tests/golden/outlets.jsonl): the portable tests and the
// screens' tests read the same lines.
struct GoldenOutlet {
    std::string what;
    std::vector<std::string> args; // "--height", "5", …
    std::map<std::string, std::string> expectedText;
    std::map<std::string, double> expectedNumber;
};

std::vector<GoldenOutlet> LoadGolden();
