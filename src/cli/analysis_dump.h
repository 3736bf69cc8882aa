#pragma once
// What `pyx-cli analyse` prints: the analysis of a test as JSON or as text.

#include <string>

#include "analysis/test_analysis.h"

namespace pyx {

std::string analysisJson(const TestAnalysis& a);
std::string analysisText(const TestAnalysis& a);

} // namespace pyx
