#include "data/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pyx {
namespace {

std::string systemReason(int err)
{
    return std::strerror(err);
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
    std::string data;
    data.reserve(std::min(maxBytes, static_cast<std::size_t>(st.st_size)));
    char chunk[65536];
    while (data.size() < maxBytes) {
        const ssize_t n = ::read(fd, chunk, std::min(sizeof chunk, maxBytes - data.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.error = systemReason(errno);
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        data.append(chunk, static_cast<std::size_t>(n));
    }
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
    if (exists && ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0))
        return writeFailure(EACCES);

    const std::string dir = folderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string tmp = dir + "/." + base + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return writeFailure(errno);

    // Keep the permissions of the file being replaced.
    ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            return writeFailure(err);
        }
        done += static_cast<std::size_t>(n);
    }
    const int syncErr = ::fsync(fd) != 0 ? errno : 0;
    const int closeErr = ::close(fd) != 0 ? errno : 0;
    if (syncErr != 0 || closeErr != 0) {
        ::unlink(tmp.c_str());
        return writeFailure(syncErr != 0 ? syncErr : closeErr);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return writeFailure(err);
    }
    // The new name is on disk only once its folder is.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return IoResult::done();
}

} // namespace pyx
