#pragma once
// The curve panel of the main window: the drawing surface (VSDraw1) with the curve shown,
// its caption, the mouse on the gradient curve, the mark commands and the two scroll bars
// (HScroll1: scale, HScroll2: stage columns).

#include <functional>
#include <string>

#include "curves/gradient_curve.h"
#include "curves/mark_dialog.h"
#include "curves/time_curve.h"
#include "platform/dialogs.h"
#include "platform/recording_canvas.h"

namespace pyx {

inline constexpr const char* kTimeCurveCaption = "下表 H0-t-Y0曲线";
inline constexpr const char* kGradientCurveCaption = "下表 H0--△Y0/△H0 曲线";
inline constexpr int kRightButton = 2;

// What the panel needs of the main window.
struct CurvePanelHooks
{
    std::function<void()> menuinfo;
    std::function<void(const std::string&)> setCaption; // Label18
    std::function<void()> enableSave;                   // dirty, and the save tool enabled
    std::function<void()> popupMarks;                   // the context menu of the marks, at the mouse
    std::function<int()> gridRows;                      // rows of the main grid, heading included
    // The suggested loads of the test for a grid of `gridRows` rows, to ring on the curve.
    std::function<std::vector<SuggestedStages>(int gridRows)> suggestions;
    // Shows the mark dialog modally; returns when it is closed.
    std::function<void(MarkDialog&)> runMarkDialog;
    // After every drawing and scroll: the view shows the new state.
    std::function<void()> changed;
};

struct ScrollRange
{
    int min = 0;
    int max = 0;
    int value = 0;
};

class CurvePanel
{
public:
    CurvePanel(TestData& d, Dialogs& dialogs) : d_(d), dialogs_(dialogs) {}

    RecordingCanvas surface; // VSDraw1
    GradPoints gpts{};
    Hover hover;
    bool markhere = false;
    CurvePanelHooks hooks;
    // The gradient curve rings the suggested critical and ultimate loads (after the analysis
    // window has been opened on the test).
    bool showSuggestions = false;

    void DrawChartQS_Click();   // tool::kTimeCurve
    void MenuSLgQcurve_Click(); // tool::kGradientCurve
    // Mouse over the drawing, in drawing units.
    void mouseMove(double x, double y);
    void click();
    void mouseDown(int button);
    void markCommand();       // tool::kMark
    void clearMarksCommand(); // tool::kClearMarks
    // The mark dialog opened with these stages (0: none) in its boxes, for the user to
    // confirm; the marks change only on its OK.
    void adoptSuggestion(int hcrStage, int huStage);

    void scaleScrolled(int value); // HScroll1
    void stageScrolled(int value); // HScroll2
    ScrollRange scaleRange() const;
    ScrollRange stageRange() const;

private:
    void afterScroll();
    void marksChanged();
    void notify();

    TestData& d_;
    Dialogs& dialogs_;
};

} // namespace pyx
