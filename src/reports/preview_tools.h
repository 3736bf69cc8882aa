#pragma once
// The names of the print preview's tools (the band "abPrint"). The window's logic, its Qt
// toolbar and the tool pictures all use these.

#include <array>

namespace pyx::preview_tool {

inline constexpr const char* kPrint = "打印";
inline constexpr const char* kExportWord = "导出Word";
inline constexpr const char* kExportPdf = "导出PDF";
inline constexpr const char* kExportExcel = "导出Excel";
inline constexpr const char* kFirst = "首页";
inline constexpr const char* kPrevious = "上一页";
inline constexpr const char* kNext = "下一页";
inline constexpr const char* kLast = "最后一页";
inline constexpr const char* kZoomTool = "放大镜"; // shows the zoom; no command of its own
inline constexpr const char* kWholePage = "整页";
inline constexpr const char* kPageWidth = "页宽";
inline constexpr const char* kTwoPages = "两页";
inline constexpr const char* kThumbnails = "最小";
inline constexpr std::array<const char*, 5> kPercents{"150", "100", "75", "50", "25"};
inline constexpr const char* kZoomIn = "放大";
inline constexpr const char* kZoomOut = "缩小";
inline constexpr const char* kPageList = "页数";
inline constexpr const char* kPagesLabel = "共多少页";
inline constexpr const char* kPageLabel = "多少页"; // the text before the page list; no effect
inline constexpr const char* kClose = "退出";

} // namespace pyx::preview_tool
