#include "data/raw_remark.h"

#include "base/cp936.h"

namespace pyx {

std::string decodeStatusFlags(unsigned char status)
{
    const auto bit = [status](int n) { return (status >> n & 1) != 0; };
    std::string text;
    if ((status & 0x0F) != 0) {
        text = "表";
        if (bit(0))
            text += "1 ";
        if (bit(1))
            text += "2 ";
        if (bit(2))
            text += "3 ";
        if (bit(3))
            text += "4";
    }
    if (bit(4))
        text += "时间";
    if (bit(5))
        text = "中断";
    if (bit(5) && bit(6))
        text += " 欠压";
    else if (bit(6))
        text += " 手动";
    return trimBlanks(text);
}

std::string storedStatusText(const FixedText<20>& zt)
{
    const std::string_view bytes = zt.bytes();
    std::string text = decodeCp936(bytes.substr(0, bytes.find('\0')));
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return trimBlanks(text);
}

bool nameEndsWithOneOf(std::string_view name, std::initializer_list<const char*> endings)
{
    for (const std::string_view end : endings)
        if (name.size() >= end.size() && name.substr(name.size() - end.size()) == end)
            return true;
    return false;
}

bool statusIsDecoded(std::string_view curfile)
{
    return nameEndsWithOneOf(curfile, {"pys", "PYS", "pyw", "PYW", "pyx", "PYX"});
}

std::string rawViewRemark(std::string_view curfile, const FixedText<20>& zt)
{
    if (statusIsDecoded(curfile))
        return decodeStatusFlags(static_cast<unsigned char>(zt.bytes()[0]));
    return storedStatusText(zt);
}

} // namespace pyx
