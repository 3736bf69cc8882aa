#include "base/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "base/io_reason.h"
#include "base/wide_text_win32.h"
#include "base/write_faults.h"

namespace pyx {
namespace {

// The Windows errors a user meets most, in the words of the POSIX build; the system's own text
// for the others.
std::string systemReason(DWORD err)
{
    switch (err) {
    case ERROR_ACCESS_DENIED:
        return ioReason(EACCES);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ioReason(ENOENT);
    case ERROR_DIRECTORY:
        return ioReason(ENOTDIR);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ioReason(ENOSPC);
    case ERROR_WRITE_PROTECT:
        return ioReason(EROFS);
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return ioReason(EIO);
    case ERROR_FILENAME_EXCED_RANGE:
        return ioReason(ENAMETOOLONG);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return ioReason(EBUSY);
    default: {
        wchar_t* text = nullptr;
        const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                             FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, err, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        std::wstring message(text ? text : L"", n);
        ::LocalFree(text);
        while (!message.empty() &&
               (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
            message.pop_back();
        return message.empty() ? "系统错误 " + std::to_string(err) : utf8Text(message);
    }
    }
}

class Handle
{
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close()
    {
        if (!valid())
            return true;
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD attributesOf(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str());
}

bool isFolder(DWORD attributes)
{
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string folderOf(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? "." : path.substr(0, sep == 0 ? 1 : sep);
}

std::string nameOf(const std::string& path)
{
    const auto sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

// The temporary file of a save is ".<name>.<process>.XXXXXX" beside the target; one that a
// killed program left is removed by the next save of the same file.
std::string tempPrefix(const std::string& base)
{
    return "." + base + ".";
}

bool processRuns(DWORD pid)
{
    HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h)
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    ::CloseHandle(h);
    return running;
}

void removeStaleTemporaries(const std::string& dir, const std::string& base)
{
    const std::string prefix = tempPrefix(base);
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(widePath(dir + "/" + prefix + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = utf8Text(found.cFileName);
        if (name.size() <= prefix.size() + 8 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string rest = name.substr(prefix.size()); // <process>.XXXXXX
        const std::size_t dot = rest.size() - 7;
        if (rest[dot] != '.' || dot == 0 || dot > 9 || rest.find_first_not_of("0123456789") != dot)
            continue;
        const auto pid = static_cast<DWORD>(std::stoul(rest.substr(0, dot)));
        if (pid != ::GetCurrentProcessId() && !processRuns(pid))
            ::DeleteFileW(widePath(dir + "/" + name).c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

// A new temporary file beside the target, opened for writing only by us.
std::pair<std::string, HANDLE> createTemporary(const std::string& dir, const std::string& base)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = tempPrefix(base) + std::to_string(::GetCurrentProcessId()) + ".";
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        const std::string tmp = dir + "/" + name;
        HANDLE h = ::CreateFileW(widePath(tmp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return {tmp, h};
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return {std::string(), INVALID_HANDLE_VALUE};
}

// WriteFile of the whole buffer, meeting the injected fault at its byte; the error, or "".
std::string writeAll(HANDLE h, const std::string& bytes)
{
    const WriteFault& fault = writeFault();
    const std::size_t stop =
        fault.step == WriteStep::Byte ? std::min(fault.byte, bytes.size()) : bytes.size();
    std::size_t done = 0;
    while (done < stop) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(stop - done, 1u << 20));
        DWORD n = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &n, nullptr))
            return systemReason(::GetLastError());
        done += n;
    }
    return stop < bytes.size() ? ioReason(fault.error) : std::string();
}

// The injected failure of `step` ("" when the step is to be done), else the outcome of `ok`.
template <typename Call> std::string step(WriteStep s, Call call)
{
    if (writeFault().step == s)
        return ioReason(writeFault().error);
    return call() ? std::string() : systemReason(::GetLastError());
}

} // namespace

ReadResult readWholeFile(const std::string& path, std::size_t maxBytes)
{
    ReadResult result;
    const std::wstring wide = widePath(path);
    if (isFolder(attributesOf(wide))) {
        result.error = ioReason(EISDIR);
        return result;
    }
    Handle h(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
        const DWORD error = ::GetLastError();
        result.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        result.error = systemReason(error);
        return result;
    }
    LARGE_INTEGER size;
    if (::GetFileType(h.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(h.get(), &size)) {
        result.error = systemReason(::GetLastError());
        return result;
    }
    // Read on to the end, for a file that grew since its size was taken.
    std::string data;
    data.reserve(std::min(maxBytes, static_cast<std::size_t>(size.QuadPart)));
    char chunk[65536];
    while (data.size() < maxBytes) {
        const auto want = static_cast<DWORD>(std::min(sizeof chunk, maxBytes - data.size()));
        DWORD n = 0;
        if (!::ReadFile(h.get(), chunk, want, &n, nullptr)) {
            result.error = systemReason(::GetLastError());
            return result;
        }
        if (n == 0)
            break;
        data.append(chunk, n);
    }
    result.bytes = std::move(data);
    return result;
}

std::optional<unsigned long long> fileLength(const std::string& path, std::string* error)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &info)) {
        if (error)
            *error = systemReason(::GetLastError());
        return std::nullopt;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (error)
            *error = ioReason(EISDIR);
        return std::nullopt;
    }
    return (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

IoResult writeFileAtomic(const std::string& path, const std::string& bytes)
{
    // A file marked read-only stays as it is.
    const DWORD old = attributesOf(widePath(path));
    if (isFolder(old))
        return IoResult::failed(ioReason(EISDIR));
    if (old != kNoAttributes && (old & FILE_ATTRIBUTE_READONLY))
        return IoResult::failed(ioReason(EACCES));

    const std::string dir = folderOf(path);
    const std::string base = nameOf(path);
    removeStaleTemporaries(dir, base);
    auto [tmp, raw] = createTemporary(dir, base);
    Handle h(raw);
    if (!h.valid())
        return IoResult::failed(systemReason(::GetLastError()));
    const std::wstring wideTmp = widePath(tmp);

    std::string error = writeAll(h.get(), bytes);
    if (error.empty())
        error = step(WriteStep::Sync, [&] { return ::FlushFileBuffers(h.get()) != 0; });
    const std::string closeError = step(WriteStep::Flush, [&] { return h.close(); });
    h.close();
    if (error.empty())
        error = closeError;
    if (error.empty())
        error = step(WriteStep::Rename, [&] {
            return ::MoveFileExW(wideTmp.c_str(), widePath(path).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        });
    if (!error.empty()) {
        ::DeleteFileW(wideTmp.c_str());
        return IoResult::failed(error);
    }
    return IoResult::done();
}

bool pathExists(const std::string& path)
{
    return attributesOf(widePath(path)) != kNoAttributes;
}

bool cannotReplace(const std::string& path)
{
    const std::wstring wide = widePath(path);
    const DWORD attributes = attributesOf(wide);
    if (attributes == kNoAttributes)
        return false;
    if (isFolder(attributes) || (attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    Handle h(::CreateFileW(wide.c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    return !h.valid() && ::GetLastError() == ERROR_ACCESS_DENIED;
}

void createIfMissing(const std::string& path)
{
    Handle h(::CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace pyx
