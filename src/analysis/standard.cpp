#include "analysis/standard.h"

#include <algorithm>
#include <cctype>

#include "data/numfmt.h"

namespace pyx {

const char* standardName(Standard s)
{
    return s == Standard::Gb50007 ? "GB 50007-2011" : "JGJ 106-2014";
}

std::string standardTitle(Standard s)
{
    const char* title = s == Standard::Gb50007 ? "《建筑地基基础设计规范》" : "《建筑基桩检测技术规范》";
    return title + std::string(standardName(s));
}

const char* standardKey(Standard s)
{
    return s == Standard::Gb50007 ? "gb50007-2011" : "jgj106-2014";
}

std::optional<Standard> standardFromText(const std::string& text)
{
    std::string t;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)))
            t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (t == "jgj106" || t == "jgj1062014")
        return Standard::Jgj106;
    if (t == "gb50007" || t == "gb500072011")
        return Standard::Gb50007;
    return std::nullopt;
}

bool allowedBy(Standard s, ValueBase b)
{
    if (s == Standard::Gb50007)
        return b == ValueBase::CriticalLoad || b == ValueBase::UltimateLoad;
    return b != ValueBase::UltimateLoad;
}

double baseFactor(ValueBase b)
{
    switch (b) {
    case ValueBase::AllowableDisplacement:
        return 1.0;
    case ValueBase::UltimateLoad:
        return 0.5;
    case ValueBase::CriticalLoad:
    case ValueBase::LoadAtDisplacement:
        break;
    }
    return 0.75;
}

std::string baseRuleText(Standard s, ValueBase b, double displacementMm)
{
    const std::string mm = formatDouble(displacementMm, "#0.##");
    const std::string whole = !mm.empty() && mm.back() == '.' ? mm.substr(0, mm.size() - 1) : mm;
    if (s == Standard::Gb50007) {
        if (b == ValueBase::UltimateLoad)
            return "0.5×水平极限承载力（桩身允许裂缝，GB 50007-2011 附录S）";
        return "0.75×水平临界荷载（桩身不允许裂缝，GB 50007-2011 附录S）";
    }
    switch (b) {
    case ValueBase::LoadAtDisplacement:
        return "0.75×桩顶水平位移" + whole + "mm所对应的荷载（" +
               (displacementMm < 10 ? "对水平位移敏感的建筑物" : "对水平位移不敏感的建筑物") +
               "，JGJ 106-2014 第6.4.6条）";
    case ValueBase::AllowableDisplacement:
        return "设计要求的水平允许位移" + whole + "mm所对应的荷载（JGJ 106-2014 第6.4.6条）";
    case ValueBase::UltimateLoad:
    case ValueBase::CriticalLoad:
        break;
    }
    return "0.75×水平临界荷载（桩身不允许开裂或灌注桩配筋率小于0.65%，JGJ 106-2014 第6.4.6条）";
}

std::string statisticsClause(Standard s)
{
    return s == Standard::Gb50007 ? "GB 50007-2011 附录S" : "JGJ 106-2014 第4.4.3条、第6.4.5条";
}

} // namespace pyx
