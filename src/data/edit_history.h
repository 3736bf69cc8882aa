#pragma once
// The history of changes to the open test, for undo and redo. Each entry keeps what the
// user can change (the record table with its parameter slots, the settings, the header
// values) as it was before and after one command; undo and redo put one of them back.
// One history per open test: Open and New start a new one, Save keeps it.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "data/model.h"

namespace pyx {

// The part of the test that commands change and a save writes.
struct TestState
{
    std::array<JlbRec, kJlbRows> jlb{};
    std::int16_t jlbn = 0;
    std::array<std::string, kSettingsCount> csz{};
    std::string kz3;
    std::string bjtext;
    std::array<FixedText<20>, 4> gaugeSlots; // ysd rows 31..34 s20a: gauges in use

    static TestState of(const TestData& d);
    // Puts the state into the test; the derived tables are left to the caller to rebuild.
    void applyTo(TestData& d) const;
    bool operator==(const TestState&) const = default;
};

class EditHistory
{
public:
    static constexpr std::size_t kMaxEntries = 200; // the oldest go first

    // A new test: no history, and `state` is the state the first change starts from.
    void reset(const TestData& d);
    // After a command: when the test differs from the last known state, the change is
    // kept under `name` (and what was undone before it can no longer be redone).
    // True when an entry was added.
    bool record(const TestData& d, const std::string& name);

    bool canUndo() const { return pos_ > 0; }
    bool canRedo() const { return pos_ < entries_.size(); }
    // The names of the change undo and redo would take back or do again; empty when none.
    std::string undoName() const;
    std::string redoName() const;
    // Puts the state before (undo) or after (redo) the change back into the test. False
    // when there is nothing to undo or redo.
    bool undo(TestData& d);
    bool redo(TestData& d);
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry
    {
        std::string name;
        TestState before;
        TestState after;
    };
    std::vector<Entry> entries_;
    std::size_t pos_ = 0; // entries before pos_ are done, from pos_ on undone
    TestState current_;   // the test as the history last saw it
};

} // namespace pyx
