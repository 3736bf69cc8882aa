#include "dialogs/parameter_setup.h"

#include <cmath>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"
#include "eval/evaluation.h"

namespace pyx {
namespace {

// A list position from a settings entry; -1 (no selection) when it names no item.
int portPosition(const std::string& entry)
{
    const auto v = toDouble(entry);
    const auto position = v ? toInteger(*v) : std::nullopt;
    if (!position || *position < 0 || *position >= ParameterSetupDialog::kPortCount)
        return -1;
    return *position;
}

} // namespace

void ParameterSetupDialog::load()
{
    const TestData& d = d_;
    port1 = portPosition(d.csz[setting::kPort1]);
    port2 = portPosition(d.csz[setting::kPort2]);
    for (int i = 0; i <= 7; ++i)
        text1[i] = d.csz[i];
    text1[8] = d.csz[setting::kReserveTime];
    // The boxes tick for any value other than 0.
    showManual = settingNonZero(d.csz, setting::kShowManual);
    autoAxis = settingNonZero(d.csz, setting::kAutoAxis);
    simpleSummary = settingNonZero(d.csz, setting::kSimpleSummary);
    text1[0] = formatNumericText(d.csz[setting::kCalibration], "##0.000");
    if (const auto hold = toDouble(d.csz[setting::kLoadingHold]))
        text1[6] = formatDouble(std::floor(*hold), "0");
    for (int i = 0; i < 4; ++i)
        gauges[i] = gaugeInUse(d.csz, i);
    // A single-circuit jack has no unloading reserve time.
    reserveTimeEnabled = !singleCircuitJack(d.csz);
    text1[8] = reserveTimeEnabled ? d.csz[setting::kReserveTime] : "0";
    const auto increment = toDouble(d.kz3);
    text1[3] = increment && *increment != std::floor(*increment) ? formatDouble(*increment, "##0.00") : d.kz3;
}

void ParameterSetupDialog::ok()
{
    TestData& d = d_;
    for (int i = 0; i <= 7; ++i)
        d.csz[i] = text1[i];
    d.csz[setting::kReserveTime] = text1[8];
    for (int i = 0; i < 4; ++i) {
        setGaugeInUse(d.csz, i, gauges[i]);
        d.ysd[31 + i].s20a.set(gauges[i] ? "1" : "0");
    }
    setSettingFlag(d.csz, setting::kShowManual, showManual);
    setSettingFlag(d.csz, setting::kAutoAxis, autoAxis);
    setSettingFlag(d.csz, setting::kSimpleSummary, simpleSummary);
    d.kz3 = text1[3];
    if (port1 >= 0)
        d.csz[setting::kPort1] = std::to_string(port1);
    if (port2 >= 0)
        d.csz[setting::kPort2] = std::to_string(port2);
    if (!isNumeric(d.csz[setting::kLoadingHold]))
        d.csz[setting::kLoadingHold] = "4";
    if (!isNumeric(d.csz[setting::kPort2]))
        d.csz[setting::kPort2] = "2";
    host_.saveSettings();

    ystodb(d);
    host_.showCurrentTable();
    d.yfix = true;
    host_.refreshCurve();
    if (d.curfile.empty())
        d.dirty = false;
    else
        host_.enableSave();
    closed = true;
}

} // namespace pyx
