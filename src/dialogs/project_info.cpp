#include "dialogs/project_info.h"

#include <algorithm>

#include "base/cp936.h"
#include "base/local_time.h"
#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"

namespace pyx {

std::string todayShortDate()
{
    const std::tm local = localTimeNow();
    return std::to_string(local.tm_year + 1900) + "/" + std::to_string(local.tm_mon + 1) + "/" +
           std::to_string(local.tm_mday);
}

ProjectInfoDialog::ProjectInfoDialog(TestData& data, DialogHost& host, Dialogs& dialogs)
    : d_(data), host_(host), dialogs_(dialogs)
{
}

bool ProjectInfoDialog::isJackField(int index)
{
    return std::find(kJackFields.begin(), kJackFields.end(), index) != kJackFields.end();
}

void ProjectInfoDialog::load()
{
    const TestData& d = d_;
    for (int i = 0; i <= 5; ++i)
        text2[i] = d.jlb[i].cstr.trimmed();
    factorOnLoad_ = d.csz[setting::kCalibration];
    computeFactor(false);
    if (trimBlanks(text2[2]).empty())
        text2[2] = today();
    jackFieldsEnabled = !d.restored;
    if (d.restored) {
        for (int i = 0; i <= 5; ++i)
            text2[i] = d.csz[setting::kProjectTexts + i];
        const auto type = [&d](int entry) {
            const auto v = toDouble(d.csz[entry]);
            return v && (*v == 0 || *v == 1) ? static_cast<int>(*v) : -1;
        };
        jackType = type(setting::kJackType);
        sensorType = type(setting::kSensorType);
        for (std::size_t k = 0; k < kJackFields.size(); ++k)
            text2[kJackFields[k]] = d.csz[setting::kJackData + k];
        computeFactor(false);
    }
}

void ProjectInfoDialog::textChanged(int index)
{
    if (index == 8 || (index >= 10 && index <= 13))
        computeFactor(true);
}

void ProjectInfoDialog::enter(int index)
{
    if (index <= 6) {
        // There is no field 7: Enter in the jack number leaves the focus where it is.
        if (hasControl(index + 1))
            focus = index + 1;
    } else {
        focus = kOkButton;
    }
}

void ProjectInfoDialog::exit()
{
    d_.csz[setting::kCalibration] = factorOnLoad_;
    closed = true;
}

void ProjectInfoDialog::computeFactor(bool store)
{
    TestData& d = d_;
    std::string factorText;
    const auto number = [this](int field) { return toSingle(text2[field]); };
    if (jackType == 0) {
        const auto pressure = number(13);
        const auto output = number(8);
        const auto range = number(10);
        const auto sensitivity = number(11);
        const auto jacksValue = number(12);
        const int jacks = jacksValue ? toInteger(*jacksValue).value_or(0) : 0;
        // A jack count below 1 gives no factor (a negative one would give a negative factor).
        if (!pressure || !output || !range || !sensitivity || jacks <= 0 || *pressure <= 0 || *output <= 0 ||
            *range <= 0 || *sensitivity <= 0) {
            label8 = kFactorCaption;
            return;
        }
        const float factor =
            *sensitivity * *pressure * 1200.0f / (*range * *output * static_cast<float>(jacks));
        factorText = formatSingle(factor, "##0.000");
    } else if (jackType == 1 && d.newtest) {
        const auto sensitivity = number(11);
        const auto jacksValue = number(12);
        const int jacks = jacksValue ? toInteger(*jacksValue).value_or(0) : 0;
        if (!sensitivity || jacks <= 0)
            return;
        factorText = formatSingle(*sensitivity / static_cast<float>(jacks), "#0.000");
    } else {
        return;
    }
    if (store)
        d.csz[setting::kCalibration] = factorText;
    label8 = kFactorCaption + formatNumericText(factorText, "##0.000");
}

bool ProjectInfoDialog::refuse(const char* message, int field)
{
    dialogs_.message({message, "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
    focus = field;
    return false;
}

bool ProjectInfoDialog::checkNumber(int field, const char* emptyMessage, const char* notNumberMessage)
{
    const std::string text = trimBlanks(text2[field]);
    if (text.empty())
        return refuse(emptyMessage, field);
    if (!isNumeric(text))
        return refuse(notNumberMessage, field);
    return true;
}

std::size_t ProjectInfoDialog::fieldBytes(FileKind kind, int index)
{
    // The record table's text slots hold 40 bytes; a logger file keeps the texts after the
    // project name in 20-byte slots.
    constexpr std::size_t kTableSlot = 40;
    constexpr std::size_t kLoggerSlot = 20;
    const bool logger = kind == FileKind::Raw267 || kind == FileKind::Raw311;
    return logger && index > 0 ? kLoggerSlot : kTableSlot;
}

void ProjectInfoDialog::ok()
{
    TestData& d = d_;
    static constexpr const char* kFieldNames[] = {"工程名称", "试桩编号", "测试日期",
                                                  "桩径",     "桩长",     "上下表距"};
    for (int i = 0; i <= 5; ++i) {
        const std::size_t limit = fieldBytes(d.ftype, i);
        if (encodeCp936(trimBlanks(text2[i])).size() > limit) {
            const std::string message = std::string(kFieldNames[i]) + "最多 " + std::to_string(limit) +
                                        " 个字节（" + std::to_string(limit / 2) +
                                        " 个汉字），文件存不下更长的文字！";
            refuse(message.c_str(), i);
            return;
        }
    }
    if (gaugeInUse(d.csz, kUpperGauge1) || gaugeInUse(d.csz, kUpperGauge2)) {
        const std::string distance = trimBlanks(text2[5]);
        if (distance.empty()) {
            refuse("上下表距不能为空！", 5);
            return;
        }
        if (distance == "0") {
            refuse("上下表距不能为零！", 5);
            return;
        }
    }
    for (int i = 0; i <= 5; ++i)
        d.jlb[i].cstr.set(trimBlanks(text2[i]));

    const bool newTest = d.newtest;
    if (newTest) {
        if (!checkNumber(0, "检测流水号不能为空！", "检测流水号要求为6位数字！") ||
            !checkNumber(1, "桩号不能为空！", "桩号要求为4位数字！"))
            return;
        for (int i = 0; i <= 5; ++i)
            d.csz[setting::kProjectTexts + i] = text2[i];
        if (jackType >= 0)
            d.csz[setting::kJackType] = std::to_string(jackType);
        if (sensorType >= 0)
            d.csz[setting::kSensorType] = std::to_string(sensorType);
        for (std::size_t k = 0; k < kJackFields.size(); ++k)
            d.csz[setting::kJackData + k] = text2[kJackFields[k]];
        computeFactor(true);
        d.dirty = true;
        host_.saveSettings();
    }

    host_.showLabels(
        headerLabels(trimBlanks(text2[0]), trimBlanks(text2[1]), trimBlanks(text2[2]), trimBlanks(text2[5])));
    d.jlb[0].cstr.set(trimBlanks(text2[0]));
    d.jlb[1].cstr.set(trimBlanks(text2[1]));
    d.bjtext = trimBlanks(text2[5]);
    closed = true;
    if (newTest && showParameterSetup)
        showParameterSetup();
    if (!d.curfile.empty())
        host_.enableSave();
}

} // namespace pyx
