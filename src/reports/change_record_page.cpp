#include "reports/change_record_page.h"

#include <algorithm>

#include "data/change_record.h"
#include "data/header_labels.h"
#include "data/numfmt.h"

namespace pyx {
namespace {

constexpr double kRowHeight = 280;
constexpr std::size_t kFirstPageRows = 36; // under the title and the file's fingerprint
constexpr std::size_t kPageRows = 44;

std::string value(float v)
{
    return formatSingle(v, "#0.00");
}

void heading(PageDocument& doc, const TestData& d)
{
    doc.setFontSize(18);
    doc.setBold(true);
    doc.setAlign(TextAlign::Center);
    doc.paragraph(kTitleChangeRecord);
    doc.setBold(false);
    doc.setFontSize(10.5);
    doc.setAlign(TextAlign::Left);
    doc.paragraph(kProjectLabel + d.jlb[0].cstr.trimmed() + "    " + kPileLabel + d.jlb[1].cstr.trimmed());
}

void editTable(PageDocument& doc, const std::vector<std::vector<std::string>>& rows, std::size_t from,
               std::size_t count)
{
    static constexpr double kWidths[] = {900, 1300, 900, 1700, 1700, 1700};
    Table t(6, static_cast<int>(count) + 1);
    t.setDefaultRowHeight(kRowHeight);
    for (int c = 0; c < 6; ++c)
        t.setColWidth(c + 1, kWidths[c]);
    const auto put = [&](int r, const std::vector<std::string>& texts) {
        for (int c = 0; c < 6; ++c) {
            t.setText(r, c + 1, texts[static_cast<std::size_t>(c)]);
            t.setAlign(r, c + 1, TextAlign::Center);
        }
    };
    put(1, rows.front());
    for (std::size_t k = 0; k < count; ++k)
        put(static_cast<int>(k) + 2, rows[from + k]);
    doc.setFontSize(9);
    doc.setAlign(TextAlign::Center);
    doc.table(std::move(t));
    doc.setAlign(TextAlign::Left);
    doc.setFontSize(10.5);
}

} // namespace

std::vector<std::vector<std::string>> changeRecordRows(const TestData& d)
{
    std::vector<std::vector<std::string>> rows{
        {"行号", "荷载(kN)", "循环数", "项目", "记录仪读数", "采用值"}};
    for (const TableEdit& e : tableEdits(d)) {
        switch (e.kind) {
        case TableEdit::Kind::Changed:
            rows.push_back({std::to_string(e.row), value(e.load), std::to_string(e.cycle),
                            editColumnName(e.col), value(e.loggerValue), value(e.tableValue)});
            break;
        case TableEdit::Kind::Inserted:
            rows.push_back({std::to_string(e.row), value(e.load), std::to_string(e.cycle), "整行", "（无）",
                            "插入的行"});
            break;
        case TableEdit::Kind::Deleted:
            rows.push_back({std::to_string(e.row), value(e.load), std::to_string(e.cycle), "整行",
                            "记录仪第 " + std::to_string(e.loggerRow) + " 行", "已删除"});
            break;
        }
    }
    return rows;
}

void ChangeRecordPages(PageDocument& doc, const TestData& d, const std::function<void()>& endPage)
{
    heading(doc, d);
    if (!d.logger.held) {
        doc.paragraph(
            d.ftype == FileKind::Raw267
                ? "本试验为 267 字节记录的记录仪文件：这种文件不单独保留记录仪的原始读数，无法与之对照。"
                : "本试验为记录表文件（*.pys），没有记录仪的原始读数，无法与之对照。");
        endPage();
        return;
    }
    doc.paragraph("记录仪读数的 SHA-256（前 " + std::to_string(d.logger.readings) +
                  " 条记录中记录仪自身的部分，保存不会改动）：");
    doc.paragraph(d.logger.sha256);
    const std::vector<std::vector<std::string>> rows = changeRecordRows(d);
    if (rows.size() == 1) {
        doc.paragraph("记录表与记录仪读数一致，没有修改。");
        endPage();
        return;
    }
    doc.paragraph("记录表与记录仪读数不同之处共 " + std::to_string(rows.size() - 1) + " 处：");
    std::size_t next = 1;
    std::size_t room = kFirstPageRows;
    while (next < rows.size()) {
        const std::size_t count = std::min(room, rows.size() - next);
        editTable(doc, rows, next, count);
        next += count;
        endPage();
        if (next < rows.size())
            doc.newPage();
        room = kPageRows;
    }
}

} // namespace pyx
