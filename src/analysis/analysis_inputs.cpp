#include "analysis/analysis_inputs.h"

#include <cctype>
#include <cmath>

#include "base/file_io.h"
#include "base/json_text.h"
#include "data/flat_json.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

constexpr std::size_t kMaxSidecarBytes = std::size_t{64} * 1024;

std::optional<double> positiveNumber(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    const auto v = toDouble(*text);
    if (!v || !std::isfinite(*v) || *v <= 0)
        return std::nullopt;
    return v;
}

void number(std::string& out, const char* key, const std::optional<double>& v)
{
    out += "  " + quoteJson(key) + ": " + (v ? doubleText(*v) : std::string("null"));
}

} // namespace

const char* ruleKey(CharacteristicRule rule)
{
    switch (rule) {
    case CharacteristicRule::Displacement10:
        return "y10";
    case CharacteristicRule::Displacement6:
        return "y6";
    case CharacteristicRule::Allowable:
        return "allowable";
    case CharacteristicRule::UltimateLoad:
        return "hu";
    case CharacteristicRule::CriticalLoad:
        break;
    }
    return "hcr";
}

std::optional<CharacteristicRule> ruleFromKey(const std::string& key)
{
    for (const CharacteristicRule r :
         {CharacteristicRule::CriticalLoad, CharacteristicRule::Displacement10,
          CharacteristicRule::Displacement6, CharacteristicRule::Allowable, CharacteristicRule::UltimateLoad})
        if (key == ruleKey(r))
            return r;
    return std::nullopt;
}

ValueBase valueBase(CharacteristicRule rule)
{
    switch (rule) {
    case CharacteristicRule::Displacement10:
    case CharacteristicRule::Displacement6:
        return ValueBase::LoadAtDisplacement;
    case CharacteristicRule::Allowable:
        return ValueBase::AllowableDisplacement;
    case CharacteristicRule::UltimateLoad:
        return ValueBase::UltimateLoad;
    case CharacteristicRule::CriticalLoad:
        break;
    }
    return ValueBase::CriticalLoad;
}

std::optional<double> ruleDisplacement(const AnalysisInputs& in)
{
    switch (in.rule) {
    case CharacteristicRule::Displacement10:
        return 10.0;
    case CharacteristicRule::Displacement6:
        return 6.0;
    case CharacteristicRule::Allowable:
        return in.allowableMm;
    case CharacteristicRule::CriticalLoad:
    case CharacteristicRule::UltimateLoad:
        break;
    }
    return std::nullopt;
}

std::string ruleCaption(const AnalysisInputs& in)
{
    if (in.rule == CharacteristicRule::Allowable && !in.allowableMm)
        return "设计要求的水平允许位移所对应的荷载（未输入允许位移，JGJ 106-2014 第6.4.6条）";
    return baseRuleText(in.standard, valueBase(in.rule), ruleDisplacement(in).value_or(10));
}

CharacteristicRule ruleUnder(Standard s, CharacteristicRule rule)
{
    return allowedBy(s, valueBase(rule)) ? rule : CharacteristicRule::CriticalLoad;
}

WidthReading widthFromDiameterText(const std::string& text)
{
    std::size_t i = 0;
    // Leading signs of a diameter ("Φ", "φ", "D", "d", blanks) are not part of the number.
    while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i])) && text[i] != '.')
        ++i;
    std::size_t j = i;
    while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '.'))
        ++j;
    WidthReading r;
    const auto v = toDouble(text.substr(i, j - i));
    if (!v || *v <= 0) {
        r.unclear = true;
        return r;
    }
    std::string unit;
    for (std::size_t k = j; k < text.size(); ++k)
        if (!std::isspace(static_cast<unsigned char>(text[k])))
            unit += static_cast<char>(std::tolower(static_cast<unsigned char>(text[k])));
    const bool millimetres = unit == "mm" || (unit.empty() && *v >= 100);
    const bool metres = unit == "m" || (unit.empty() && *v <= 5);
    if (millimetres)
        r.metres = *v / 1000;
    else if (metres)
        r.metres = *v;
    else
        r.unclear = true;
    return r;
}

std::string analysisInputsPath(const std::string& dataFile)
{
    return dataFile + ".analysis.json";
}

std::string inputsJson(const AnalysisInputs& in)
{
    std::string out = "{\n";
    out += "  \"shape\": " + quoteJson(in.shape == PileShape::Square ? "square" : "round") + ",\n";
    number(out, "width_m", in.width);
    out += ",\n";
    number(out, "ei_kNm2", in.ei);
    out += ",\n";
    number(out, "embedded_m", in.embedded);
    out += ",\n";
    out += "  \"characteristic_rule\": " + quoteJson(ruleKey(in.rule)) + ",\n";
    number(out, "allowable_mm", in.allowableMm);
    out += ",\n";
    out += "  \"standard\": " + quoteJson(standardKey(in.standard)) + "\n}\n";
    return out;
}

std::optional<AnalysisInputs> inputsFromJson(const std::string& text)
{
    const auto values = parseFlatJson(text);
    if (!values)
        return std::nullopt;
    const auto get = [&](const char* key) -> std::optional<std::string> {
        const auto it = values->find(key);
        return it == values->end() ? std::nullopt : it->second;
    };
    AnalysisInputs in;
    if (get("shape") == std::optional<std::string>("square"))
        in.shape = PileShape::Square;
    in.width = positiveNumber(get("width_m"));
    in.ei = positiveNumber(get("ei_kNm2"));
    in.embedded = positiveNumber(get("embedded_m"));
    if (const auto standard = get("standard"))
        in.standard = standardFromText(*standard).value_or(Standard::Jgj106);
    if (const auto rule = get("characteristic_rule"))
        in.rule = ruleUnder(in.standard, ruleFromKey(*rule).value_or(CharacteristicRule::CriticalLoad));
    in.allowableMm = positiveNumber(get("allowable_mm"));
    return in;
}

InputsRead readAnalysisInputs(const std::string& dataFile)
{
    InputsRead r;
    const std::string path = analysisInputsPath(dataFile);
    const ReadResult read = readWholeFile(path, kMaxSidecarBytes + 1);
    if (read.missing)
        return r;
    r.found = true;
    if (!read.bytes) {
        r.problem = "无法读取分析参数文件 " + path + "：" + read.error;
        return r;
    }
    const auto in = read.bytes->size() > kMaxSidecarBytes ? std::nullopt : inputsFromJson(*read.bytes);
    if (!in) {
        r.problem = "分析参数文件 " + path + " 格式不正确，已按默认值处理。";
        return r;
    }
    r.inputs = *in;
    return r;
}

TestInputs inputsForTest(const std::string& dataFile, const std::string& diameterText)
{
    TestInputs t;
    if (!dataFile.empty())
        t.read = readAnalysisInputs(dataFile);
    if (!t.read.inputs.width) {
        const WidthReading w = widthFromDiameterText(diameterText);
        t.read.inputs.width = w.metres;
        t.widthUnclear = w.unclear;
    }
    return t;
}

IoResult writeAnalysisInputs(const std::string& dataFile, const AnalysisInputs& in)
{
    return writeFileAtomic(analysisInputsPath(dataFile), inputsJson(in));
}

} // namespace pyx
