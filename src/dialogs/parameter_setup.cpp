#include "dialogs/parameter_setup.h"

#include <cmath>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"
#include "mainwin/main_window.h"

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

const char* flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

void ParameterSetupDialog::load()
{
    const TestData& d = window_.data();
    port1 = portPosition(d.csz[8]);
    port2 = portPosition(d.csz[15]);
    for (int i = 0; i <= 7; ++i)
        text1[i] = d.csz[i];
    text1[8] = d.csz[16];
    showManual = settingNonZero(d.csz, 76);
    autoAxis = settingNonZero(d.csz, 75);
    simpleSummary = settingNonZero(d.csz, 77);
    text1[0] = formatNumericText(d.csz[0], "##0.000");
    if (const auto hold = toDouble(d.csz[6]))
        text1[6] = formatDouble(std::floor(*hold), "0");
    for (int i = 0; i < 4; ++i)
        gauges[i] = settingIsOne(d.csz, 10 + i);
    // A single-circuit jack has no unloading reserve time.
    reserveTimeEnabled = !settingNonZero(d.csz, 56);
    text1[8] = reserveTimeEnabled ? d.csz[16] : "0";
    const auto increment = toDouble(d.kz3);
    text1[3] = increment && *increment != std::floor(*increment) ? formatDouble(*increment, "##0.00") : d.kz3;
}

void ParameterSetupDialog::ok()
{
    TestData& d = window_.data();
    for (int i = 0; i <= 7; ++i)
        d.csz[i] = text1[i];
    d.csz[16] = text1[8];
    for (int i = 0; i < 4; ++i) {
        d.csz[10 + i] = flag(gauges[i]);
        d.ysd[31 + i].s20a.set(flag(gauges[i]));
    }
    d.csz[76] = flag(showManual);
    d.csz[75] = flag(autoAxis);
    d.csz[77] = flag(simpleSummary);
    d.kz3 = text1[3];
    if (port1 >= 0)
        d.csz[8] = std::to_string(port1);
    if (port2 >= 0)
        d.csz[15] = std::to_string(port2);
    if (!isNumeric(d.csz[6]))
        d.csz[6] = "4";
    if (!isNumeric(d.csz[15]))
        d.csz[15] = "2";
    writeSettings(window_.files.settingsPath(), d.csz);

    window_.evaluate();
    if (d.tabmode == 0)
        window_.hzbdata_Click();
    else if (d.tabmode == 1)
        window_.ysdata_Click();
    d.yfix = -1;
    window_.display();
    if (d.curfile.empty())
        d.dirty = 0;
    else
        window_.enableSave();
    closed = true;
}

} // namespace pyx
