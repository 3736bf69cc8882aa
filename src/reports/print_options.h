#pragma once
// The print options dialog (frmprintsz): which tables and curves the preview and the Word
// export hold. The first four boxes take effect at once; confirm stores all six and has
// the settings file written.

#include <array>
#include <string>

#include "data/model.h"
#include "data/settings_entries.h"
#include "platform/dialogs.h"
#include "session/dialog_host.h"

namespace pyx {

class PrintOptionsDialog
{
public:
    // Box k (0-based) stands for PrintItem k: record table, summary, H0-t-Y0 curve,
    // gradient curve, raw data table, reduced curves.
    static constexpr std::array<int, 6> kEntries = kPrintEntries;
    static constexpr std::array<const char*, 6> kCaptions{"数据记录表",       "汇总表",     "H0-t-x0曲线",
                                                          "H0--△Y0/△H0 曲线", "原始数据表", "缩小曲线尺寸"};
    static constexpr const char* kFrameCaption = "内容选项";
    // The added box of the analysis pages (settings entry 80), stored on confirm.
    static constexpr const char* kAnalysisCaption = "分析结果";
    // The record of changes against the logger's readings (settings entry 81), stored on confirm.
    static constexpr const char* kChangeRecordCaption = "原始数据修改记录";
    // The report front: the cover and the conclusion (settings entry 82), stored on confirm.
    static constexpr const char* kFrontCaption = "报告封面与结论";

    PrintOptionsDialog(TestData& data, Dialogs& dialogs, DialogHost& host)
        : d_(data), dialogs_(dialogs), host_(host)
    {
    }

    std::array<bool, 6> checked{};
    bool analysis = false;
    bool changeRecord = false;
    bool front = false;
    bool closed = false;

    void load();
    // The user ticked or cleared box `index`.
    void toggled(int index, bool on);
    void confirm();
    void exit() { closed = true; }

private:
    bool refuse(const char* message);

    TestData& d_;
    Dialogs& dialogs_;
    DialogHost& host_;
};

} // namespace pyx
