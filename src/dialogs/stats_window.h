#pragma once
// The window "多桩统计": the test files of a unit project (added one by one, several at once or
// a whole folder, removed and reordered), their rows, the statistics of Hcr, Hu and the load at
// the allowed displacement with every step, the engineer's decisions and the rule of the
// characteristic value, and the summary report. The Qt window shows this state.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "analysis/pile_summary.h"
#include "platform/dialogs.h"
#include "platform/page_document.h"

namespace pyx {

class StatsWindow
{
public:
    // The tests open with `settings` (those of the main window, copied).
    StatsWindow(const SettingsTable& settings, Dialogs& dialogs);

    const UnitSummary& summary() const { return s_; }
    Dialogs& dialogs() { return dialogs_; }

    // Files. Those already listed are not added again; the count added is returned.
    int addFiles(const std::vector<std::string>& paths);
    // The test files of a folder (*.pys, *.pyx, *.pyw), in the order of their names.
    int addFolder(const std::string& folder);
    void remove(int row);
    // Moves a row one place up or down; the row's new place.
    int moveUp(int row);
    int moveDown(int row);

    // How far the piles may differ before a warning.
    void setTolerances(const Tolerances& t);
    const Tolerances& tolerances() const { return tolerances_; }

    // The statistics of one quantity as the window shows it: the steps shown so far (the first,
    // then one more each time the engineer leaves out the next value).
    const SampleStatistics& statistics(PileQuantity q) const;
    StatsResult result(PileQuantity q) const;
    int shownSteps(PileQuantity q) const { return shown_[index(q)]; }
    // The next value to leave out, when the rule leaves out one more.
    std::optional<PileValue> nextLeftOut(PileQuantity q) const;
    void leaveOutNext(PileQuantity q);
    // Confirming the rule's value: once every step is shown.
    bool canConfirm(PileQuantity q) const;
    void confirm(PileQuantity q);
    // A value typed in with its reason; a text that is no positive number or an empty reason is
    // refused with a message. True when taken.
    bool typeValue(PileQuantity q, const std::string& value, const std::string& reason);
    // Back to the rule's value, not confirmed.
    void clearDecision(PileQuantity q);
    // The lines the window shows for the quantity: the steps shown, the offer to leave out the
    // next value, the piles left out, the value.
    std::vector<std::string> lines(PileQuantity q) const;

    // A value of a pile left out by the engineer (a low value among them) with the reason, which
    // the result and the report show; an empty reason is refused with a message. True when taken.
    bool exclude(PileQuantity q, int row, const std::string& reason);
    void restore(PileQuantity q, int row);
    bool excluded(PileQuantity q, int row) const;
    // The cap holds three piles or fewer: the lowest value is taken.
    void setCapAtMostThree(bool on);
    // The rule set; a rule of the characteristic value it does not allow falls back to 0.75 × Hcr.
    void setStandard(Standard s);

    // The rule of the characteristic value (the displacement for the rules of a displacement);
    // for the typed value its text and reason, checked as typeValue checks them. True when taken.
    void setRule(UnitCharacteristicRule rule, double displacementMm = 10);
    bool typeCharacteristic(const std::string& value, const std::string& reason);
    CharacteristicValue characteristic() const { return s_.characteristic(); }

    void buildReport(PageDocument& doc) const;

    // After every change of the rows or the statistics.
    std::function<void()> changed;

private:
    static int index(PileQuantity q) { return static_cast<int>(q); }
    StatsDecision& decision(PileQuantity q);
    std::optional<double> checkedValue(const std::string& value, const std::string& reason);
    // The statistics afresh; `keep` keeps the decisions (the same piles in another order).
    void refresh(bool keep);

    SettingsTable settings_;
    Dialogs& dialogs_;
    UnitSummary s_;
    Tolerances tolerances_;
    std::array<int, 3> shown_{1, 1, 1};
    // The engineer's exclusions of each quantity, by file, with their reasons.
    std::array<std::map<std::string, std::string>, 3> excluded_;
    bool standardChosen_ = false;
    void applyExclusions();
};

} // namespace pyx
