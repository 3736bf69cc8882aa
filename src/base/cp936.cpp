#include "base/cp936.h"
#include "base/utf8.h"

#include <cerrno>
#include <iconv.h>

namespace pyx {

namespace {

constexpr std::string_view replacementUtf8 = "\xEF\xBF\xBD";

bool isLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// One conversion descriptor, opened on first use and kept for the thread.
class Converter
{
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

    enum class Stop
    {
        Done,
        Invalid,
        Incomplete
    };

    // Converts as much of `in` as possible, appending to `out`; `in` is advanced past what
    // was converted.
    Stop convert(std::string_view& in, std::string& out)
    {
        char chunk[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = chunk;
            std::size_t dstLeft = sizeof chunk;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(chunk, static_cast<std::size_t>(dst - chunk));
            in.remove_prefix(in.size() - srcLeft);
            if (r != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (err == E2BIG) {
                continue;
            }
            reset();
            return err == EINVAL ? Stop::Incomplete : Stop::Invalid;
        }
        // Flush any pending output of a stateful conversion.
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(chunk, static_cast<std::size_t>(dst - chunk));
        return Stop::Done;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string decodeCp936(std::string_view bytes)
{
    thread_local Converter converter("UTF-8", "CP936");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    if (!converter.valid()) {
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(c);
            } else {
                out += replacementUtf8;
            }
        }
        return out;
    }
    converter.reset();
    while (converter.convert(bytes, out) != Converter::Stop::Done) {
        // A well-formed pair without a character counts as one character.
        const bool pair = bytes.size() >= 2 && isLeadByte(static_cast<unsigned char>(bytes[0])) &&
                          isTrailByte(static_cast<unsigned char>(bytes[1]));
        out += replacementUtf8;
        bytes.remove_prefix(pair ? 2 : 1);
    }
    return out;
}

std::string encodeCp936(std::string_view utf8)
{
    thread_local Converter converter("CP936", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    if (!converter.valid()) {
        while (!utf8.empty()) {
            const std::size_t len = utf8SequenceLength(utf8);
            out.push_back(len == 1 ? utf8[0] : '?');
            utf8.remove_prefix(len == 0 ? 1 : len);
        }
        return out;
    }
    converter.reset();
    while (converter.convert(utf8, out) != Converter::Stop::Done) {
        const std::size_t len = utf8SequenceLength(utf8);
        out.push_back('?');
        utf8.remove_prefix(len == 0 ? 1 : len);
    }
    return out;
}

std::string fitField(std::string_view cp936bytes, std::size_t n)
{
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < cp936bytes.size() && out.size() < n) {
        const char c = cp936bytes[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            if (out.size() + 2 > n || i + 1 >= cp936bytes.size()) {
                out.push_back(' ');
                break;
            }
            out.push_back(c);
            out.push_back(cp936bytes[i + 1]);
            i += 2;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    out.resize(n, ' ');
    return out;
}

std::string trimBlanks(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string trimRightBlanks(std::string_view s)
{
    const std::size_t last = s.find_last_not_of(' ');
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(s.substr(0, last + 1));
}

} // namespace pyx
