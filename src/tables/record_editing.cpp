#include "tables/record_editing.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "data/numfmt.h"
#include "data/settings.h"
#include "data/text_format.h"
#include "data/value_range.h"
#include "tables/record_table.h"

namespace pyx {
namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;

bool isDigit(int k)
{
    return k >= '0' && k <= '9';
}

// The integer value of a group of characters, when it has one.
std::optional<std::int16_t> groupValue(const std::string& text, std::size_t at, std::size_t n)
{
    if (text.size() < at + n)
        return std::nullopt;
    const auto v = toDouble(text.substr(at, n));
    return v ? toInteger(*v) : std::nullopt;
}

// What a numeric column takes: at most maxLength characters of a number up to maxValue,
// or the text "--" where a value may not apply.
struct ColumnRule
{
    const char* name;
    std::size_t maxLength;
    int maxValue;
    bool takesDashes;
};

ColumnRule columnRule(int col)
{
    switch (col) {
    case 0:
        return {"序号", 6, 9999, true};
    case 1:
        return {"荷载", 9, static_cast<int>(kMaxLoad), false};
    case 3:
        return {"循环数", std::string::npos, 20, false};
    default:
        return {"读数", 6, static_cast<int>(kMaxReading), true};
    }
}

EditRefusal checkNumber(const std::string& text, const ColumnRule& rule)
{
    const std::optional<double> value = toDouble(text);
    if (text.size() > rule.maxLength)
        return EditRefusal::TooLong;
    if (!value)
        return EditRefusal::NotNumeric;
    return *value > rule.maxValue ? EditRefusal::TooLarge : EditRefusal::None;
}

// The first rule the time breaks. A character group that cannot be read as a number ends
// the checks: what was found up to there stands.
EditRefusal checkTime(const std::string& text)
{
    EditRefusal found = EditRefusal::None;
    const auto refuse = [&](EditRefusal r) {
        if (found == EditRefusal::None)
            found = r;
    };
    if (text.size() != 5)
        refuse(EditRefusal::TimeFormat);
    if (text == kNoTime)
        return found;
    const auto hours = groupValue(text, 0, 2);
    if (!hours)
        return found;
    if (*hours > 23)
        refuse(EditRefusal::TimeHours);
    if (text.size() < 3 || text[2] != ':')
        refuse(EditRefusal::TimeFormat);
    const auto tens = groupValue(text, 3, 1);
    if (tens && *tens > 5)
        refuse(EditRefusal::TimeMinutes);
    return found;
}

} // namespace

EditRefusal checkEdit(int col, const std::string& text)
{
    if (col == 2)
        return checkTime(text);
    const ColumnRule rule = columnRule(col);
    if (col == 3) {
        const std::optional<double> value = toDouble(text);
        return value && *value > rule.maxValue ? EditRefusal::TooLarge : EditRefusal::None;
    }
    if (rule.takesDashes && text == "--")
        return EditRefusal::None;
    return checkNumber(text, rule);
}

bool refusalBeeps(EditRefusal refusal)
{
    switch (refusal) {
    case EditRefusal::TooLong:
    case EditRefusal::NotNumeric:
    case EditRefusal::TooLarge:
        return true;
    case EditRefusal::None:
    case EditRefusal::TimeFormat:
    case EditRefusal::TimeHours:
    case EditRefusal::TimeMinutes:
        break;
    }
    return false;
}

std::string refusalReason(int col, EditRefusal refusal)
{
    const ColumnRule rule = columnRule(col);
    const std::string name = rule.name;
    switch (refusal) {
    case EditRefusal::None:
        break;
    case EditRefusal::TooLong:
        return name + "最多 " + std::to_string(rule.maxLength) + " 个字符";
    case EditRefusal::NotNumeric:
        return name + (rule.takesDashes ? "应为数字或 --" : "应为数字");
    case EditRefusal::TooLarge:
        return name + "超出范围（最大 " + std::to_string(rule.maxValue) + "）";
    case EditRefusal::TimeFormat:
        return "时间格式应为 hh:mm";
    case EditRefusal::TimeHours:
        return "小时应为 00 至 23";
    case EditRefusal::TimeMinutes:
        return "分钟应为 00 至 59";
    }
    return {};
}

void RecordEditor::keyPress(int /*row*/, int col, int& key)
{
    if (key == kEnter) {
        if (grid_.currentRow() + 1 < grid_.rows())
            grid_.setCurrent(grid_.currentRow() + 1, grid_.currentCol());
        return;
    }
    bool accept = true;
    if (col == 1) {
        accept = isDigit(key) || key == '.' || key == kBackspace;
    } else if (d_.tabmode == 1) {
        if (col == 2)
            accept = isDigit(key) || key == kBackspace || key == ':' || key == '-';
        else if (col == 3)
            accept = isDigit(key) || key == kBackspace;
        else if (col >= 4)
            accept = isDigit(key) || key == kBackspace || key == '.' || key == '-';
    }
    if (!accept)
        key = 0;
}

void RecordEditor::validate(int /*row*/, int col, const std::string& text, bool& cancel)
{
    if (d_.tabmode != 1)
        return;
    const EditRefusal refusal = checkEdit(col, text);
    if (refusal != EditRefusal::None)
        cancel = true;
    if (refusalBeeps(refusal))
        dialogs_.beep();
    setRefusal(refusalReason(col, refusal));
}

void RecordEditor::setRefusal(std::string reason)
{
    if (reason == refusal_)
        return;
    refusal_ = std::move(reason);
    if (refusalChanged)
        refusalChanged(refusal_);
}

void RecordEditor::afterEdit(int row, int col)
{
    if (d_.tabmode != 1)
        return;
    setRefusal({});
    const MarkLoads marks = markLoads(d_, grid_.rows());
    const std::string text = grid_.text(row, col);
    const std::optional<double> value = toDouble(text);
    if (col == 1 || (col >= 4 && col <= 11)) {
        grid_.setText(row, col, formatNumericText(text, "##0.00"));
    } else if (col == 3) {
        if (const auto n = value ? toInteger(*value) : std::nullopt)
            grid_.setText(row, col, formatDouble(*n, "##0"));
    }
    grid_.refresh();
    recompute(marks);
    grid_.focus();
    if (enableSave)
        enableSave();
}

void RecordEditor::mouseDown(int button, int row, int col)
{
    grid_.focus();
    if (button != 2 || row <= 0 || col <= 0 || d_.tabmode != 1)
        return;
    if (row > 1) {
        grid_.setCurrent(row, col);
        if (popupEditMenu)
            popupEditMenu();
    }
}

void RecordEditor::savejlb()
{
    // Grid rows beyond the last record-table row are not stored; jlb(200) stays for the end marker.
    const int last = std::min(grid_.rows() - 1, kJlbRows);
    for (int r = 2; r <= last; ++r) {
        JlbRec& row = d_.jlb[r - 2];
        if (const auto hz = toSingle(grid_.text(r, 1)))
            row.hz = *hz;
        row.sj.set(grid_.text(r, 2));
        if (const auto xh = toDouble(grid_.text(r, 3)))
            if (const auto n = toInteger(*xh))
                row.xh = *n;
        for (int c = 4; c <= 11; ++c)
            if (const auto v = toSingle(grid_.text(r, c)))
                row.ds[c - 4] = *v;
    }
    if (grid_.rows() <= 2) {
        d_.jlbn = 0;
        d_.jlb[0].hz = kEndLoad;
        return;
    }
    d_.jlbn = static_cast<std::int16_t>(std::min(grid_.rows() - 2, kJlbRows - 1));
    d_.jlb[d_.jlbn].hz = kEndLoad;
    d_.jlb[d_.jlbn].sj.set(kUnusedTime);
    d_.ysn = d_.jlbn;
}

bool RecordEditor::renumberCycles()
{
    if (grid_.rows() < 3 || d_.tabmode != 1)
        return false;
    int counter = 1;
    for (int r = 1; r <= grid_.rows() - 2; ++r) {
        if (grid_.text(r + 1, 1) == grid_.text(r, 1)) {
            grid_.setText(r + 1, 3, std::to_string(counter));
        } else {
            counter = 1;
            grid_.setText(r + 1, 3, "1");
        }
        if (++counter > 5)
            counter = 1;
    }
    return true;
}

void RecordEditor::recompute(const MarkLoads& marks)
{
    savejlb();
    if (evaluate)
        evaluate();
    const MarkLoads cleared = keepMarksOnLoads(d_, grid_.rows(), marks);
    if (display)
        display();
    std::string message;
    for (int which = 0; which < 2; ++which) {
        if (!cleared.load[which])
            continue;
        if (!message.empty())
            message += "\n";
        message += std::string(which == 0 ? "第一拐点（水平临界荷载）" : "第二拐点（水平极限荷载）") +
                   "所在的荷载 " + loadText(*cleared.load[which], d_.hzdecimal, d_.maxload) +
                   " kN 已不是试验的一级荷载，该标记已清除。";
    }
    if (!message.empty())
        dialogs_.message({message, "系统提示！", MsgButtons::Ok, MsgIcon::Information, 1});
}

void RecordEditor::fixCycles()
{
    const MarkLoads marks = markLoads(d_, grid_.rows());
    if (!renumberCycles())
        return;
    grid_.refresh();
    recompute(marks);
    grid_.focus();
    if (enableSave)
        enableSave();
}

void RecordEditor::fixCyclesQuiet()
{
    if (!renumberCycles())
        return;
    grid_.refresh();
    savejlb();
    if (evaluate)
        evaluate();
}

int tableCapacity(FileKind kind)
{
    // A record file has 150 rows, the last one the end marker; a logger file keeps the
    // whole record table with its readings.
    return kind == FileKind::Raw267 || kind == FileKind::Raw311 ? kJlbRows - 1 : kRecordFileRows - 1;
}

void RecordEditor::insertRow()
{
    if (d_.tabmode != 1 || d_.curfile.empty())
        return;
    if (grid_.rows() <= 2) {
        addFirstRow();
        return;
    }
    const int r = grid_.currentRow();
    if (r < 3)
        return;
    // A row the data file cannot hold would be dropped when the test is saved.
    const int capacity = tableCapacity(d_.ftype);
    if (grid_.rows() - 2 >= capacity) {
        dialogs_.message({"记录表已满（最多" + std::to_string(capacity) + "行），不能再插入行！",
                          "系统提示！", MsgButtons::Ok, MsgIcon::Information, 1});
        return;
    }
    const MarkLoads marks = markLoads(d_, grid_.rows());
    grid_.insertRow(r + 1);
    grid_.setText(r + 1, 0, std::to_string(r));
    for (int c = 1; c < grid_.cols(); ++c)
        grid_.setText(r + 1, c, grid_.text(r, c));
    for (int k = r - 1; k <= grid_.rows() - 2; ++k)
        if (k > 0)
            grid_.setText(k + 1, 0, std::to_string(k));
    grid_.refresh();
    recompute(marks);
    if (enableSave)
        enableSave();
}

void RecordEditor::addFirstRow()
{
    // A test typed in by hand starts from one row of the first cycle, no time, no readings.
    grid_.setRows(3);
    grid_.setText(2, 0, "1");
    grid_.setText(2, 1, "0");
    grid_.setText(2, 2, kNoTime);
    grid_.setText(2, 3, "1");
    for (int c = 4; c < grid_.cols(); ++c)
        grid_.setText(2, c, gaugeInUse(d_.csz, (c - 4) % 4) ? "0.00" : "--");
    grid_.setCurrent(2, 1);
    grid_.refresh();
    recompute(MarkLoads{});
    if (enableSave)
        enableSave();
}

void RecordEditor::deleteRow()
{
    const int r = grid_.currentRow();
    if (r < std::max(1, grid_.fixedRows()) || d_.tabmode != 1 || r >= grid_.rows())
        return;
    const MarkLoads marks = markLoads(d_, grid_.rows());
    grid_.removeRow(r);
    grid_.setCurrent(r < grid_.rows() ? r : grid_.rows() - 1, grid_.currentCol());
    // The serial numbers close the gap the row leaves.
    for (int k = std::max(r, grid_.fixedRows()); k < grid_.rows(); ++k)
        grid_.setText(k, 0, std::to_string(k - 1));
    grid_.refresh();
    recompute(marks);
    if (enableSave)
        enableSave();
}

} // namespace pyx
