#pragma once
// The analysis window's logic: the inputs of m as the user types them, the analysis of the
// open test, the suggestion the user picks for the marks. The inputs are read from the test's
// sidecar file when the window opens and written back when it closes. Marks are never set
// here: "采用建议" hands the picked suggestion to the mark dialog, where the user confirms.

#include <functional>
#include <string>

#include "analysis/test_analysis.h"
#include "platform/dialogs.h"

namespace pyx {

inline constexpr const char* kAnalysisCaption = "试验分析";

// The suggestions in the order the window shows them.
enum class SuggestionMethod
{
    Gradient = 0,
    LgLog = 1,
    Kink = 2
};
const char* methodCaption(SuggestionMethod m);
// The rules of the characteristic value in the order the window offers them.
inline constexpr CharacteristicRule kRuleOrder[] = {
    CharacteristicRule::CriticalLoad, CharacteristicRule::Displacement10, CharacteristicRule::Displacement6,
    CharacteristicRule::Allowable, CharacteristicRule::UltimateLoad};

class AnalysisWindow
{
public:
    AnalysisWindow(TestData& d, int gridRows, Dialogs& dialogs)
        : d_(d), gridRows_(gridRows), dialogs_(dialogs)
    {
    }

    // Reads the inputs (a damaged sidecar file is told and its defaults used; a "桩径" whose
    // unit is unclear leaves the width to the user) and analyses the test.
    void load();
    const TestAnalysis& result() const { return result_; }
    const Suggestion& suggestion(SuggestionMethod m) const;

    // The input boxes: width (m), EI (kN·m²), embedded length (m); an empty box clears the
    // value. A text that is not a positive number is refused with a message and the box
    // shows the value before.
    std::string widthText, eiText, embeddedText;
    std::string widthNote; // why the width is asked for
    bool setWidth(const std::string& text) { return setValue(inputs_.width, widthText, text, "桩径或边长"); }
    bool setEi(const std::string& text) { return setValue(inputs_.ei, eiText, text, "抗弯刚度EI"); }
    bool setEmbedded(const std::string& text)
    {
        return setValue(inputs_.embedded, embeddedText, text, "入土深度h");
    }
    // The design's allowable displacement (mm) of the rule that reads the load at it.
    std::string allowableText;
    bool setAllowable(const std::string& text)
    {
        return setValue(inputs_.allowableMm, allowableText, text, "设计要求的水平允许位移");
    }
    void setShape(PileShape shape);
    // A rule the chosen standard does not allow is not taken.
    void setRule(CharacteristicRule rule);
    // The rule set; the rule falls back to 0.75 × Hcr where the new one does not allow it.
    void setStandard(Standard s);
    const AnalysisInputs& inputs() const { return inputs_; }

    SuggestionMethod chosen = SuggestionMethod::Gradient;
    // "采用建议": the mark dialog opens with the chosen suggestion's stages; without one a
    // message says why.
    void adopt();
    // Opens the mark dialog with these stages (0: none) filled in; the main window's.
    std::function<void(int hcrStage, int huStage)> adoptSuggestion;
    // After every new analysis: the view shows it.
    std::function<void()> changed;

    // Closing: changed inputs are written beside the data file; a failure is told.
    void close();

private:
    bool setValue(std::optional<double>& value, std::string& box, const std::string& text, const char* what);
    void analyse();

    TestData& d_;
    int gridRows_;
    Dialogs& dialogs_;
    AnalysisInputs inputs_;
    AnalysisInputs stored_;
    TestAnalysis result_;
};

} // namespace pyx
