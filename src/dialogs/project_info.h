#pragma once
// The project information dialog (frmgcxx): the six header texts of the test and, for a
// new test, the jack and sensor data that give the load calibration factor. The Qt
// dialog binds its controls to the fields below and calls the handlers.

#include <array>
#include <functional>
#include <string>

#include "data/model.h"
#include "platform/dialogs.h"
#include "session/dialog_host.h"

namespace pyx {

// Today's date in the short form of the Chinese desktop ("2024/5/16").
std::string todayShortDate();

class ProjectInfoDialog
{
public:
    // Text2(0..13): 0..5 the header texts (project, pile, date, diameter, length, gauge
    // distance); 6 jack number, 13 rated oil pressure, 8 rated output, 12 jacks in parallel,
    // 9 sensor number, 10 sensor range, 11 sensor sensitivity. Index 7 has no control.
    static constexpr int kFieldCount = 14;
    static constexpr std::array<int, 7> kJackFields{6, 13, 8, 12, 9, 10, 11}; // settings 58..64
    static constexpr int kOkButton = -1;                                      // focus on OK
    static constexpr const char* kFactorCaption = "标定系数： ";

    ProjectInfoDialog(TestData& data, DialogHost& host, Dialogs& dialogs);

    // Control values.
    std::array<std::string, kFieldCount> text2{"", "",     "", "",    "",     "500", "",
                                               "", "1000", "", "80 ", "2.13", "1",   "65"};
    int jackType = 0;   // 0 double-circuit (Option1), 1 single-circuit (Option2), -1 neither
    int sensorType = 0; // 0 oil pressure sensor (Option3), 1 load cell (Option4), -1 neither
    bool jackFieldsEnabled = true;
    std::string label8 = kFactorCaption;
    int focus = 0; // index of the field with the focus, or kOkButton
    bool closed = false;

    std::function<std::string()> today = todayShortDate;
    // Shows the parameter setup dialog without blocking (after a new test's OK).
    std::function<void()> showParameterSetup;

    static bool hasControl(int index) { return index >= 0 && index < kFieldCount && index != 7; }
    static bool isJackField(int index);
    // The bytes (code page 936) header text `index` (0..5) keeps in a file of this kind.
    static std::size_t fieldBytes(FileKind kind, int index);

    void load();
    // After the user changed text2[index].
    void textChanged(int index);
    void enter(int index);
    void ok();
    // Closes without storing: a factor typed meanwhile is taken back.
    void exit();

private:
    // Shows the factor of the jack and sensor fields; `store` also makes it settings entry 0,
    // which only a change of those fields or a new test's OK do (a load only shows it).
    void computeFactor(bool store);
    bool refuse(const char* message, int field);
    bool checkNumber(int field, const char* emptyMessage, const char* notNumberMessage);

    TestData& d_;
    DialogHost& host_;
    Dialogs& dialogs_;
    std::string factorOnLoad_;
};

} // namespace pyx
