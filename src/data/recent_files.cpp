#include "data/recent_files.h"

#include <algorithm>

#include "base/config_file.h"
#include "base/file_io.h"

namespace pyx {
namespace {

constexpr std::size_t kMaxListBytes = std::size_t{64} * 1024;

std::string folderOf(const std::string& file)
{
    const auto slash = file.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : file.substr(0, slash);
}

} // namespace

RecentFiles::RecentFiles(std::string path) : path_(std::move(path))
{
    if (path_.empty())
        return;
    const ReadResult read = readWholeFile(path_, kMaxListBytes);
    if (!read.bytes)
        return;
    std::size_t at = 0;
    const std::string& text = *read.bytes;
    while (at < text.size() && entries_.size() < kMaxEntries) {
        const auto end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && std::find(entries_.begin(), entries_.end(), line) == entries_.end())
            entries_.push_back(line);
        at = end + 1;
    }
}

void RecentFiles::add(const std::string& file)
{
    if (file.empty() || file.find('\n') != std::string::npos)
        return;
    std::erase(entries_, file);
    entries_.insert(entries_.begin(), file);
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
    keep();
}

void RecentFiles::remove(const std::string& file)
{
    if (std::erase(entries_, file) > 0)
        keep();
}

void RecentFiles::clear()
{
    entries_.clear();
    keep();
}

std::string RecentFiles::lastFolder() const
{
    return entries_.empty() ? std::string() : folderOf(entries_.front());
}

std::string RecentFiles::pathBeside(const std::string& settingsPath)
{
    const std::string folder = folderOf(settingsPath);
    return folder.empty() ? std::string() : folder + "/recent.txt";
}

// The list is a convenience: a failure to keep it loses nothing the user made and is not told.
void RecentFiles::keep() const
{
    if (path_.empty())
        return;
    std::string text;
    for (const std::string& e : entries_)
        text += e + "\n";
    (void)writeConfigFile(path_, text);
}

bool recentFileExists(const std::string& file)
{
    return fileLength(file).has_value();
}

} // namespace pyx
