#include "dialogs/stats_window.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "analysis/analysis_inputs.h"
#include "base/cp936.h"
#include "base/utf8_path.h"
#include "data/numfmt.h"
#include "reports/stats_report.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

std::string normalPath(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::absolute(utf8Path(path), ec);
    return utf8String((ec ? utf8Path(path) : p).lexically_normal());
}

bool testFileName(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".pys" || ext == ".pyx" || ext == ".pyw";
}

} // namespace

StatsWindow::StatsWindow(const SettingsTable& settings, Dialogs& dialogs)
    : settings_(settings), dialogs_(dialogs)
{
    settings_[setting::kLastFile].clear();
}

int StatsWindow::addFiles(const std::vector<std::string>& paths)
{
    int added = 0;
    for (const std::string& path : paths) {
        const std::string normal = normalPath(path);
        const bool listed = std::any_of(s_.rows.begin(), s_.rows.end(),
                                        [&](const PileRow& r) { return normalPath(r.file) == normal; });
        if (path.empty() || listed)
            continue;
        s_.rows.push_back(readPile(path, &settings_));
        ++added;
    }
    if (added > 0)
        refresh(false);
    return added;
}

int StatsWindow::addFolder(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(utf8Path(folder), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && testFileName(it->path()))
            files.push_back(utf8String(it->path()));
    if (ec) {
        dialogs_.message(
            {"文件夹无法读取！" + ec.message(), "提示", MsgButtons::Ok, MsgIcon::Exclamation, 1});
        return 0;
    }
    if (files.empty()) {
        dialogs_.message({"文件夹中没有试验数据文件（*.pys、*.pyx、*.pyw）！", "提示", MsgButtons::Ok,
                          MsgIcon::Information, 1});
        return 0;
    }
    std::sort(files.begin(), files.end());
    return addFiles(files);
}

void StatsWindow::remove(int row)
{
    if (row < 0 || row >= static_cast<int>(s_.rows.size()))
        return;
    s_.rows.erase(s_.rows.begin() + row);
    refresh(false);
}

int StatsWindow::moveUp(int row)
{
    if (row <= 0 || row >= static_cast<int>(s_.rows.size()))
        return row;
    std::swap(s_.rows[row], s_.rows[row - 1]);
    refresh(true);
    return row - 1;
}

int StatsWindow::moveDown(int row)
{
    if (row < 0 || row + 1 >= static_cast<int>(s_.rows.size()))
        return row;
    std::swap(s_.rows[row], s_.rows[row + 1]);
    refresh(true);
    return row + 1;
}

void StatsWindow::setTolerances(const Tolerances& t)
{
    tolerances_ = t;
    s_.warnings = consistencyWarnings(s_.rows, tolerances_);
    if (changed)
        changed();
}

const SampleStatistics& StatsWindow::statistics(PileQuantity q) const
{
    return q == PileQuantity::Hcr ? s_.hcr : q == PileQuantity::Hu ? s_.hu : s_.atDisplacement;
}

StatsResult StatsWindow::result(PileQuantity q) const
{
    return q == PileQuantity::Hcr  ? s_.hcrResult()
           : q == PileQuantity::Hu ? s_.huResult()
                                   : s_.atDisplacementResult();
}

StatsDecision& StatsWindow::decision(PileQuantity q)
{
    return q == PileQuantity::Hcr  ? s_.hcrDecision
           : q == PileQuantity::Hu ? s_.huDecision
                                   : s_.atDisplacementDecision;
}

std::optional<PileValue> StatsWindow::nextLeftOut(PileQuantity q) const
{
    const SampleStatistics& st = statistics(q);
    const int shown = shown_[index(q)];
    if (shown < 1 || shown >= static_cast<int>(st.steps.size()))
        return std::nullopt;
    return st.steps[shown].leftOut;
}

void StatsWindow::leaveOutNext(PileQuantity q)
{
    if (!nextLeftOut(q))
        return;
    ++shown_[index(q)];
    if (changed)
        changed();
}

bool StatsWindow::canConfirm(PileQuantity q) const
{
    const SampleStatistics& st = statistics(q);
    return st.needsDecision() && shown_[index(q)] == static_cast<int>(st.steps.size());
}

void StatsWindow::confirm(PileQuantity q)
{
    if (!canConfirm(q))
        return;
    decision(q) = {true, std::nullopt, {}};
    if (changed)
        changed();
}

std::optional<double> StatsWindow::checkedValue(const std::string& value, const std::string& reason)
{
    const auto v = toDouble(value);
    if (!v || !(*v > 0)) {
        dialogs_.message({"请输入大于0的数值！", "提示", MsgButtons::Ok, MsgIcon::Exclamation, 1});
        return std::nullopt;
    }
    if (trimBlanks(reason).empty()) {
        dialogs_.message({"请说明给定该值的理由！", "提示", MsgButtons::Ok, MsgIcon::Exclamation, 1});
        return std::nullopt;
    }
    return v;
}

bool StatsWindow::typeValue(PileQuantity q, const std::string& value, const std::string& reason)
{
    const auto v = checkedValue(value, reason);
    if (!v)
        return false;
    decision(q) = {false, v, trimBlanks(reason)};
    if (changed)
        changed();
    return true;
}

void StatsWindow::clearDecision(PileQuantity q)
{
    decision(q) = {};
    if (changed)
        changed();
}

bool StatsWindow::exclude(PileQuantity q, int row, const std::string& reason)
{
    if (row < 0 || row >= static_cast<int>(s_.rows.size()))
        return false;
    if (trimBlanks(reason).empty()) {
        dialogs_.message({"剔除试桩的值须说明理由（如桩身缺陷、施工或地基条件异常）！", "提示",
                          MsgButtons::Ok, MsgIcon::Exclamation, 1});
        return false;
    }
    excluded_[index(q)][s_.rows[static_cast<std::size_t>(row)].file] = trimBlanks(reason);
    applyExclusions();
    restate(s_, q);
    shown_[index(q)] = statistics(q).steps.empty() ? 0 : 1;
    if (changed)
        changed();
    return true;
}

void StatsWindow::restore(PileQuantity q, int row)
{
    if (row < 0 || row >= static_cast<int>(s_.rows.size()) ||
        excluded_[index(q)].erase(s_.rows[static_cast<std::size_t>(row)].file) == 0)
        return;
    applyExclusions();
    restate(s_, q);
    shown_[index(q)] = statistics(q).steps.empty() ? 0 : 1;
    if (changed)
        changed();
}

bool StatsWindow::excluded(PileQuantity q, int row) const
{
    return row >= 0 && row < static_cast<int>(s_.rows.size()) &&
           excluded_[index(q)].count(s_.rows[static_cast<std::size_t>(row)].file) > 0;
}

void StatsWindow::applyExclusions()
{
    std::vector<Exclusion>* lists[3] = {&s_.hcrExcluded, &s_.huExcluded, &s_.atDisplacementExcluded};
    for (int q = 0; q < 3; ++q) {
        lists[q]->clear();
        for (std::size_t r = 0; r < s_.rows.size(); ++r)
            if (const auto it = excluded_[static_cast<std::size_t>(q)].find(s_.rows[r].file);
                it != excluded_[static_cast<std::size_t>(q)].end())
                lists[q]->push_back({static_cast<int>(r), it->second});
    }
}

void StatsWindow::setCapAtMostThree(bool on)
{
    s_.capAtMostThree = on;
    refresh(false);
}

void StatsWindow::setStandard(Standard st)
{
    standardChosen_ = true;
    s_.choice.standard = st;
    if (!allowedBy(st, valueBase(s_.choice.rule)))
        s_.choice.rule = UnitCharacteristicRule::CriticalLoad;
    if (changed)
        changed();
}

std::vector<std::string> StatsWindow::lines(PileQuantity q) const
{
    const SampleStatistics& st = statistics(q);
    std::vector<std::string> out;
    if (q == PileQuantity::LoadAtDisplacement && !st.steps.empty())
        out.push_back(valuesText(st, s_.rows));
    for (int k = 0; k < shown_[index(q)] && k < static_cast<int>(st.steps.size()); ++k)
        out.push_back(stepText(st.steps[k], k, s_.rows));
    if (const auto next = nextLeftOut(q)) {
        const StatsStep& last = st.steps[shown_[index(q)] - 1];
        out.push_back("极差/平均值 " + shareText(last) + " 超过30%：可剔除最大值 " +
                      pileName(s_.rows[next->pile]) + "（" + statsNumber(next->value) + " kN）");
    }
    const std::vector<std::string>& notes = q == PileQuantity::Hcr  ? s_.hcrNotes
                                            : q == PileQuantity::Hu ? s_.huNotes
                                                                    : s_.atDisplacementNotes;
    out.insert(out.end(), notes.begin(), notes.end());
    const std::vector<std::string> decided = exclusionLines(st, s_.rows);
    out.insert(out.end(), decided.begin(), decided.end());
    const StatsResult r = result(q);
    if (r.pending && nextLeftOut(q))
        out.push_back("统计值：待逐步剔除后确认（按规则为 " + numberOrDash(r.value) + " kN）");
    else
        out.push_back("统计值：" + numberOrDash(r.value) + " kN（" + r.how + "）");
    return out;
}

void StatsWindow::setRule(UnitCharacteristicRule rule, double displacementMm)
{
    if (!allowedBy(s_.choice.standard, valueBase(rule)))
        return;
    s_.choice.rule = rule;
    if (displacementMm != s_.choice.displacementMm) {
        s_.choice.displacementMm = displacementMm;
        restate(s_, PileQuantity::LoadAtDisplacement);
        shown_[index(PileQuantity::LoadAtDisplacement)] = s_.atDisplacement.steps.empty() ? 0 : 1;
    }
    if (changed)
        changed();
}

bool StatsWindow::typeCharacteristic(const std::string& value, const std::string& reason)
{
    const auto v = checkedValue(value, reason);
    if (!v)
        return false;
    s_.choice.rule = UnitCharacteristicRule::Typed;
    s_.choice.typed = v;
    s_.choice.reason = trimBlanks(reason);
    if (changed)
        changed();
    return true;
}

void StatsWindow::buildReport(PageDocument& doc) const
{
    buildStatsReport(doc, s_);
}

void StatsWindow::refresh(bool keep)
{
    const UnitSummary before = s_;
    const std::array<int, 3> shown = shown_;
    if (!standardChosen_ && !s_.rows.empty())
        s_.choice.standard = readAnalysisInputs(s_.rows.front().file).inputs.standard;
    applyExclusions();
    summarize(s_, tolerances_);
    if (keep) {
        s_.hcrDecision = before.hcrDecision;
        s_.huDecision = before.huDecision;
        s_.atDisplacementDecision = before.atDisplacementDecision;
        shown_ = shown;
    } else {
        for (const PileQuantity q : {PileQuantity::Hcr, PileQuantity::Hu, PileQuantity::LoadAtDisplacement})
            shown_[index(q)] = statistics(q).steps.empty() ? 0 : 1;
    }
    if (changed)
        changed();
}

} // namespace pyx
