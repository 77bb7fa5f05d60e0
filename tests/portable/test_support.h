#pragma once
#include "model/outlet_results.h"

#include <string>
#include <vector>

// A tall outlet with every input given (case D style), before normalisation.
TallRun MakeTallOutlet(double height, double building, double diameter, double velocityOrDryFlow,
                       bool flowIsVelocity, double temperature, double moisture);

// The text so many times over.
std::string Repeated(const std::string &text, int times);

// The whole file, as bytes; empty when it cannot be read.
std::string FileBytes(const std::string &path);

// Runs the test body's file work in a fresh temporary directory that becomes the current
// directory, and returns to the previous one afterwards.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    void Write(const std::string &name, const std::string &content) const;
    std::string Path(const std::string &name) const;

  private:
    std::string previous_;
    std::string path_;
};
