// Runs the built `pyx-cli inspect` on every committed sample and checks that it prints
// one well-formed JSON object with plausible numbers.

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/run_command.h"

namespace pyx {
namespace {

// Just enough of JSON to tell well-formed output from broken output.
class JsonChecker
{
public:
    explicit JsonChecker(const std::string& text) : s_(text) {}

    bool wellFormed()
    {
        if (!value())
            return false;
        blanks();
        return pos_ == s_.size();
    }

private:
    void blanks()
    {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    bool eat(char c)
    {
        blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool word(const char* w)
    {
        const std::string_view v(w);
        if (s_.compare(pos_, v.size(), v) != 0)
            return false;
        pos_ += v.size();
        return true;
    }
    bool string()
    {
        if (!eat('"'))
            return false;
        while (pos_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[pos_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (pos_ >= s_.size())
                    return false;
                const char e = s_[pos_++];
                if (e == 'u') {
                    for (int i = 0; i < 4; ++i)
                        if (pos_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[pos_++])))
                            return false;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    bool number()
    {
        const std::size_t start = pos_;
        if (pos_ < s_.size() && s_[pos_] == '-')
            ++pos_;
        while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) ||
                                    std::string_view(".eE+-").find(s_[pos_]) != std::string_view::npos))
            ++pos_;
        char* end = nullptr;
        const std::string text = s_.substr(start, pos_ - start);
        std::strtod(text.c_str(), &end);
        return !text.empty() && end == text.c_str() + text.size();
    }
    template <class Item> bool list(char close, Item item)
    {
        if (eat(close))
            return true;
        do {
            if (!item())
                return false;
        } while (eat(','));
        return eat(close);
    }
    bool value()
    {
        blanks();
        if (pos_ >= s_.size())
            return false;
        switch (s_[pos_]) {
        case '{':
            ++pos_;
            return list('}', [this] { return string() && eat(':') && value(); });
        case '[':
            ++pos_;
            return list(']', [this] { return value(); });
        case '"':
            return string();
        case 't':
            return word("true");
        case 'f':
            return word("false");
        case 'n':
            return word("null");
        default:
            return number();
        }
    }

    const std::string& s_;
    std::size_t pos_ = 0;
};

// The number after "key": at the top level of the dump.
double numberAfter(const std::string& json, const std::string& key)
{
    const auto at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return -1e9;
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

TEST(InspectSamples, EverySamplePrintsPlausibleJson)
{
    const std::filesystem::path dir = std::filesystem::path(PYX_SOURCE_DIR) / "samples";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (entry.path().extension() == ".md" || entry.is_directory())
            continue;
        const std::string name = entry.path().filename().string();
        const pyx::test::CommandRun r =
            pyx::test::runCommand(std::string("'") + PYX_CLI_PATH + "' inspect '" + entry.path().string() +
                                  "' --settings /nonexistent/spconfig.sys 2>/dev/null");
        ASSERT_EQ(r.status, 0) << name;
        const std::string& json = r.out;
        EXPECT_TRUE(JsonChecker(json).wellFormed()) << name;

        const double ftype = numberAfter(json, "ftype");
        const double jlbn = numberAfter(json, "jlbn");
        const double hzcount = numberAfter(json, "hzcount");
        EXPECT_TRUE(ftype == 0 || ftype == 1 || ftype == 2) << name;
        EXPECT_GE(jlbn, 0) << name;
        EXPECT_LE(jlbn, 200) << name;
        EXPECT_GE(hzcount, 0) << name;
        EXPECT_LE(hzcount, jlbn) << name;
        EXPECT_GT(numberAfter(json, "nstage"), 0) << name;
        if (name.rfind("bad_", 0) != 0) {
            EXPECT_GT(hzcount, 7) << name;
            EXPECT_GE(numberAfter(json, "ystep"), 0.5) << name;
            EXPECT_GT(numberAfter(json, "maxload"), 0) << name;
        }
        ++checked;
    }
    EXPECT_GE(checked, 6);
}

} // namespace
} // namespace pyx
