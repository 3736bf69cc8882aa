#pragma once
// The four labels above the table (and the heads of the printed tables): a fixed prefix
// and the text of the test.

#include <array>
#include <string>

namespace pyx {

inline constexpr const char* kProjectLabel = "工程名称：";
inline constexpr const char* kPileLabel = "试桩编号：";
inline constexpr const char* kDateLabel = "测试日期：";
inline constexpr const char* kDistanceLabel = "上下表距：";

using HeaderLabels = std::array<std::string, 4>;

inline HeaderLabels headerLabels(const std::string& project, const std::string& pile, const std::string& date,
                                 const std::string& distance)
{
    return {kProjectLabel + project, kPileLabel + pile, kDateLabel + date, kDistanceLabel + distance};
}

// The labels with no test open.
inline HeaderLabels emptyHeaderLabels()
{
    return headerLabels("", "", "", "");
}

} // namespace pyx
