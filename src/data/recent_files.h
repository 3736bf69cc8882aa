#pragma once
// The test files opened last, newest first, kept beside the settings file in a text file of
// their own (one UTF-8 path a line), so that the settings file keeps its fixed layout.

#include <string>
#include <vector>

namespace pyx {

class RecentFiles
{
public:
    static constexpr std::size_t kMaxEntries = 8;

    // Reads the list kept in `path`; a missing or unreadable file gives an empty list. With an
    // empty `path` the list lives for this run only.
    explicit RecentFiles(std::string path);

    const std::vector<std::string>& entries() const { return entries_; }
    // Puts `file` first (once) and keeps the list; the oldest entry beyond the limit goes.
    void add(const std::string& file);
    void remove(const std::string& file);
    void clear();
    // The folder of the newest entry, where the open dialog starts; empty without one.
    std::string lastFolder() const;

    // The path of the list beside a settings file; empty for a settings path without a folder.
    static std::string pathBeside(const std::string& settingsPath);

private:
    void keep() const;

    std::string path_;
    std::vector<std::string> entries_;
};

// True when `file` exists as a regular file (a recent entry that can still be opened).
bool recentFileExists(const std::string& file);

} // namespace pyx
