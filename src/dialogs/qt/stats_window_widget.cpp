#include "dialogs/qt/stats_window_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/numfmt.h"
#include "platform/qt/page_renderer.h"
#include "platform/qt/qt_picture_encoder.h"
#include "platform/qt/window_placement.h"
#include "reports/qt/pdf_export.h"
#include "reports/stats_report.h"
#include "reports/xlsx_export.h"

namespace pyx {
namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

constexpr std::array<PileQuantity, 3> kQuantities{PileQuantity::Hcr, PileQuantity::Hu,
                                                  PileQuantity::LoadAtDisplacement};

constexpr const char* kColumns[] = {"试桩编号",         "工程名称",       "测试日期", "桩径(mm)",
                                    "桩长(m)",          "最大荷载(kN)",   "Hcr(kN)",  "Hu(kN)",
                                    "最大荷载时Y0(mm)", "建议Hcr/Hu(kN)", "备注",     "文件"};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
constexpr int kSuggestionColumn = 9;

// The rules of the characteristic value in the order of the list; the standard decides which
// are offered.
struct RuleEntry
{
    const char* text;
    UnitCharacteristicRule rule;
    double mm;
};
constexpr RuleEntry kRules[] = {
    {"0.75 × 水平临界荷载 Hcr 的统计值", UnitCharacteristicRule::CriticalLoad, 10},
    {"0.75 × 水平位移 10 mm 时荷载的统计值", UnitCharacteristicRule::Displacement, 10},
    {"0.75 × 水平位移 6 mm 时荷载的统计值（位移敏感建筑物）", UnitCharacteristicRule::Displacement, 6},
    {"设计要求的水平允许位移对应荷载的统计值", UnitCharacteristicRule::Allowable, 0},
    {"0.5 × 水平极限承载力 Hu 的统计值（桩身允许裂缝）", UnitCharacteristicRule::UltimateLoad, 10},
    {"给定值（须说明理由）", UnitCharacteristicRule::Typed, 10},
};

bool offered(Standard s, const RuleEntry& r)
{
    return r.rule == UnitCharacteristicRule::Typed || allowedBy(s, valueBase(r.rule));
}

QString joinedLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines)
        out << qs(l);
    return out.join('\n');
}

} // namespace

StatsWindowWidget::StatsWindowWidget(StatsWindow& logic, QWidget* parent) : QDialog(parent), logic_(logic)
{
    setObjectName("frmStats");
    setWindowTitle(QString::fromUtf8("多桩统计"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    table_ = new QTableWidget(0, kColumnCount, this);
    table_->setObjectName("piles");
    QStringList heads;
    for (const char* h : kColumns)
        heads << QString::fromUtf8(h);
    table_->setHorizontalHeaderLabels(heads);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);

    auto* stats = new QHBoxLayout;
    for (const PileQuantity q : kQuantities)
        stats->addWidget(buildStatsBox(q), 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFileButtons());
    layout->addWidget(table_, 1);
    layout->addLayout(stats, 1);
    layout->addWidget(buildRule());
    layout->addWidget(buildReportButtons());

    logic_.changed = [this] { showLogic(); };
    showLogic();
    placeSecondaryWindow(*this, QStringLiteral("statsWindow"), QSize(1280, 860));
}

QWidget* StatsWindowWidget::buildFileButtons()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* name, const char* text, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(text), bar);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    button("addFiles", "添加文件…", [this] { addFiles(); });
    button("addFolder", "添加文件夹…", [this] { addFolder(); });
    button("removeFile", "移除", [this] { logic_.remove(selectedRow()); });
    button("moveUp", "上移", [this] { selectRow(logic_.moveUp(selectedRow())); });
    button("moveDown", "下移", [this] { selectRow(logic_.moveDown(selectedRow())); });
    row->addSpacing(24);
    const char* tolerances[] = {"桩径容差(%)", "桩长容差(%)", "日期相差(天)"};
    const Tolerances& t = logic_.tolerances();
    const int values[] = {static_cast<int>(t.diameterPercent), static_cast<int>(t.lengthPercent), t.dateDays};
    for (int k = 0; k < 3; ++k) {
        row->addWidget(new QLabel(QString::fromUtf8(tolerances[k]), bar));
        auto* spin = new QSpinBox(bar);
        spin->setRange(0, k == 2 ? 3650 : 100);
        spin->setValue(values[k]);
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            logic_.setTolerances({static_cast<double>(tolerance_[0]->value()),
                                  static_cast<double>(tolerance_[1]->value()), tolerance_[2]->value()});
        });
        tolerance_[k] = spin;
        row->addWidget(spin);
    }
    row->addStretch(1);
    return bar;
}

QWidget* StatsWindowWidget::buildStatsBox(PileQuantity q)
{
    const int k = static_cast<int>(q);
    StatsBox& b = boxes_[k];
    b.box = new QGroupBox(this);
    b.box->setObjectName(QString("stats%1").arg(k));
    auto* grid = new QGridLayout(b.box);
    b.lines = new QLabel(b.box);
    b.lines->setWordWrap(true);
    b.lines->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    b.lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The steps of a long statistics scroll inside the box; the buttons below stay in view.
    auto* scroll = new QScrollArea(b.box);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(b.lines);
    scroll->setMinimumHeight(110);
    grid->addWidget(scroll, 0, 0, 1, 4);
    b.leaveOut = new QPushButton(QString::fromUtf8("剔除该值"), b.box);
    b.leaveOut->setObjectName(QString("leaveOut%1").arg(k));
    b.confirm = new QPushButton(QString::fromUtf8("确认统计值"), b.box);
    b.confirm->setObjectName(QString("confirm%1").arg(k));
    b.byRule = new QPushButton(QString::fromUtf8("按规则"), b.box);
    b.byRule->setObjectName(QString("byRule%1").arg(k));
    grid->addWidget(b.leaveOut, 1, 0);
    grid->addWidget(b.confirm, 1, 1);
    grid->addWidget(b.byRule, 1, 2);
    b.value = new QLineEdit(b.box);
    b.value->setObjectName(QString("value%1").arg(k));
    b.value->setPlaceholderText(QString::fromUtf8("给定值(kN)"));
    b.value->setMaximumWidth(90);
    b.reason = new QLineEdit(b.box);
    b.reason->setObjectName(QString("reason%1").arg(k));
    b.reason->setPlaceholderText(QString::fromUtf8("理由"));
    b.useValue = new QPushButton(QString::fromUtf8("采用给定值"), b.box);
    b.useValue->setObjectName(QString("useValue%1").arg(k));
    grid->addWidget(b.value, 2, 0);
    grid->addWidget(b.reason, 2, 1, 1, 2);
    grid->addWidget(b.useValue, 2, 3);
    auto* exclude = new QPushButton(QString::fromUtf8("剔除所选试桩（须填理由）"), b.box);
    exclude->setObjectName(QString("exclude%1").arg(k));
    exclude->setToolTip(QString::fromUtf8("工程师查明原因后剔除表中所选试桩的值，理由写入结果和报告"));
    auto* restore = new QPushButton(QString::fromUtf8("恢复所选试桩"), b.box);
    restore->setObjectName(QString("restore%1").arg(k));
    grid->addWidget(exclude, 3, 0, 1, 2);
    grid->addWidget(restore, 3, 2);
    connect(exclude, &QPushButton::clicked, this,
            [this, q, &b] { logic_.exclude(q, selectedRow(), b.reason->text().toStdString()); });
    connect(restore, &QPushButton::clicked, this, [this, q] { logic_.restore(q, selectedRow()); });
    grid->setRowStretch(0, 1);
    connect(b.leaveOut, &QPushButton::clicked, this, [this, q] { logic_.leaveOutNext(q); });
    connect(b.confirm, &QPushButton::clicked, this, [this, q] { logic_.confirm(q); });
    connect(b.byRule, &QPushButton::clicked, this, [this, q] { logic_.clearDecision(q); });
    connect(b.useValue, &QPushButton::clicked, this, [this, q, &b] {
        logic_.typeValue(q, b.value->text().toStdString(), b.reason->text().toStdString());
    });
    return b.box;
}

QWidget* StatsWindowWidget::buildRule()
{
    auto* box = new QGroupBox(QString::fromUtf8("水平承载力特征值"), this);
    auto* grid = new QGridLayout(box);
    standard_ = new QComboBox(box);
    standard_->setObjectName("standard");
    for (const Standard st : {Standard::Jgj106, Standard::Gb50007})
        standard_->addItem(QString::fromUtf8(standardName(st)));
    connect(standard_, &QComboBox::activated, this,
            [this](int index) { logic_.setStandard(static_cast<Standard>(index)); });
    cap_ = new QCheckBox(QString::fromUtf8("承台桩数不超过3根（取最小值）"), box);
    cap_->setObjectName("capLe3");
    connect(cap_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_)
            logic_.setCapAtMostThree(on);
    });
    rule_ = new QComboBox(box);
    rule_->setObjectName("rule");
    connect(rule_, &QComboBox::activated, this, [this](int index) { ruleChosen(index); });
    allowable_ = new QLineEdit(box);
    allowable_->setObjectName("allowable");
    allowable_->setPlaceholderText(QString::fromUtf8("允许位移(mm)"));
    allowable_->setMaximumWidth(100);
    connect(allowable_, &QLineEdit::editingFinished, this, [this] { ruleChosen(rule_->currentIndex()); });
    ruleValue_ = new QLineEdit(box);
    ruleValue_->setObjectName("ruleValue");
    ruleValue_->setPlaceholderText(QString::fromUtf8("特征值(kN)"));
    ruleValue_->setMaximumWidth(100);
    ruleReason_ = new QLineEdit(box);
    ruleReason_->setObjectName("ruleReason");
    ruleReason_->setPlaceholderText(QString::fromUtf8("理由"));
    useRuleValue_ = new QPushButton(QString::fromUtf8("采用给定值"), box);
    useRuleValue_->setObjectName("useRuleValue");
    connect(useRuleValue_, &QPushButton::clicked, this, [this] {
        logic_.typeCharacteristic(ruleValue_->text().toStdString(), ruleReason_->text().toStdString());
    });
    result_ = new QLabel(box);
    result_->setObjectName("result");
    QFont bold = result_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    result_->setFont(bold);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    warnings_ = new QLabel(box);
    warnings_->setObjectName("warnings");
    warnings_->setStyleSheet("color: #b00000;");
    warnings_->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QString::fromUtf8("依据标准"), box));
    top->addWidget(standard_);
    top->addWidget(cap_);
    top->addStretch(1);
    grid->addLayout(top, 0, 0, 1, 6);
    grid->addWidget(new QLabel(QString::fromUtf8("取值规则"), box), 1, 0);
    grid->addWidget(rule_, 1, 1);
    grid->addWidget(allowable_, 1, 2);
    grid->addWidget(ruleValue_, 1, 3);
    grid->addWidget(ruleReason_, 1, 4);
    grid->addWidget(useRuleValue_, 1, 5);
    grid->addWidget(result_, 2, 0, 1, 6);
    grid->addWidget(warnings_, 3, 0, 1, 6);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* StatsWindowWidget::buildReportButtons()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    const auto button = [&](const char* name, const char* text, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(text), bar);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
    };
    button("preview", "汇总表预览…", [this] { preview(); });
    button("print", "打印…", [this] { print(); });
    button("exportPdf", "导出PDF…", [this] { exportPdf(); });
    button("exportWord", "导出Word…", [this] { exportWord(); });
    button("exportExcel", "导出Excel…", [this] { exportExcel(); });
    button("close", "关闭", [this] { accept(); });
    return bar;
}

void StatsWindowWidget::addFiles()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QString::fromUtf8("添加试验数据文件"), QString(),
                                      QString::fromUtf8("试验数据文件 (*.pys *.pyx *.pyw);;所有文件 (*)"));
    std::vector<std::string> paths;
    for (const QString& f : files)
        paths.push_back(f.toStdString());
    logic_.addFiles(paths);
}

void StatsWindowWidget::addFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QString::fromUtf8("添加文件夹中的试验数据文件"));
    if (!folder.isEmpty())
        logic_.addFolder(folder.toStdString());
}

void StatsWindowWidget::preview()
{
    PageDocument doc(measure_);
    logic_.buildReport(doc);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("汇总表预览"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&doc](QPrinter* p) { renderPages(doc.pages(), doc.setup(), *p); });
    dialog.resize(900, 1000);
    dialog.exec();
}

void StatsWindowWidget::print()
{
    PageDocument doc(measure_);
    logic_.buildReport(doc);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(kTitleStats));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!renderPages(doc.pages(), doc.setup(), printer))
        logic_.dialogs().message({"打印失败！", "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
}

void StatsWindowWidget::exportPdf()
{
    const std::string path = logic_.dialogs().saveFile({"PDF(*.pdf)|*.pdf", 1, "结果汇总表.pdf", "导出PDF"});
    if (path.empty())
        return;
    PageDocument doc(measure_);
    logic_.buildReport(doc);
    exportPdfAndTell(doc, path, logic_.dialogs());
}

void StatsWindowWidget::exportWord()
{
    const std::string path = logic_.dialogs().saveFile({kWordFilter, 3, "结果汇总表", "导出Word"});
    if (path.empty())
        return;
    const QtPictureEncoder encoder;
    if (const IoResult written =
            exportStatsWord(logic_.summary(), measure_, encoder, path, wordFormatOf(path));
        !written) {
        logic_.dialogs().message(
            {"文件保存失败！\n" + written.reason(), "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    logic_.dialogs().message({"Word文件导出结束！", "提示", MsgButtons::Ok, MsgIcon::Information, 1});
}

void StatsWindowWidget::exportExcel()
{
    const std::string path = logic_.dialogs().saveFile({kXlsxFilter, 1, "结果汇总表.xlsx", "导出Excel"});
    if (path.empty())
        return;
    const QtPictureEncoder encoder;
    if (const IoResult written = exportStatsXlsx(logic_.summary(), measure_, encoder, path); !written) {
        logic_.dialogs().message(
            {"文件保存失败！\n" + written.reason(), "提示", MsgButtons::Ok, MsgIcon::Critical, 1});
        return;
    }
    logic_.dialogs().message({"Excel文件导出结束！", "提示", MsgButtons::Ok, MsgIcon::Information, 1});
}

void StatsWindowWidget::ruleChosen(int index)
{
    if (syncing_ || index < 0)
        return;
    const int k = rule_->itemData(index).toInt();
    if (k < 0 || k >= static_cast<int>(std::size(kRules)))
        return;
    const RuleEntry& r = kRules[k];
    if (r.rule == UnitCharacteristicRule::Allowable) {
        const auto mm = toDouble(allowable_->text().toStdString());
        if (!mm || !(*mm > 0)) {
            allowable_->setFocus();
            return;
        }
        logic_.setRule(r.rule, *mm);
        return;
    }
    logic_.setRule(r.rule, r.mm);
}

int StatsWindowWidget::selectedRow() const
{
    const auto rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void StatsWindowWidget::selectRow(int row)
{
    if (row >= 0 && row < table_->rowCount())
        table_->selectRow(row);
}

void StatsWindowWidget::showLogic()
{
    syncing_ = true;
    const int selected = selectedRow();
    showTable();
    selectRow(selected);
    for (const PileQuantity q : kQuantities)
        showStats(q);
    const CharacteristicChoice& c = logic_.summary().choice;
    standard_->setCurrentIndex(static_cast<int>(c.standard));
    cap_->setChecked(logic_.summary().capAtMostThree);
    rule_->clear();
    for (int k = 0; k < static_cast<int>(std::size(kRules)); ++k) {
        if (!offered(c.standard, kRules[k]))
            continue;
        rule_->addItem(QString::fromUtf8(kRules[k].text), k);
        if (kRules[k].rule == c.rule &&
            (c.rule != UnitCharacteristicRule::Displacement || kRules[k].mm == c.displacementMm))
            rule_->setCurrentIndex(rule_->count() - 1);
    }
    allowable_->setEnabled(c.standard == Standard::Jgj106);
    const bool typed = c.rule == UnitCharacteristicRule::Typed;
    ruleValue_->setEnabled(typed);
    ruleReason_->setEnabled(typed);
    useRuleValue_->setEnabled(typed);
    boxes_[static_cast<int>(PileQuantity::LoadAtDisplacement)].box->setVisible(c.usesDisplacement());
    const CharacteristicValue ra = logic_.characteristic();
    result_->setText(
        qs("单桩水平承载力特征值 Ra = " + (ra.value ? characteristicNumber(*ra.value) : std::string("—")) +
           " kN" + (ra.pending ? "（统计值待确认）" : "") + "    " + ra.how));
    warnings_->setText(logic_.summary().warnings.empty()
                           ? QString()
                           : QString::fromUtf8("注意：") + joinedLines(logic_.summary().warnings));
    syncing_ = false;
}

void StatsWindowWidget::showTable()
{
    const std::vector<PileRow>& rows = logic_.summary().rows;
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const PileRow& r = rows[i];
        const std::array<std::string, kColumnCount> cells{
            pileName(r),         r.project,          r.date,
            r.diameter,          r.length,           numberOrDash(r.maxLoad),
            numberOrDash(r.hcr), numberOrDash(r.hu), displacementOrDash(r.y0AtMax),
            suggestionText(r),   notesText(r),       r.file};
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(qs(cells[c]));
            if (c >= 5 && c <= kSuggestionColumn)
                item->setTextAlignment(Qt::AlignCenter);
            if (c == kSuggestionColumn)
                item->setToolTip(qs(suggestionDetail(r)));
            // A missing mark, or one far from the suggestion, stands out.
            if ((c == 6 && (!r.hcr || r.hcrDoubtful)) || (c == 7 && (!r.hu || r.huDoubtful)) ||
                (!r.opened && c == 10))
                item->setBackground(QColor(255, 228, 196));
            if (c == kColumnCount - 1) {
                // The file's name, its path in the tooltip.
                item->setText(QFileInfo(qs(r.file)).fileName());
                item->setToolTip(qs(r.file));
            }
            table_->setItem(i, c, item);
        }
    }
    table_->resizeColumnsToContents();
}

void StatsWindowWidget::showStats(PileQuantity q)
{
    StatsBox& b = boxes_[static_cast<int>(q)];
    b.box->setTitle(qs(quantityName(q, logic_.summary().choice.displacementMm) + " 统计"));
    b.lines->setText(joinedLines(logic_.lines(q)));
    const auto next = logic_.nextLeftOut(q);
    b.leaveOut->setEnabled(next.has_value());
    b.leaveOut->setText(next ? qs("剔除 " + pileName(logic_.summary().rows[next->pile]) + "（" +
                                  statsNumber(next->value) + "）")
                             : QString::fromUtf8("剔除该值"));
    b.confirm->setEnabled(logic_.canConfirm(q) && logic_.result(q).pending);
}

} // namespace pyx
