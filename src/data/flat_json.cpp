#include "data/flat_json.h"

#include <cctype>
#include <cstdlib>

#include "data/numfmt.h"

namespace pyx {
namespace {

class FlatJson
{
public:
    explicit FlatJson(const std::string& s) : s_(s) {}

    std::optional<FlatJsonValues> parse()
    {
        FlatJsonValues out;
        if (!eat('{'))
            return std::nullopt;
        if (eat('}'))
            return end(out);
        do {
            auto key = string();
            if (!key || !eat(':'))
                return std::nullopt;
            std::optional<std::string> v;
            blanks();
            if (peek() == '"') {
                v = string();
                if (!v)
                    return std::nullopt;
            } else if (!scalar(v)) {
                return std::nullopt;
            }
            out[*key] = v;
        } while (eat(','));
        if (!eat('}'))
            return std::nullopt;
        return end(out);
    }

private:
    std::optional<FlatJsonValues> end(FlatJsonValues& out)
    {
        blanks();
        if (pos_ != s_.size())
            return std::nullopt;
        return out;
    }
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
    void blanks()
    {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    bool eat(char c)
    {
        blanks();
        if (peek() != c)
            return false;
        ++pos_;
        return true;
    }
    std::optional<std::string> string()
    {
        if (!eat('"'))
            return std::nullopt;
        std::string out;
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size())
                return std::nullopt;
            const char e = s_[pos_++];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                // Only the control characters quoteJson writes this way.
                if (pos_ + 4 > s_.size())
                    return std::nullopt;
                const long code = std::strtol(s_.substr(pos_, 4).c_str(), nullptr, 16);
                pos_ += 4;
                if (code >= 0x80)
                    return std::nullopt;
                out += static_cast<char>(code);
                break;
            }
            default:
                out += e;
            }
        }
        return std::nullopt;
    }
    bool scalar(std::optional<std::string>& v)
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.' ||
                                    s_[pos_] == '-' || s_[pos_] == '+'))
            ++pos_;
        const std::string word = s_.substr(start, pos_ - start);
        if (word == "null") {
            v.reset();
            return true;
        }
        if (word == "true" || word == "false" || isNumeric(word)) {
            v = word;
            return true;
        }
        return false;
    }

    const std::string& s_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<FlatJsonValues> parseFlatJson(const std::string& text)
{
    return FlatJson(text).parse();
}

} // namespace pyx
