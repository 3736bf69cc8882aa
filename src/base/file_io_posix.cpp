#include "base/file_io.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = systemReason(errno);
        return result;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        result.error = S_ISDIR(st.st_mode) ? systemReason(EISDIR) : systemReason(errno);
        ::close(fd);
        return result;
    }
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
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error)
            *error = systemReason(S_ISDIR(st.st_mode) ? EISDIR : errno);
        return std::nullopt;
    }
    return static_cast<unsigned long long>(st.st_size);
}

namespace {

// The temporary file of a save is ".<name>.<process>.XXXXXX" beside the target; one that a
// killed program left is removed by the next save of the same file.
std::string tempPrefix(const std::string& base)
{
    return "." + base + ".";
}

void removeStaleTemporaries(const std::string& dir, const std::string& base)
{
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return;
    const std::string prefix = tempPrefix(base);
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() <= prefix.size() + 8 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string rest = name.substr(prefix.size()); // <process>.XXXXXX
        const std::size_t dot = rest.size() - 7;
        if (rest[dot] != '.' || dot == 0 || dot > 9 || rest.find_first_not_of("0123456789") != dot)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(rest.substr(0, dot)));
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(d), name.c_str(), 0);
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
    if (exists && S_ISDIR(old.st_mode))
        return writeFailure(EISDIR);
    if (exists && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0))
        return writeFailure(EACCES);

    const std::string dir = folderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    removeStaleTemporaries(dir, base);
    std::string tmp = dir + "/" + tempPrefix(base) + std::to_string(::getpid()) + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return writeFailure(errno);

    // Keep the permissions of the file being replaced.
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
    // The new name is on disk only once its folder is.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
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
