#pragma once
// The mark dialog (frmmark): edits the two marks of the gradient curve by stage number
// (point index + 1) with their texts. Opening may store the hovered point at once; OK
// stores the boxes. The caller redraws and flags the data afterwards.

#include <array>
#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

inline constexpr const char* kMarkDialogCaption = "标记编辑";
inline constexpr char32_t kBackspace = 8;

class MarkDialog
{
public:
    // The opening: with `markhere` set, the hovered point goes into one of the slots at
    // once; then the boxes show the marks.
    MarkDialog(TestData& d, bool& markhere, float hoverpt);

    // Text1(0), Text1(1): stage numbers of mark 1 and 2; Text1(2), Text1(3): their texts.
    std::array<std::string, 4> text;

    // The stage-number boxes take digits and Backspace only.
    static bool stageKeyAccepted(char32_t key);
    // Leaving a stage-number box (0 or 1): a first box of 6 or more characters, or a second
    // box that is not a number, becomes "0".
    void stageBoxLeft(int box);
    // "清除标记": both stage numbers become "0"; the texts stay.
    void clearMarks();
    // "确定": stores both marks and texts.
    void ok();

    bool accepted() const { return accepted_; }
    // True when the opening stored the hovered point.
    bool storedOnOpen() const { return storedOnOpen_; }
    // The load of each stage of the curve (stage i + 1 at i), set by the opener: the dialog
    // shows the load of the stage typed in a stage-number box beside it.
    std::vector<float> stageLoads;
    std::string stageLoad(int box) const;

    int mhz1 = 0;
    int mhz2 = 0;

private:
    TestData& d_;
    bool& markhere_;
    bool accepted_ = false;
    bool storedOnOpen_ = false;
};

} // namespace pyx
