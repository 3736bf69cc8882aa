#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/io_reason.h"
#include "base/write_faults.h"

namespace pyx {
namespace {

std::string systemReason(int err)
{
#ifdef EDQUOT
    if (err == EDQUOT)
        return ioReason(ENOSPC);
#endif
    return ioReason(err);
}

IoResult writeFailure(int err)
{
    return IoResult::failed(systemReason(err));
}

// The reason for a path that is there but is no regular file.
std::string notRegularReason(mode_t mode)
{
    return S_ISDIR(mode) ? systemReason(EISDIR) : "这不是普通文件（设备、管道或套接字）";
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// The file that a path names through its symbolic links (the path itself when it is none),
// so that a save replaces the file and keeps the links. The target need not exist yet.
std::optional<std::string> linkTarget(const std::string& path, int& err)
{
    constexpr int kMaxLinks = 40;
    std::string p = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st
        {
        };
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
        if (n < 0) {
            err = errno;
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(n));
        p = target.front() == '/' ? target : folderOf(p) + "/" + target;
    }
    err = ELOOP;
    return std::nullopt;
}

} // namespace

ReadResult readWholeFile(const std::string& path, std::size_t maxBytes)
{
    ReadResult result;
    if (const int err = readFault(); err != 0) {
        result.error = systemReason(err);
        return result;
    }
    // Opened without waiting (a pipe with no writer would hold the open for ever), and
    // read only when it is a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = systemReason(errno);
        return result;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        result.error = systemReason(errno);
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = notRegularReason(st.st_mode);
        ::close(fd);
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Read straight into the result; a file that grew since fstat is read on to its end.
    std::string data(std::min(maxBytes, static_cast<std::size_t>(st.st_size)), '\0');
    std::size_t got = 0;
    char more[4096];
    while (got < maxBytes) {
        const bool inPlace = got < data.size();
        char* to = inPlace ? data.data() + got : more;
        const std::size_t room = inPlace ? data.size() - got : std::min(sizeof more, maxBytes - got);
        const ssize_t n = ::read(fd, to, room);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.error = systemReason(errno);
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        if (!inPlace)
            data.append(more, static_cast<std::size_t>(n));
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    ::close(fd);
    result.bytes = std::move(data);
    return result;
}

std::optional<unsigned long long> fileLength(const std::string& path, std::string* error)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        if (error)
            *error = systemReason(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        if (error)
            *error = notRegularReason(st.st_mode);
        return std::nullopt;
    }
    return static_cast<unsigned long long>(st.st_size);
}

namespace {

// The temporary file of a save is ".pyx-<process>-XXXXXX.tmp" beside the target: short, so a
// target whose name is near the system's limit can still be saved, and distinctive, so
// that no file of the user's can be taken for one. One that a killed program left is
// removed by the next save into the same folder.
constexpr const char* kTempStart = ".pyx-";
constexpr const char* kTempEnd = ".tmp";
constexpr std::size_t kTempRandom = 6; // the XXXXXX of mkstemps

// The process that made a temporary file of this folder, or 0 for a name of another form.
pid_t temporaryOwner(const std::string& name)
{
    const std::string start = kTempStart;
    const std::string end = kTempEnd;
    if (name.size() <= start.size() + 2 + kTempRandom + end.size() ||
        name.compare(0, start.size(), start) != 0 ||
        name.compare(name.size() - end.size(), end.size(), end) != 0)
        return 0;
    const std::size_t dash = name.size() - end.size() - kTempRandom - 1;
    const std::string digits = name.substr(start.size(), dash - start.size());
    if (name[dash] != '-' || digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    for (std::size_t i = dash + 1; i < dash + 1 + kTempRandom; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return 0;
    }
    return static_cast<pid_t>(std::stol(digits));
}

void removeStaleTemporaries(const std::string& dir)
{
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    while (const dirent* e = ::readdir(d)) {
        const pid_t pid = temporaryOwner(e->d_name);
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(d), e->d_name, 0);
    }
    ::closedir(d);
}

// write(2) of the whole buffer, meeting the injected fault at its byte.
int writeAll(int fd, const std::string& bytes)
{
    const WriteFault& fault = writeFault();
    const std::size_t stop =
        fault.step == WriteStep::Byte ? std::min(fault.byte, bytes.size()) : bytes.size();
    std::size_t done = 0;
    while (done < stop) {
        const ssize_t n = ::write(fd, bytes.data() + done, stop - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return stop < bytes.size() ? fault.error : 0;
}

// The injected error of `step`, or 0 when the step is to be done.
int injected(WriteStep step)
{
    return writeFault().step == step ? writeFault().error : 0;
}

int errorOf(int rc)
{
    return rc != 0 ? errno : 0;
}

// Gives the temporary file the owner and group of the file it replaces, or the group alone,
// or neither: what the system does not allow stays as it made the file.
bool keepOwnership(int fd, const struct stat& old)
{
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
}

} // namespace

IoResult writeFileAtomic(const std::string& linkPath, const std::string& bytes)
{
    int linkErr = 0;
    const auto target = linkTarget(linkPath, linkErr);
    if (!target)
        return writeFailure(linkErr);
    const std::string& path = *target;

    // A file marked read-only stays as it is, even for a user whom the system would let replace it.
    struct stat old
    {
    };
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A device, a pipe or a folder is never replaced by a file.
    if (exists && !S_ISREG(old.st_mode))
        return IoResult::failed(notRegularReason(old.st_mode));
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return writeFailure(EACCES);
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return writeFailure(errno);

    const std::string dir = folderOf(path);
    removeStaleTemporaries(dir);
    std::string tmp = dir + "/" + kTempStart + std::to_string(::getpid()) + "-XXXXXX" + kTempEnd;
    const int fd = ::mkstemps(tmp.data(), static_cast<int>(std::strlen(kTempEnd)));
    if (fd < 0)
        return writeFailure(errno);

    // Keep the owner, the group (each where the system allows) and the permissions of the
    // file being replaced; the mode is set last, as a change of owner clears some of its bits.
    if (exists)
        keepOwnership(fd, old);
    ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);

    if (const int err = writeAll(fd, bytes); err != 0) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return writeFailure(err);
    }
    int syncErr = injected(WriteStep::Sync);
    if (syncErr == 0)
        syncErr = errorOf(::fsync(fd));
    int closeErr = errorOf(::close(fd));
    if (closeErr == 0)
        closeErr = injected(WriteStep::Flush);
    if (syncErr != 0 || closeErr != 0) {
        ::unlink(tmp.c_str());
        return writeFailure(syncErr != 0 ? syncErr : closeErr);
    }
    int renameErr = injected(WriteStep::Rename);
    if (renameErr == 0)
        renameErr = errorOf(::rename(tmp.c_str(), path.c_str()));
    if (renameErr != 0) {
        ::unlink(tmp.c_str());
        return writeFailure(renameErr);
    }
    // The new name is on disk only once its folder is. A folder that cannot be opened for
    // reading, or a file system that does not flush folders, is taken as it is.
    int folderErr = injected(WriteStep::Folder);
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        if (folderErr == 0 && ::fsync(dirFd) != 0 && errno != EINVAL && errno != ENOTSUP)
            folderErr = errno;
        ::close(dirFd);
    }
    if (folderErr != 0)
        return IoResult::failed("文件已写入，但未能确认已存到磁盘（" + systemReason(folderErr) + "）");
    return IoResult::done();
}

void createIfMissing(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0)
        ::close(fd);
}

bool pathExists(const std::string& path)
{
    struct stat st = {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool cannotReplace(const std::string& path)
{
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    // Marked read-only counts even for a user whom the system would let write it, as in a save.
    return S_ISDIR(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(path.c_str(), W_OK) != 0;
}

} // namespace pyx
