#include "reports/print_options.h"

#include "data/settings.h"

namespace pyx {

void PrintOptionsDialog::load()
{
    for (std::size_t k = 0; k < checked.size(); ++k)
        checked[k] = printSelection(d_.csz, static_cast<PrintItem>(k));
    analysis = printAnalysis(d_.csz);
    changeRecord = printChangeRecord(d_.csz);
    front = printFront(d_.csz);
}

void PrintOptionsDialog::toggled(int index, bool on)
{
    if (index < 0 || index >= static_cast<int>(checked.size()))
        return;
    checked[index] = on;
    if (index < 4)
        setPrintSelection(d_.csz, static_cast<PrintItem>(index), on);
}

bool PrintOptionsDialog::refuse(const char* message)
{
    dialogs_.message({message, "系统提示！", MsgButtons::Ok, MsgIcon::Critical, 1});
    return false;
}

void PrintOptionsDialog::confirm()
{
    if (!checked[0] && !checked[1] && !checked[2] && !checked[3] && !checked[4] && !changeRecord && !front) {
        refuse("请至少选择一项表格或曲线，才可导出！");
        return;
    }
    if (checked[5] && !checked[2] && !checked[3]) {
        refuse("请至少一个曲线，才可导出缩小曲线！");
        return;
    }
    for (std::size_t k = 0; k < checked.size(); ++k)
        setPrintSelection(d_.csz, static_cast<PrintItem>(k), checked[k]);
    setSettingFlag(d_.csz, setting::kPrintAnalysis, analysis);
    setSettingFlag(d_.csz, setting::kPrintChangeRecord, changeRecord);
    setSettingFlag(d_.csz, setting::kPrintFront, front);
    // A failure is told by the window; the choices stay in effect for this run.
    host_.saveSettings();
    closed = true;
}

} // namespace pyx
