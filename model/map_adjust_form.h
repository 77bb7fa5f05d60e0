#pragma once
#include "model/form_rules.h"
#include "model/map_settings.h"

#include <array>
#include <string>

// The four fields of the map adjustment: which part of the dilution grid the map shows and
// where its colour ramp starts and ends. Checked quietly while the user types (a valid new
// value is stored at once, so the map can follow every keystroke) and strictly on OK. Nothing
// here knows of windows: the dialog redraws when a check stored a value, and shows the
// message with its beep and focus when a check says so.

enum class MapAdjustField { DownwindRange, DisplayHeight, RedLimit, WhiteLimit };
constexpr size_t kMapAdjustFieldCount = 4;

// The limits the dialog accepts.
constexpr int32_t kMinDownwindRange = 10;
constexpr int32_t kMaxDownwindRange = 10000;
constexpr int32_t kMinDisplayHeight = 5;
constexpr int32_t kMaxDisplayHeight = 800;
constexpr double kMaxWhiteLimit = 300.0;

// A row of the field table.
struct MapAdjustRule {
    MapAdjustField field;
    bool integer;        // "%d": digits only; otherwise a decimal number
    double low, high;    // inclusive
    const char *message; // shown under "パラメータエラー"
};
const MapAdjustRule &MapAdjustRuleOf(MapAdjustField field);

// How a check reports: Quiet while typing (only a character without a single-byte form is
// said), Strict for OK (every fault is said).
enum class MapCheckMode { Quiet, Strict };

struct MapFieldCheck {
    bool valid = false;
    bool stored = false;           // a new value went into the settings: redraw the map
    const char *message = nullptr; // say this (focus the field, beep 40 ms) when not null
};

// One field's check on the text its control holds (at most 255 characters are read). A
// valid value that differs from the settings is stored; a white limit not above the red one
// is kept out of the settings in both modes, and refused in the strict one.
MapFieldCheck CheckMapAdjustField(MapAdjustField field, const char *text, MapCheckMode mode,
                                  MapSettings &settings);

struct MapFormTexts {
    std::array<std::string, kMapAdjustFieldCount> texts;
    std::string &operator[](MapAdjustField f) { return texts[static_cast<size_t>(f)]; }
    const std::string &operator[](MapAdjustField f) const { return texts[static_cast<size_t>(f)]; }
};

using MapVerdict = FormVerdict<MapAdjustField>;

// OK: the strict checks in the order range, height, red, white, stopping at the first fault
// (Refuse, with its field and message). accepted lists the fields whose values were stored,
// so the map must be redrawn when it is not empty, whatever the verdict.
MapVerdict ValidateMapAdjustForm(const MapFormTexts &form, MapSettings &settings);

// Limits not set yet take the landing point's dilution degree: red its rounded value, white
// twice that; limits that then agree in their whole part are pulled 10 apart. Without a
// landing point (landingValue null) the unset limits span the whole ramp, 0 to 300.
void InitialiseMapLimits(MapSettings &settings, const double *landingValue);

// What the dialog's fields show when it opens: every value as a whole number.
MapFormTexts MapFormTextsOf(const MapSettings &settings);
