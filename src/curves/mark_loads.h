#pragma once
// The loads (kN) of the stages the marks of the gradient curve name: shown beside the stage
// numbers of the mark dialog and with the marks in the main window.

#include <optional>
#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

// The load of each point of the gradient curve in the order of the points: point i is stage
// i + 1. `gridRows` as the gradient curve reads them.
std::vector<float> gradientStageLoads(const TestData& d, int gridRows);

// "120 kN" for a stage number typed as text (1-based); empty where the text names no stage
// of the curve.
std::string stageLoadText(const std::vector<float>& loads, const std::string& stageText);

// The marks as the status bar shows them, "Hcr = 120 kN（第4级）  Hu = 200 kN（第8级）", with the
// marks' own texts; empty without a mark on a point of the curve.
std::string marksSummary(const TestData& d, const std::vector<float>& loads);

} // namespace pyx
