#include "analysis/qt/analysis_window_widget.h"

#include <functional>

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/analysis_plots.h"
#include "analysis/analysis_report.h"
#include "data/numfmt.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/window_placement.h"
#include "platform/recording_canvas.h"

namespace pyx {
namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

QTableWidget* makeTable(const char* name, QWidget* parent)
{
    auto* t = new QTableWidget(parent);
    t->setObjectName(name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

// A section's rows in a table: its first row as the heading, columns as wide as their texts.
void fill(QTableWidget* t, const std::vector<std::vector<std::string>>& rows)
{
    t->clear();
    if (rows.empty())
        return;
    const int cols = static_cast<int>(rows.front().size());
    t->setColumnCount(cols);
    t->setRowCount(static_cast<int>(rows.size()) - 1);
    QStringList heading;
    for (const std::string& h : rows.front())
        heading << q(h);
    t->setHorizontalHeaderLabels(heading);
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (int c = 0; c < cols && c < static_cast<int>(rows[r].size()); ++c) {
            auto* item = new QTableWidgetItem(q(rows[r][static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignCenter);
            item->setToolTip(item->text()); // a text cut by its column reads whole here
            t->setItem(static_cast<int>(r) - 1, c, item);
        }
    const QFontMetrics fm = t->fontMetrics();
    for (int c = 0; c + 1 < cols; ++c) {
        int w = fm.horizontalAdvance(heading[c]);
        for (int r = 0; r < t->rowCount(); ++r)
            if (const QTableWidgetItem* item = t->item(r, c))
                w = std::max(w, fm.horizontalAdvance(item->text()));
        t->setColumnWidth(c, w + 16);
    }
}

// The loads of a suggestion, or why there is none.
QString loadsText(const Suggestion& s)
{
    const auto one = [](const char* name, const std::optional<double>& v, int stage) {
        return std::string(name) + " = " +
               (v ? loadText(*v) + " kN（第" + std::to_string(stage) + "级）" : "—");
    };
    std::string t = one("Hcr", s.hcr, s.hcrStage) + "    " + one("Hu", s.hu, s.huStage);
    if (!s.reason.empty())
        t += "\n" + s.reason;
    return q(t);
}

// The points a method reads, a stage each: △Y0/△H0 (mm/kN) for the gradient fit and the steep
// rise, Y0 (mm) for the lgH0-lgY0 fit; a stage of fewer cycles is named so.
std::vector<std::vector<std::string>> pointRows(const TestAnalysis& a, SuggestionMethod m)
{
    const bool lg = m == SuggestionMethod::LgLog;
    std::vector<std::vector<std::string>> out{{"荷载级", lg ? "Y0(mm)" : "△Y0/△H0(mm/kN)"}};
    for (const StagePoint& p : a.points)
        out.push_back({std::to_string(p.stage) + (p.incomplete ? "（未完成）" : ""),
                       lg ? displacementText(p.y0) : formatDouble(p.dydh, "#0.0000")});
    return out;
}

} // namespace

PlotView::PlotView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(300, 170);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotView::setDrawing(Drawing drawing)
{
    drawing_ = std::move(drawing);
    update();
}

void PlotView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    PainterCanvas canvas(painter, QRectF(rect()));
    canvas.setMinimumTextPixels(11);
    canvas.setScreenScale(devicePixelRatioF());
    replay(drawing_, canvas);
}

AnalysisWindowWidget::AnalysisWindowWidget(AnalysisWindow& logic, QWidget* parent)
    : QDialog(parent), logic_(logic)
{
    setObjectName("frmAnalysis");
    setWindowTitle(QString::fromUtf8(kAnalysisCaption));
    // The plots share the height left by the tables, which scroll their own rows, so the
    // window fits a 1366×768 screen without scrolling as a whole.
    auto* whole = new QVBoxLayout(this);
    auto* content = new QWidget(this);
    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(content, 1);
    outer->addLayout(buildMethods(), 3);
    disagree_ = new QLabel(this);
    disagree_->setObjectName("lblDisagree");
    disagree_->setStyleSheet("color: #c00000; font-weight: bold;");
    outer->addWidget(disagree_);

    // Below: the inputs over the schedule check, the m figures, the m tables.
    auto* lower = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildInputs());
    left->addWidget(buildSchedule(), 1);
    lower->addLayout(left, 3);
    lower->addWidget(buildM(), 3);
    auto* stages = new QGroupBox(QString::fromUtf8("H0-m 与 Y0-m"), this);
    auto* sLayout = new QHBoxLayout(stages);
    hmTable_ = makeTable("tblHm", stages);
    ymTable_ = makeTable("tblYm", stages);
    sLayout->addWidget(hmTable_);
    sLayout->addWidget(ymTable_);
    stages->setMinimumWidth(400);
    lower->addWidget(stages, 2);
    outer->addLayout(lower, 2);
    whole->addLayout(buildButtons());

    logic_.changed = [this] { refresh(); };
    refresh();
    placeSecondaryWindow(*this, QStringLiteral("analysisWindow"), QSize(1400, 940));
}

// The three methods side by side: each its plot, its loads and its residuals.
QHBoxLayout* AnalysisWindowWidget::buildMethods()
{
    auto* methods = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        auto* box = new QGroupBox(QString::fromUtf8(methodCaption(static_cast<SuggestionMethod>(k))), this);
        auto* v = new QVBoxLayout(box);
        plots_[k] = new PlotView(box);
        plots_[k]->setObjectName(QStringLiteral("plot%1").arg(k));
        v->addWidget(plots_[k], 1);
        loads_[k] = new QLabel(box);
        loads_[k]->setObjectName(QStringLiteral("lblLoads%1").arg(k));
        loads_[k]->setWordWrap(true);
        v->addWidget(loads_[k]);
        residuals_[k] = makeTable("tblResiduals", box);
        residuals_[k]->setObjectName(QStringLiteral("tblResiduals%1").arg(k));
        residuals_[k]->setFixedHeight(residuals_[k]->fontMetrics().height() * 5);
        v->addWidget(residuals_[k]);
        methods->addWidget(box, 1);
    }
    return methods;
}

// The pile's inputs of m, the standard and the rule of the characteristic value.
QGroupBox* AnalysisWindowWidget::buildInputs()
{
    auto* inputs = new QGroupBox(QString::fromUtf8("m 的计算参数"), this);
    auto* form = new QFormLayout(inputs);
    auto* shape = new QComboBox(inputs);
    shape->setObjectName("cboShape");
    shape->addItems({QString::fromUtf8("圆桩"), QString::fromUtf8("方桩")});
    shape->setCurrentIndex(logic_.inputs().shape == PileShape::Square ? 1 : 0);
    connect(shape, &QComboBox::currentIndexChanged, this,
            [this](int i) { logic_.setShape(i == 1 ? PileShape::Square : PileShape::Round); });
    form->addRow(QString::fromUtf8("桩形"), shape);
    const auto edit = [&](const char* name, const char* label,
                          bool (AnalysisWindow::*set)(const std::string&),
                          std::string AnalysisWindow::*text) {
        auto* e = new QLineEdit(inputs);
        e->setObjectName(name);
        bindInput(e, set, text);
        form->addRow(QString::fromUtf8(label), e);
    };
    edit("txtWidth", "桩径/边长 (m)", &AnalysisWindow::setWidth, &AnalysisWindow::widthText);
    widthNote_ = new QLabel(inputs);
    widthNote_->setObjectName("lblWidthNote");
    widthNote_->setWordWrap(true);
    widthNote_->setStyleSheet("color: #c00000;");
    form->addRow(widthNote_);
    edit("txtEI", "抗弯刚度EI (kN·m²)", &AnalysisWindow::setEi, &AnalysisWindow::eiText);
    edit("txtEmbedded", "入土深度h (m)", &AnalysisWindow::setEmbedded, &AnalysisWindow::embeddedText);
    auto* standard = new QComboBox(inputs);
    standard->setObjectName("cboStandard");
    for (const Standard st : {Standard::Jgj106, Standard::Gb50007})
        standard->addItem(QString::fromUtf8(standardName(st)));
    standard->setCurrentIndex(static_cast<int>(logic_.inputs().standard));
    form->addRow(QString::fromUtf8("依据标准"), standard);
    rule_ = new QComboBox(inputs);
    rule_->setObjectName("cboRule");
    rule_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    rule_->setMinimumContentsLength(24);
    // The allowable displacement (mm) of its rule beside the rule, in one row.
    allowable_ = new QLineEdit(inputs);
    allowable_->setObjectName("txtAllowable");
    allowable_->setPlaceholderText(QString::fromUtf8("允许位移(mm)"));
    allowable_->setMaximumWidth(110);
    bindInput(allowable_, &AnalysisWindow::setAllowable, &AnalysisWindow::allowableText);
    auto* ruleRow = new QHBoxLayout;
    ruleRow->addWidget(rule_, 1);
    ruleRow->addWidget(allowable_);
    form->addRow(QString::fromUtf8("特征值取值"), ruleRow);
    fillRules();
    connect(standard, &QComboBox::currentIndexChanged, this, [this](int i) {
        logic_.setStandard(static_cast<Standard>(i));
        fillRules();
    });
    connect(rule_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            logic_.setRule(static_cast<CharacteristicRule>(rule_->itemData(i).toInt()));
        allowable_->setEnabled(logic_.inputs().rule == CharacteristicRule::Allowable);
    });
    return inputs;
}

// m at the three points with its notes, and the characteristic value.
QGroupBox* AnalysisWindowWidget::buildM()
{
    auto* mBox = new QGroupBox(QString::fromUtf8("比例系数m与特征值"), this);
    auto* mLayout = new QVBoxLayout(mBox);
    mTable_ = makeTable("tblM", mBox);
    mTable_->setFixedHeight(mTable_->fontMetrics().height() * 6);
    mLayout->addWidget(mTable_);
    mNotes_ = new QLabel(mBox);
    mNotes_->setObjectName("lblMNotes");
    mNotes_->setWordWrap(true);
    mLayout->addWidget(mNotes_);
    characteristic_ = new QLabel(mBox);
    characteristic_->setObjectName("lblCharacteristic");
    characteristic_->setWordWrap(true);
    characteristic_->setStyleSheet("font-weight: bold;");
    mLayout->addWidget(characteristic_);
    mLayout->addStretch(1);
    mBox->setMinimumWidth(440);
    return mBox;
}

QGroupBox* AnalysisWindowWidget::buildSchedule()
{
    auto* sched = new QGroupBox(QString::fromUtf8("加卸载时间检查"), this);
    auto* schedLayout = new QVBoxLayout(sched);
    schedule_ = makeTable("tblSchedule", sched);
    schedLayout->addWidget(schedule_);
    scheduleNote_ = new QLabel(sched);
    scheduleNote_->setObjectName("lblScheduleNote");
    scheduleNote_->setWordWrap(true);
    schedLayout->addWidget(scheduleNote_);
    return sched;
}

// The method whose suggestion "采用建议" takes, the button, and "关闭".
QHBoxLayout* AnalysisWindowWidget::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* choice = new QComboBox(this);
    choice->setObjectName("cboAdopt");
    for (int k = 0; k < 3; ++k)
        choice->addItem(QString::fromUtf8(methodCaption(static_cast<SuggestionMethod>(k))));
    choice->setCurrentIndex(static_cast<int>(logic_.chosen));
    connect(choice, &QComboBox::currentIndexChanged, this,
            [this](int i) { logic_.chosen = static_cast<SuggestionMethod>(i); });
    buttons->addWidget(choice);
    auto* adopt = new QPushButton(QString::fromUtf8("采用建议"), this);
    adopt->setObjectName("cmdAdopt");
    adopt->setToolTip(QString::fromUtf8("打开标记编辑，填入所选方法的建议级数，确定后才标记"));
    connect(adopt, &QPushButton::clicked, this, [this] { logic_.adopt(); });
    buttons->addWidget(adopt);
    auto* close = new QPushButton(QString::fromUtf8("关闭"), this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    return buttons;
}

// The rules the chosen standard allows, in its words; the current one selected.
void AnalysisWindowWidget::fillRules()
{
    const QSignalBlocker block(rule_);
    rule_->clear();
    AnalysisInputs in = logic_.inputs();
    for (const CharacteristicRule r : kRuleOrder) {
        if (!allowedBy(in.standard, valueBase(r)))
            continue;
        in.rule = r;
        rule_->addItem(q(ruleCaption(in)), static_cast<int>(r));
        if (r == logic_.inputs().rule)
            rule_->setCurrentIndex(rule_->count() - 1);
    }
    allowable_->setEnabled(logic_.inputs().rule == CharacteristicRule::Allowable);
}

void AnalysisWindowWidget::bindInput(QLineEdit* edit, bool (AnalysisWindow::*set)(const std::string&),
                                     std::string AnalysisWindow::*text)
{
    edit->setText(q(logic_.*text));
    // The slot holds plain callables: no member pointers are copied into Qt's slot object.
    AnalysisWindow& logic = logic_;
    std::function<bool(const std::string&)> setter = [&logic, set](const std::string& t) {
        return (logic.*set)(t);
    };
    std::function<const std::string&()> shown = [&logic, text]() -> const std::string& {
        return logic.*text;
    };
    connect(edit, &QLineEdit::editingFinished, this, [edit, setter, shown] {
        const std::string typed = edit->text().toStdString();
        if (typed == shown())
            return;
        if (!setter(typed))
            edit->setText(q(shown()));
    });
}

void AnalysisWindowWidget::refresh()
{
    const TestAnalysis& a = logic_.result();
    const AnalysisPlot plots[3] = {AnalysisPlot::Gradient, AnalysisPlot::LgLog, AnalysisPlot::Load};
    for (int k = 0; k < 3; ++k) {
        RecordingCanvas canvas;
        drawAnalysisPlot(canvas, a, plots[k]);
        plots_[k]->setDrawing(canvas.picture());
        const auto m = static_cast<SuggestionMethod>(k);
        loads_[k]->setText(loadsText(logic_.suggestion(m)));
        fill(residuals_[k], pointRows(a, m));
    }
    disagree_->setText(a.suggestions.disagree ? QString::fromUtf8(kDisagreeNote) : QString());
    disagree_->setVisible(a.suggestions.disagree);
    widthNote_->setText(q(logic_.widthNote));
    widthNote_->setVisible(!logic_.widthNote.empty());

    const AnalysisSection m = mSection(a);
    fill(mTable_, m.rows);
    QStringList notes;
    for (const std::string& n : m.notes)
        notes << q(n);
    mNotes_->setText(notes.join("\n"));

    const AnalysisSection byStage = mByStageSection(a);
    std::vector<std::vector<std::string>> hm, ym;
    for (const auto& row : byStage.rows) {
        hm.push_back({row[0], row[1], row[4], row[5]});
        ym.push_back({row[0], row[2], row[4], row[5]});
    }
    fill(hmTable_, hm);
    fill(ymTable_, ym);

    const AnalysisSection c = characteristicSection(a);
    const std::vector<std::string>& row = c.rows[1];
    std::string ch = "单桩水平承载力特征值：";
    if (a.characteristic.value)
        ch += row[2] + " kN（" + row[0] + "，依据荷载 " + row[1] + " kN，" + row[3] + "）";
    else
        ch += "—（" + row[0] + "）";
    for (const std::string& n : c.notes)
        ch += "\n" + n;
    characteristic_->setText(q(ch));
    characteristic_->setStyleSheet(a.characteristic.pending() ? "font-weight: bold; color: #c00000;"
                                                              : "font-weight: bold;");

    const AnalysisSection s = scheduleSection(a);
    fill(schedule_, s.rows);
    schedule_->resizeRowsToContents();
    QStringList sNotes;
    for (const std::string& n : s.notes)
        sNotes << q(n);
    scheduleNote_->setText(sNotes.join("\n"));
}

} // namespace pyx
