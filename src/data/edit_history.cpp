#include "data/edit_history.h"

#include <utility>

namespace pyx {
namespace {

constexpr int kGaugeSlotRow = 31;

} // namespace

TestState TestState::of(const TestData& d)
{
    TestState s;
    s.jlb = d.jlb;
    s.jlbn = d.jlbn;
    s.csz = d.csz;
    s.kz3 = d.kz3;
    s.bjtext = d.bjtext;
    for (std::size_t i = 0; i < s.gaugeSlots.size(); ++i)
        s.gaugeSlots[i] = d.ysd[kGaugeSlotRow + i].s20a;
    return s;
}

void TestState::applyTo(TestData& d) const
{
    d.jlb = jlb;
    d.jlbn = jlbn;
    d.ysn = jlbn;
    d.csz = csz;
    d.kz3 = kz3;
    d.bjtext = bjtext;
    for (std::size_t i = 0; i < gaugeSlots.size(); ++i)
        d.ysd[kGaugeSlotRow + i].s20a = gaugeSlots[i];
}

void EditHistory::reset(const TestData& d)
{
    entries_.clear();
    pos_ = 0;
    current_ = TestState::of(d);
}

bool EditHistory::record(const TestData& d, const std::string& name)
{
    TestState now = TestState::of(d);
    if (now == current_)
        return false;
    entries_.resize(pos_);
    if (entries_.size() >= kMaxEntries)
        entries_.erase(entries_.begin());
    entries_.push_back({name, std::move(current_), now});
    pos_ = entries_.size();
    current_ = std::move(now);
    return true;
}

std::string EditHistory::undoName() const
{
    return canUndo() ? entries_[pos_ - 1].name : std::string();
}

std::string EditHistory::redoName() const
{
    return canRedo() ? entries_[pos_].name : std::string();
}

bool EditHistory::undo(TestData& d)
{
    if (!canUndo())
        return false;
    --pos_;
    current_ = entries_[pos_].before;
    current_.applyTo(d);
    return true;
}

bool EditHistory::redo(TestData& d)
{
    if (!canRedo())
        return false;
    current_ = entries_[pos_].after;
    ++pos_;
    current_.applyTo(d);
    return true;
}

} // namespace pyx
