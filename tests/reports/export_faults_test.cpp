#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "platform/scripted_dialogs.h"
#include "reports/word_export.h"
#include "support/report_test_data.h"
#include "support/temp_dir.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

struct FixedEncoder : PictureEncoder
{
    std::string png(const Drawing&, int, int, double) const override { return std::string(900, 'P'); }
};

// About this many byte positions of a document are tried, the first and last ones each.
constexpr std::size_t kBytePoints = 240;

std::vector<WriteFault> faultsFor(std::size_t size)
{
    std::vector<WriteFault> out;
    const std::size_t stride = std::max<std::size_t>(1, size / kBytePoints);
    for (std::size_t n = 0; n < size; ++n)
        if (n < 64 || n + 64 >= size || n % stride == 0)
            out.push_back({WriteStep::Byte, n, ENOSPC});
    for (WriteStep step : {WriteStep::Flush, WriteStep::Sync, WriteStep::Rename})
        out.push_back({step, 0, EIO});
    return out;
}

// The Word export meets a failure at any byte, at the close, the flush to disk or the rename:
// the document that was there stays byte for byte, the user is told why, no closing message
// claims success, and no temporary file is left beside it.
TEST(ExportFaults, FailedWordExportKeepsTheOldDocumentAndTellsTheUser)
{
    for (const char* name : {"report.doc", "report.docx"}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        auto d = test::reportTestData(12);
        for (const int e : {70, 71, 72, 73, 78})
            d->csz[e] = "1";
        const FixedTextMeasure measure;
        const FixedEncoder encoder;
        ScriptedDialogs dialogs;
        WordExport command(*d, 14, dialogs, measure, encoder);

        ASSERT_TRUE(command.exportTo(dir.file(std::string("expected-") + name)));
        const std::string expected = test::TempDir::read(dir.file(std::string("expected-") + name));
        fs::create_directory(dir.file("out"));
        const std::string path = dir.write(std::string("out/") + name, "the document before");

        int tried = 0;
        for (const WriteFault& fault : faultsFor(expected.size())) {
            dialogs.messages.clear();
            bool written = true;
            {
                const ScopedWriteFault injected(fault);
                written = command.exportTo(path);
            }
            ++tried;
            const std::string where = "step " + std::to_string(static_cast<int>(fault.step)) + " byte " +
                                      std::to_string(fault.byte);
            ASSERT_FALSE(written) << where;
            ASSERT_EQ(test::TempDir::read(path), "the document before") << where;
            ASSERT_EQ(dialogs.messages.size(), 1u) << where;
            ASSERT_EQ(dialogs.messages[0].text.rfind("文件保存失败！", 0), 0u) << where;
            ASSERT_NE(dialogs.messages[0].text.find(fault.error == ENOSPC ? "磁盘空间不足" : "磁盘读写出错"),
                      std::string::npos)
                << where;
            ASSERT_EQ(std::distance(fs::directory_iterator(dir.file("out")), fs::directory_iterator()), 1)
                << where;
        }
        RecordProperty(std::string(name) + "_fault_points", tried);
        std::printf("%s: %d fault points\n", name, tried);

        dialogs.messages.clear();
        ASSERT_TRUE(command.exportTo(path));
        // The zip of a DOCX dates its parts: the same document, not the same bytes.
        if (wordFormatOf(path) == WordFormat::Rtf)
            EXPECT_EQ(test::TempDir::read(path), expected);
        else
            EXPECT_EQ(test::TempDir::read(path).size(), expected.size());
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

} // namespace
} // namespace pyx
