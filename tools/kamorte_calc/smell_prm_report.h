#pragma once
#include "model/smell_params.h"

#include <string>

// The constants a tall-outlet computation of kamorte-calc uses and where they came from. The
// program reads smell.prm without a word; the command line tells, so that a stray or broken
// file that changed a result can be seen.
struct SmellPrmReport {
    SmellParamsSource source;
    std::string path; // UTF-8, absolute when the current folder is known
    SmellParams params;
    int valuesChanged = 0; // values that differ from the built-in defaults
};

// The defaults, overwritten from smell.prm in the current folder as a computation does.
SmellPrmReport ReadSmellPrmReport();
// One line for standard error (with its line end); empty when no file was there and the
// built-in constants are in effect.
std::string SmellPrmLine(const SmellPrmReport &report);
// The JSON object: whether a file was read, its path and every constant in effect.
std::string SmellPrmJson(const SmellPrmReport &report);
// A JSON object's text (as OutcomeJson writes it) with one more member at its end.
std::string WithJsonMember(const std::string &object, const std::string &name,
                           const std::string &value);
