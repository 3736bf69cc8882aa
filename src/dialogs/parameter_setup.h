#pragma once
// The parameter setup dialog (frmcssz): the load-control values of the data logger, the
// gauges in use, the communication ports and three display options. OK stores them in the
// settings, re-evaluates the open test and refreshes the table and the curve.

#include <array>
#include <string>

#include "data/model.h"
#include "session/dialog_host.h"

namespace pyx {

class ParameterSetupDialog
{
public:
    static constexpr int kOkButton = -1; // focus on OK
    static constexpr int kPortCount = 8; // "1#串口" .. "8#串口"

    ParameterSetupDialog(TestData& data, DialogHost& host) : d_(data), host_(host) {}

    // Control values: Text1(0..8) (8 is the unloading reserve time, settings 16),
    // Check1(0..3) (gauges in use), Combo1 and Combo2 (list positions, -1 none),
    // chkCheck2..4 (manual readings shown, automatic axis, simple summary table).
    std::array<std::string, 9> text1{"1", "0", "10", "100", "1000", "40", "4", "2", "5"};
    bool reserveTimeEnabled = true;
    std::array<bool, 4> gauges{};
    int port1 = -1;
    int port2 = -1;
    bool showManual = false;
    bool autoAxis = false;
    bool simpleSummary = false;
    int focus = 0; // index of the Text1 box with the focus, or kOkButton
    bool closed = false;

    static std::string portName(int position) { return std::to_string(position + 1) + "#串口"; }

    void load();
    void enter(int index) { focus = index <= 3 ? index + 1 : kOkButton; }
    void ok();
    void exit() { closed = true; }

private:
    TestData& d_;
    DialogHost& host_;
};

} // namespace pyx
