#include "data/file_damage.h"

#include <algorithm>

#include "data/records.h"
#include "data/value_range.h"

namespace pyx {
namespace {

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

// "hh:mm" with hours 00..23 and minutes 00..59, or the "no time" text.
bool isTime(const std::string& t)
{
    if (t == kNoTime)
        return true;
    if (t.size() != 5 || t[2] != ':' || !digit(t[0]) || !digit(t[1]) || !digit(t[3]) || !digit(t[4]))
        return false;
    return (t[0] - '0') * 10 + (t[1] - '0') <= 23 && t[3] <= '5';
}

// A text with a control character or a byte sequence that decodes to no character.
bool unreadable(const std::string& text)
{
    if (text.find("\xEF\xBF\xBD") != std::string::npos)
        return true;
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

} // namespace

std::string damageMessage(const TestData& d, std::optional<unsigned long long> fileLength)
{
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows - 1);
    int numbers = 0;
    int times = 0;
    for (int i = 0; i < rows; ++i) {
        const JlbRec& r = d.jlb[i];
        numbers += usableLoad(r.hz) ? 0 : 1;
        numbers += static_cast<int>(
            std::count_if(r.ds.begin(), r.ds.end(), [](float v) { return !usableReading(v); }));
        times += isTime(r.sj.trimmed()) ? 0 : 1;
    }
    int texts = 0;
    for (int i = 0; i <= 5; ++i)
        texts += unreadable(d.jlb[i].cstr.trimmed()) ? 1 : 0;

    std::string lines;
    const auto line = [&lines](const std::string& text) { lines += "\n· " + text; };
    const std::size_t full = kRecordFileRows * kJlbRecSize;
    if (d.ftype == FileKind::Record && fileLength && *fileLength < full)
        line("文件只有 " + std::to_string(*fileLength) + " 字节，短于记录表文件的 " + std::to_string(full) +
             " 字节，缺少的部分按空行读入");
    if (numbers > 0)
        line(std::to_string(numbers) + " 个数值不是有限数或超出范围（表中显示为 --）");
    if (times > 0)
        line(std::to_string(times) + " 个观测时间不是时间");
    if (texts > 0)
        line(std::to_string(texts) + " 项工程信息文字无法识别");
    if (lines.empty())
        return {};
    return "文件可能已损坏，已尽量打开，请核对数据：" + lines;
}

} // namespace pyx
