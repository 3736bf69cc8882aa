// The record table's write-back on arbitrary cell texts: a test from the sample generator
// is opened once per input, and the input is a list of edits, each a row byte, a column
// byte and a text ended by a zero byte (or by the end of the input).

#include "fuzz_window.h"
#include "sample_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = [] {
        const std::string bytes = pyx::samples::recordFile(pyx::samples::CyclicTest{});
        return pyx::fuzz::writeInput("w.pys", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     bytes.size());
    }();
    pyx::fuzz::Window w;
    w.open(path);
    pyx::TextGrid& g = w.window->grid;
    std::size_t at = 0;
    while (at + 2 <= size) {
        const int row = data[at] % (g.rows() + 2);
        const int col = data[at + 1] % (g.cols() + 1);
        at += 2;
        std::string text;
        while (at < size && data[at] != 0)
            text += static_cast<char>(data[at++]);
        ++at;
        g.commitEdit(row, col, text);
    }
    return 0;
}
