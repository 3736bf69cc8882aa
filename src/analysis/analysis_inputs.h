#pragma once
// What the analysis of a test needs beyond its data: the pile for m (shape, width, EI,
// embedded length) and the rule of the characteristic value. Kept beside the data file in
// "<data file>.analysis.json", so the data and settings files keep their fixed layouts.

#include <optional>
#include <string>

#include "analysis/soil_coefficient.h"
#include "analysis/standard.h"
#include "base/io_result.h"

namespace pyx {

enum class CharacteristicRule
{
    CriticalLoad,   // 0.75 × Hcr
    Displacement10, // 0.75 × the load at Y0 = 10 mm
    Displacement6,  // 0.75 × the load at Y0 = 6 mm (displacement-sensitive structures)
    Allowable,      // the load at the design's allowable displacement (JGJ 106-2014)
    UltimateLoad    // 0.5 × Hu (GB 50007-2011, cracks allowed)
};

struct AnalysisInputs
{
    PileShape shape = PileShape::Round;
    std::optional<double> width;    // m
    std::optional<double> ei;       // kN·m²
    std::optional<double> embedded; // m
    CharacteristicRule rule = CharacteristicRule::CriticalLoad;
    std::optional<double> allowableMm; // the design's allowable displacement, mm
    Standard standard = Standard::Jgj106;
    bool operator==(const AnalysisInputs&) const = default;

    PileInputs pile() const { return {shape, width.value_or(0), ei.value_or(0), embedded.value_or(0)}; }
};

// The pile width read from the text of "桩径": a number with "mm" or "m" after it is taken in
// that unit; a bare number of at least 100 is millimetres, one of at most 5 metres; anything
// else (no number, or a bare number in between) is unclear and left to the user.
struct WidthReading
{
    std::optional<double> metres;
    bool unclear = false;
};
WidthReading widthFromDiameterText(const std::string& text);

std::string analysisInputsPath(const std::string& dataFile);

// The inputs as the sidecar file stores them, and back. A text that is not such a file gives
// nothing; missing or unusable values keep their defaults.
std::string inputsJson(const AnalysisInputs& in);
std::optional<AnalysisInputs> inputsFromJson(const std::string& text);

// Reading the sidecar of a data file: none yet (the defaults), read, or a file that could
// not be read or understood (the defaults, with the reason for the user).
struct InputsRead
{
    AnalysisInputs inputs;
    bool found = false;
    std::string problem;
};
InputsRead readAnalysisInputs(const std::string& dataFile);
// The inputs of an open test: its sidecar file, or without one the width read from the
// pile's "桩径" (`widthUnclear` set when that text gives no width).
struct TestInputs
{
    InputsRead read;
    bool widthUnclear = false;
};
TestInputs inputsForTest(const std::string& dataFile, const std::string& diameterText);
// Written atomically; a failure carries the reason.
IoResult writeAnalysisInputs(const std::string& dataFile, const AnalysisInputs& in);

const char* ruleKey(CharacteristicRule rule);
std::optional<CharacteristicRule> ruleFromKey(const std::string& key);
// The rule in the words of the chosen standard, with its clause.
std::string ruleCaption(const AnalysisInputs& in);
ValueBase valueBase(CharacteristicRule rule);
// The displacement the rule reads the load at (mm), none for the rules of Hcr and Hu.
std::optional<double> ruleDisplacement(const AnalysisInputs& in);
// The rule kept when the standard changes: one the standard does not allow falls back to
// 0.75 × Hcr.
CharacteristicRule ruleUnder(Standard s, CharacteristicRule rule);

} // namespace pyx
