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

// Residuals of the fit per stage; for the kink rule each stage's △Y0/△H0 over the mean before.
std::vector<std::vector<std::string>> residualRows(const TestAnalysis& a, SuggestionMethod m,
                                                   const Suggestion& s)
{
    std::vector<std::vector<std::string>> rows{{"级数"}, {m == SuggestionMethod::Kink ? "△Y0/△H0" : "残差"}};
    if (m == SuggestionMethod::Kink) {
        for (const StagePoint& p : a.points) {
            rows[0].push_back(std::to_string(p.stage));
            rows[1].push_back(formatDouble(p.dydh, "#0.0000"));
        }
    } else if (s.fit) {
        std::size_t k = 0;
        for (const StagePoint& p : a.points) {
            if (m == SuggestionMethod::LgLog && (p.h0 <= 0 || p.y0 <= 0))
                continue;
            if (k >= s.fit->residuals.size())
                break;
            rows[0].push_back(std::to_string(p.stage));
            char buf[32];
            std::snprintf(buf, sizeof buf, "%+.1e", s.fit->residuals[k++]);
            rows[1].push_back(buf);
        }
    }
    // One row a stage: its number and value.
    std::vector<std::vector<std::string>> out(1);
    for (const auto& r : rows)
        out[0].push_back(r.front());
    for (std::size_t c = 1; c < rows[0].size(); ++c)
        out.push_back({rows[0][c], rows[1][c]});
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
    outer->addLayout(methods, 3);
    disagree_ = new QLabel(this);
    disagree_->setObjectName("lblDisagree");
    disagree_->setStyleSheet("color: #c00000; font-weight: bold;");
    outer->addWidget(disagree_);

    // Below: the inputs over the schedule check, the m figures, the m tables.
    auto* lower = new QHBoxLayout;
    auto* left = new QVBoxLayout;
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
        return e;
    };
    edit("txtWidth", "桩径/边长 (m)", &AnalysisWindow::setWidth, &AnalysisWindow::widthText);
    widthNote_ = new QLabel(inputs);
    widthNote_->setObjectName("lblWidthNote");
    widthNote_->setWordWrap(true);
    widthNote_->setStyleSheet("color: #c00000;");
    form->addRow(widthNote_);
    edit("txtEI", "抗弯刚度EI (kN·m²)", &AnalysisWindow::setEi, &AnalysisWindow::eiText);
    edit("txtEmbedded", "入土深度h (m)", &AnalysisWindow::setEmbedded, &AnalysisWindow::embeddedText);
    auto* rule = new QComboBox(inputs);
    rule->setObjectName("cboRule");
    for (const CharacteristicRule r : {CharacteristicRule::CriticalLoad, CharacteristicRule::Displacement10,
                                       CharacteristicRule::Displacement6})
        rule->addItem(QString::fromUtf8(ruleCaption(r)));
    rule->setCurrentIndex(static_cast<int>(logic_.inputs().rule));
    connect(rule, &QComboBox::currentIndexChanged, this,
            [this](int i) { logic_.setRule(static_cast<CharacteristicRule>(i)); });
    form->addRow(QString::fromUtf8("特征值取值"), rule);
    left->addWidget(inputs);

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
    lower->addWidget(mBox, 3);

    auto* stages = new QGroupBox(QString::fromUtf8("H0-m 与 Y0-m"), this);
    auto* sLayout = new QHBoxLayout(stages);
    hmTable_ = makeTable("tblHm", stages);
    ymTable_ = makeTable("tblYm", stages);
    sLayout->addWidget(hmTable_);
    sLayout->addWidget(ymTable_);
    stages->setMinimumWidth(400);
    lower->addWidget(stages, 2);

    auto* sched = new QGroupBox(QString::fromUtf8("加卸载时间检查"), this);
    auto* schedLayout = new QVBoxLayout(sched);
    schedule_ = makeTable("tblSchedule", sched);
    schedLayout->addWidget(schedule_);
    scheduleNote_ = new QLabel(sched);
    scheduleNote_->setObjectName("lblScheduleNote");
    scheduleNote_->setWordWrap(true);
    schedLayout->addWidget(scheduleNote_);
    left->addWidget(sched, 1);
    lower->insertLayout(0, left, 3);
    outer->addLayout(lower, 2);

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
    whole->addLayout(buttons);

    logic_.changed = [this] { refresh(); };
    refresh();
    placeSecondaryWindow(*this, QStringLiteral("analysisWindow"), QSize(1400, 940));
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
        fill(residuals_[k], residualRows(a, m, logic_.suggestion(m)));
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
        hm.push_back({row[0], row[1], row[3]});
        ym.push_back({row[0], row[2], row[3]});
    }
    fill(hmTable_, hm);
    fill(ymTable_, ym);

    const AnalysisSection c = characteristicSection(a);
    std::string ch = "单桩水平承载力特征值：";
    if (a.characteristic.value)
        ch += c.rows[1][2] + " kN（" + c.rows[1][0] + "，依据荷载 " + c.rows[1][1] + " kN）";
    else
        ch += "—（" + c.rows[1][0] + "）";
    for (const std::string& n : c.notes)
        ch += "\n" + n;
    characteristic_->setText(q(ch));

    const AnalysisSection s = scheduleSection(a);
    fill(schedule_, s.rows);
    schedule_->resizeRowsToContents();
    QStringList sNotes;
    for (const std::string& n : s.notes)
        sNotes << q(n);
    scheduleNote_->setText(sNotes.join("\n"));
}

} // namespace pyx
