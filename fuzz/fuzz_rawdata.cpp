// The raw data window and the raw data report on fuzzed readings: the bytes are a
// 311-byte logger file (cut to whole records).

#include "data/records.h"
#include "fuzz_window.h"
#include "rawview/raw_view.h"
#include "reports/report_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t whole = size / pyx::kYsRecSize * pyx::kYsRecSize;
    if (whole == 0)
        return 0;
    const std::string path = pyx::fuzz::writeInput("raw.pyx", data, whole);
    pyx::fuzz::Window w;
    w.open(path);
    static const auto copy = std::make_unique<pyx::TestData>();
    *copy = *w.data;
    pyx::TextGrid grid;
    pyx::RawDataView view(*copy, grid);
    view.open();
    (void)view.headerLines();
    *copy = *w.data;
    (void)pyx::DataYsb(*copy);
    return 0;
}
