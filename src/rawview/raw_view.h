#pragma once
// The raw data window (frmYssj): the instrument header of the test and the logger's
// readings as recorded, one row per reading. Opening it rebuilds everything from the
// test data and corrects a few header texts in memory (see open()).

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "data/model.h"
#include "platform/text_grid.h"

namespace pyx {

// A reading rounded to two decimals, a value exactly halfway at the third decimal going to
// the even neighbour (0.125 gives 0.12, 0.135 gives 0.14).
float Fmat5(float v);

class RawDataView
{
public:
    static constexpr const char* kCaption = " 原始数据";
    static constexpr const char* kTitle = " 原 始 数 据 表";

    RawDataView(TestData& data, TextGrid& grid) : d_(data), grid_(grid) {}

    // Header lines: label3[0..2], label3[4..10] (label3[3] and label3[11] show nothing),
    // the jack number line and the pressure computation code.
    std::array<std::string, 12> label3;
    std::string txtText3;
    std::string text2;

    // Sets the first reading's time to "--:--", builds the header and fills the table.
    // Non-numeric header texts are corrected in the data: the sensor kind (row 9) becomes
    // "1", the gauge flags (rows 31..34) "1", and the regression coefficients (rows 15
    // and 16) blank.
    void open();

    // The header lines by control name, in reading order.
    std::vector<std::pair<std::string, std::string>> headerLines() const;

private:
    void buildHeader();
    void fillTable();
    void fillRow(int row, int number, const YsRec& r, bool oil);
    void refreshGaugeFlags();
    std::string meanText(const YsRec& r) const;

    TestData& d_;
    TextGrid& grid_;
};

} // namespace pyx
