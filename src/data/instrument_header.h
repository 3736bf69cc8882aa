#pragma once
// The instrument header a logger writes into the header rows of its raw readings: the
// logger's model, the jack, the sensor and how the logger turned oil pressure into load. The
// raw data window and the report's instrument table read it from here. Texts are trimmed;
// a value the logger left empty is an empty text.

#include <string>

#include "data/model.h"

namespace pyx {

struct InstrumentHeader
{
    std::string model; // the logger's model (record 7)
    double slot0 = 0;  // the cylinder bore (above 80) or the calibration coefficient
    std::string date;  // the test date the logger wrote
    std::string pile;  // the pile number the logger wrote
    std::string jackNumber;
    std::string code; // the pressure computation code: "" or "1" computed, "2" calibrated, "3" regression
    std::string ratedOutput;   // kN
    std::string ratedPressure; // MPa
    std::string coefficientA;  // the regression's a and b ("0.#######"), with code "3"
    std::string coefficientB;
    bool oilSensor = true; // an oil-pressure sensor (a non-numeric kind counts as one), else a load cell
    std::string sensorNumber;
    std::string sensorRange;       // MPa for an oil-pressure sensor, kN for a load cell
    std::string sensorSensitivity; // mv/V ("#0.000"), oil-pressure sensors only
    std::string jacks;             // jacks in parallel

    bool bore() const { return slot0 > 80; }
    bool regression() const { return code == "3"; }
};

// The header of the test's raw readings as the raw data window shows it, without changing
// the test: texts that window corrects in the data (a non-numeric sensor kind, non-numeric
// regression coefficients) are read as corrected.
InstrumentHeader instrumentHeader(const TestData& d);

// "计算", "率定", "回归方程", or "" for an unknown code.
const char* pressureMethodText(const std::string& code);
// "标定系数：1.25" or "千斤顶缸径：120.0".
std::string slot0Line(const InstrumentHeader& h);

} // namespace pyx
