#pragma once
// A small streaming JSON writer and the dump of the model that `pyx-cli inspect` prints.

#include <string>
#include <vector>

#include "data/model.h"
#include "platform/page_outline.h"

namespace pyx {

class JsonWriter
{
public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(const std::string& k);
    void value(const std::string& s);
    void value(const char* s) { value(std::string(s)); }
    void value(float f);
    void value(double f);
    void value(long long i);
    void value(int i) { value(static_cast<long long>(i)); }
    void value(bool b);
    void null();
    void raw(const std::string& text);

    const std::string& text() const { return out_; }

private:
    void separate();
    void open(char c);
    void close(char c);
    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

// The grid texts and report matrices of the dump, filled by the windows that own them.
struct DumpExtras
{
    std::vector<std::vector<std::string>> recordGrid, simpleGrid, fullGrid;
    std::vector<std::vector<std::string>> dataJlb, dataHzb, dataYsb;
    std::string rawviewJson = "null"; // ready-made JSON of the raw data window
};

std::string dumpModel(const TestData& d, const DumpExtras& extras);

// The outline of a report document that `pyx-cli report --outline` prints.
std::string outlineJson(const DocumentOutline& outline);

} // namespace pyx
