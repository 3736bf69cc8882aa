#include "data/instrument_header.h"

#include "data/numfmt.h"
#include "data/text_format.h"

namespace pyx {

InstrumentHeader instrumentHeader(const TestData& d)
{
    const auto slot = [&d](int row) { return d.ysd[row].s20d.trimmed(); };
    InstrumentHeader h;
    h.model = d.ysd[7].s20a.trimmed();
    h.slot0 = toDouble(slot(0)).value_or(0);
    h.date = slot(1);
    h.pile = slot(2);
    h.jackNumber = slot(3) + d.ysd[19].s60.trimmed();
    h.code = d.ysd[13].s60.trimmed();
    if (h.regression()) {
        const auto coefficient = [&d](int row) {
            const std::string text = d.ysd[row].s60.trimmed();
            return formatNumericText(isNumeric(text) ? text : "", "0.#######");
        };
        h.coefficientA = coefficient(15);
        h.coefficientB = coefficient(16);
    } else {
        h.ratedOutput = slot(4);
        h.ratedPressure = slot(5);
    }
    h.oilSensor = !isNumeric(slot(9)) || toDouble(slot(9)) == 1.0;
    h.sensorNumber = slot(6);
    h.sensorRange = slot(7);
    if (h.oilSensor)
        h.sensorSensitivity = formatNumericText(slot(8), "#0.000");
    h.jacks = slot(10);
    return h;
}

const char* pressureMethodText(const std::string& code)
{
    if (code.empty() || code == "1")
        return "计算";
    if (code == "2")
        return "率定";
    if (code == "3")
        return "回归方程";
    return "";
}

std::string slot0Line(const InstrumentHeader& h)
{
    return h.bore() ? "千斤顶缸径：" + formatDouble(h.slot0, "##0.0")
                    : "标定系数：" + formatDouble(h.slot0, "#0.###");
}

} // namespace pyx
