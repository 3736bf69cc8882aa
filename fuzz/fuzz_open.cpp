// The open command on arbitrary bytes: the first byte picks the name ending; the rest is
// the file. The open runs the conversion and the completion (evaluation, record grid,
// curve); then the cycle correction, the tables and both curves.

#include "fuzz_window.h"
#include "mainwin/command_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* ending = pyx::fuzz::kEndings[data[0] % 5];
    const std::string path = pyx::fuzz::writeInput(std::string("t.") + ending, data + 1, size - 1);
    pyx::fuzz::Window w;
    w.open(path);
    using namespace pyx;
    w.window->bar.click(band::kEdit, tool::kFixCycles);
    for (const char* t : {tool::kSummary, tool::kGradientCurve, tool::kRecordTable, tool::kTimeCurve})
        w.window->bar.click(band::kChart, t);
    return 0;
}
