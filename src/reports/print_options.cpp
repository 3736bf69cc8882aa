#include "reports/print_options.h"

#include "data/settings.h"

namespace pyx {

void PrintOptionsDialog::load()
{
    for (std::size_t k = 0; k < kEntries.size(); ++k)
        checked[k] = settingIsOne(d_.csz, kEntries[k]);
}

void PrintOptionsDialog::toggled(int index, bool on)
{
    if (index < 0 || index >= static_cast<int>(checked.size()))
        return;
    checked[index] = on;
    if (index < 4)
        d_.csz[kEntries[index]] = on ? "1" : "0";
}

bool PrintOptionsDialog::refuse(const char* message)
{
    dialogs_.message({message, "系统提示！", MsgButtons::Ok, MsgIcon::Critical, 1});
    return false;
}

void PrintOptionsDialog::confirm()
{
    if (!checked[0] && !checked[1] && !checked[2] && !checked[3] && !checked[4]) {
        refuse("请至少选择一项表格或曲线，才可导出！");
        return;
    }
    if (checked[5] && !checked[2] && !checked[3]) {
        refuse("请至少一个曲线，才可导出缩小曲线！");
        return;
    }
    for (std::size_t k = 0; k < kEntries.size(); ++k)
        d_.csz[kEntries[k]] = checked[k] ? "1" : "0";
    const std::string error = writeSettings(settingsPath_, d_.csz);
    if (!error.empty()) {
        // The choices stay in effect for this run; the user learns that they were not kept.
        dialogs_.message({"设置文件保存失败！" + error, "系统警告！", MsgButtons::Ok, MsgIcon::Critical, 1});
    }
    closed = true;
}

} // namespace pyx
