#pragma once
// New, Open and Save of the main window, headless: they ask through the Dialogs
// interface and hand the parts of the completion that belong to other windows to
// the hooks that the owner of the window registers.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "data/header_labels.h"
#include "data/model.h"
#include "data/raw_save_mark.h"
#include "data/settings_entries.h"
#include "platform/dialogs.h"

namespace pyx {

enum class OpenResult
{
    Opened,
    Cancelled,
    SaveFailed,
    Unreadable,
    UnknownKind
};
enum class SaveResult
{
    Saved,
    Failed
};

struct FileCommandHooks
{
    // Header labels and window caption after an open.
    std::function<void(const std::string& caption, const HeaderLabels& labels)> showHeader;
    std::function<void()> loadProjectInfo; // project information fields from the slots; sets bjtext
    std::function<void()> evaluate;        // ystodb
    std::function<void()> showRecordTable; // the record table and the quiet cycle correction
    std::function<void()> display;         // rescale and redraw the current curve
    std::function<void()> menuinfo;
    std::function<void()> focusGrid;
    std::function<void(bool)> setSaveEnabled; // the save tool in the file menu and the toolbar
    std::function<void()> clearGrid;          // New: only the two header rows remain
    std::function<void()> newProjectInfo;     // New: the project information dialog, modal
    // Another test (or none) is in the window: opened, begun with New, or a failed open.
    std::function<void()> testReplaced;
    std::function<std::string()> startFolder;            // where the open dialog starts without a file named
    std::function<void(const std::string& path)> opened; // a file was opened
    // Save As wrote the test under a new name and goes on with it.
    std::function<void(const std::string& from, const std::string& to)> savedAs;
};

class FileCommands
{
public:
    FileCommands(TestData& data, Dialogs& dialogs, std::string settingsPath)
        : d_(data), dialogs_(dialogs), settingsPath_(std::move(settingsPath))
    {
    }

    FileCommandHooks hooks;

    void newTest();
    OpenResult open();
    // Opens `path` as if the user had chosen it in the open dialog.
    OpenResult openPath(const std::string& path);
    // The Open command with the file already chosen (named on the command line, dropped on
    // the window): unsaved data are offered for saving first.
    OpenResult openChosen(const std::string& path);
    SaveResult save();
    // Save As: the test written under a name the user chooses, in its own kind; the window
    // goes on with the new file, the old one is left as it was.
    SaveResult saveAs();

    const std::string& settingsPath() const { return settingsPath_; }

private:
    bool askSaveFirst();
    OpenResult readChosen(const std::string& path);
    void readRecordFile(const std::string& bytes);
    void readRawOld(const std::string& bytes);
    void readRaw(const std::string& bytes);
    void axisStep();
    void complete();
    void leaveWithNoTest(const std::string& message);
    // The file of the test's kind; a logger file's records that the save does not rewrite
    // come from `old`, the file's bytes.
    std::string buildFile(const std::string& old);
    // A whole file, or nothing after telling the user (`failure` + the reason). With
    // `missing`, a file that is not there is not told but flagged there.
    std::optional<std::string> fileAsItIs(const std::string& path, const std::string& failure,
                                          bool* missing = nullptr);
    // After a file was written: the test is saved.
    void saved(const std::string& bytes);
    std::string buildRecordFile();
    std::string buildRawOldFile(const std::string& old);
    std::string buildRawFile(const std::string& old);

    TestData& d_;
    Dialogs& dialogs_;
    std::string settingsPath_;
    IncrementSource increments_; // of the open 311-byte file, written back with its table
    // The file as it was read (or last saved), up to the length an open reads; none for a
    // new test. A save that finds the file deleted or changed by someone else asks first.
    std::optional<std::string> onDisk_;
    std::size_t readLimit_ = 0;
    // The largest file a save reads back whole (a logger file of 200 000 readings).
    static constexpr std::size_t kMaxSavedFileBytes = 64u << 20;
};

// The header labels as the main window shows them for the open test.
HeaderLabels headerLabels(const TestData& d);
std::string windowCaption(const TestData& d);

// Writes the settings file; a failure is told to the user (the values stay in effect for
// this run). True when the file was written.
bool writeSettingsOrTell(const std::string& path, const SettingsTable& csz, Dialogs& dialogs);

} // namespace pyx
