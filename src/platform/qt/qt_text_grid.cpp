#include "platform/qt/qt_text_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/grid_delegate.h"
#include "platform/qt/grid_model.h"

namespace pyx {

// The table of the fixed rows; it leaves room on its right for the data's scroll bar.
class FixedRowsView : public QTableView
{
public:
    using QTableView::QTableView;
    void setRightMargin(int px) { setViewportMargins(0, 0, px, 0); }

    // How much taller a cell's text is, laid out as the view paints it, when it wraps to
    // `width` than on one line.
    int wrapGrowth(const QModelIndex& index, int width) const
    {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.features |= QStyleOptionViewItem::WrapText;
        option.rect = QRect(0, 0, std::max(1, width), 1);
        const int wrapped = itemDelegateForIndex(index)->sizeHint(option, index).height();
        option.rect.setWidth(QWIDGETSIZE_MAX);
        return wrapped - itemDelegateForIndex(index)->sizeHint(option, index).height();
    }
};

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kCellPadding = 12;
constexpr int kMinColumnWidth = 40;

} // namespace

QtTextGrid::QtTextGrid(TextGrid& grid, QWidget* parent)
    : QFrame(parent), grid_(grid), headerModel_(new GridModel(grid, GridModel::Part::Header, this)),
      dataModel_(new GridModel(grid, GridModel::Part::Data, this)), header_(new FixedRowsView(this)),
      data_(new QTableView(this))
{
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(data_, 1);

    header_->setModel(headerModel_);
    data_->setModel(dataModel_);
    setUpView(header_);
    setUpView(data_);

    header_->setFocusPolicy(Qt::NoFocus);
    header_->setSelectionMode(QAbstractItemView::NoSelection);
    header_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    header_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPalette shade = header_->palette();
    shade.setColor(QPalette::Base, shade.color(QPalette::Button));
    shade.setColor(QPalette::Text, shade.color(QPalette::ButtonText));
    header_->setPalette(shade);

    data_->setSelectionMode(QAbstractItemView::SingleSelection);
    data_->setSelectionBehavior(QAbstractItemView::SelectItems);
    data_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    delegate_ = new GridDelegate(grid_, *dataModel_, data_);
    data_->setItemDelegate(delegate_);
    data_->verticalScrollBar()->installEventFilter(this);
    connect(data_->horizontalScrollBar(), &QScrollBar::valueChanged, header_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(data_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { currentCellMoved(current); });

    grid_.attach(this);
    sync();
}

QtTextGrid::~QtTextGrid()
{
    grid_.attach(nullptr);
}

QTableView* QtTextGrid::headerView() const
{
    return header_;
}

int QtTextGrid::columnsWidth() const
{
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, data_);
    for (int c = 0; c < dataModel_->columnCount(); ++c)
        if (!data_->isColumnHidden(c))
            width += data_->columnWidth(c);
    return width;
}

void QtTextGrid::setUpView(QTableView* view)
{
    view->setFrameShape(QFrame::NoFrame);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setContextMenuPolicy(Qt::PreventContextMenu);
    view->setWordWrap(true);
    view->viewport()->installEventFilter(this);
}

void QtTextGrid::gridChanged()
{
    if (syncPending_)
        return;
    syncPending_ = true;
    QMetaObject::invokeMethod(this, &QtTextGrid::sync, Qt::QueuedConnection);
}

void QtTextGrid::focusGrid()
{
    data_->setFocus();
}

bool QtTextGrid::commitOpenEditor()
{
    return delegate_->commitOpenEditor();
}

void QtTextGrid::sync()
{
    syncPending_ = false;
    QScopedValueRollback guard(syncing_, true);
    const bool headerReset = headerModel_->sync();
    const bool dataReset = dataModel_->sync();
    header_->setVisible(headerModel_->rowCount() > 0);
    std::vector<CellSpan> spans = grid_.spans();
    applyColumnWidths(spans);
    // Setting the spans repaints the whole view: only when they changed or the views were reset.
    if (headerReset || dataReset || spans != shownSpans_) {
        applySpans(spans);
        shownSpans_ = spans;
    }
    fitHeaderRows(spans);
    header_->horizontalScrollBar()->setValue(data_->horizontalScrollBar()->value());
    showCurrentCell();
}

int QtTextGrid::pixels(int twips) const
{
    return std::max(1, (twips * logicalDpiX() + kTwipsPerInch / 2) / kTwipsPerInch);
}

int QtTextGrid::textWidth(const std::string& text) const
{
    const auto known = textWidths_.find(text);
    if (known != textWidths_.end())
        return known->second;
    const int width = fontMetrics().horizontalAdvance(QString::fromStdString(text)) + kCellPadding;
    textWidths_.emplace(text, width);
    return width;
}

void QtTextGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        textWidths_.clear();
    QFrame::changeEvent(event);
}

// Set widths in twips; a default width fits the texts of the column, and a range merged
// across columns widens its default-width columns until its text fits.
void QtTextGrid::applyColumnWidths(const std::vector<CellSpan>& spans)
{
    const int cols = grid_.cols();
    std::vector<int> widths(static_cast<std::size_t>(cols), kMinColumnWidth);
    std::vector<std::vector<bool>> acrossRange(static_cast<std::size_t>(grid_.rows()),
                                               std::vector<bool>(static_cast<std::size_t>(cols)));
    for (const CellSpan& s : spans)
        if (s.colSpan > 1)
            for (int c = s.col; c < s.col + s.colSpan; ++c)
                acrossRange[static_cast<std::size_t>(s.row)][static_cast<std::size_t>(c)] = true;
    for (int c = 0; c < cols; ++c) {
        auto& w = widths[static_cast<std::size_t>(c)];
        if (grid_.colWidth(c) != TextGrid::kDefaultWidth) {
            w = pixels(grid_.colWidth(c));
            continue;
        }
        for (int r = 0; r < grid_.rows(); ++r)
            if (!acrossRange[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                w = std::max(w, textWidth(grid_.text(r, c)));
    }
    for (const CellSpan& s : spans) {
        if (s.colSpan < 2)
            continue;
        int have = 0;
        std::vector<int> free;
        for (int c = s.col; c < s.col + s.colSpan; ++c) {
            have += widths[static_cast<std::size_t>(c)];
            if (grid_.colWidth(c) == TextGrid::kDefaultWidth)
                free.push_back(c);
        }
        const int need = textWidth(grid_.text(s.row, s.col)) - have;
        if (need <= 0 || free.empty())
            continue;
        const int each = (need + static_cast<int>(free.size()) - 1) / static_cast<int>(free.size());
        for (const int c : free)
            widths[static_cast<std::size_t>(c)] += each;
    }
    for (int c = 0; c < cols; ++c) {
        header_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        data_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    }
}

void QtTextGrid::applySpans(const std::vector<CellSpan>& spans)
{
    header_->clearSpans();
    data_->clearSpans();
    const int fixed = headerModel_->rowCount();
    for (const CellSpan& s : spans) {
        if (s.row < fixed)
            header_->setSpan(s.row, s.col, s.rowSpan, s.colSpan);
        else
            data_->setSpan(dataModel_->modelRow(s.row), s.col, s.rowSpan, s.colSpan);
    }
}

// A header text wraps where its column (or merged range) is narrower than the text; the
// header rows grow until every text fits. A range over several rows takes what it still
// lacks from its last row.
void QtTextGrid::fitHeaderRows(const std::vector<CellSpan>& spans)
{
    const int rows = headerModel_->rowCount();
    const int cols = headerModel_->columnCount();
    const int oneLine = header_->verticalHeader()->defaultSectionSize();
    const int gridLine = header_->showGrid() ? 1 : 0;
    std::vector<CellSpan> cells;
    std::vector<std::vector<bool>> covered(static_cast<std::size_t>(rows),
                                           std::vector<bool>(static_cast<std::size_t>(cols)));
    for (const CellSpan& s : spans) {
        if (s.row >= rows)
            continue;
        CellSpan cell = s;
        cell.rowSpan = std::min(s.rowSpan, rows - s.row);
        cell.colSpan = std::min(s.colSpan, cols - s.col);
        cells.push_back(cell);
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            for (int c = cell.col; c < cell.col + cell.colSpan; ++c)
                covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = true;
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (!covered[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                cells.push_back(CellSpan{r, c, 1, 1});
    std::stable_sort(cells.begin(), cells.end(),
                     [](const CellSpan& a, const CellSpan& b) { return a.rowSpan < b.rowSpan; });

    std::vector<int> heights(static_cast<std::size_t>(rows), oneLine);
    for (const CellSpan& cell : cells) {
        int width = -gridLine;
        for (int c = cell.col; c < cell.col + cell.colSpan; ++c)
            width += header_->columnWidth(c);
        const int need = oneLine + header_->wrapGrowth(headerModel_->index(cell.row, cell.col), width);
        int have = 0;
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            have += heights[static_cast<std::size_t>(r)];
        if (need > have)
            heights[static_cast<std::size_t>(cell.row + cell.rowSpan - 1)] += need - have;
    }
    int total = 0;
    for (int r = 0; r < rows; ++r) {
        header_->setRowHeight(r, heights[static_cast<std::size_t>(r)]);
        total += heights[static_cast<std::size_t>(r)];
    }
    header_->setFixedHeight(total);
}

void QtTextGrid::showCurrentCell()
{
    const QModelIndex cell = dataModel_->index(dataModel_->modelRow(grid_.currentRow()), grid_.currentCol());
    if (!cell.isValid() || cell == data_->currentIndex())
        return;
    data_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    if (data_->isVisible()) // before the first layout the viewport is too small to judge
        data_->scrollTo(cell);
}

void QtTextGrid::currentCellMoved(const QModelIndex& current)
{
    if (!syncing_ && current.isValid())
        grid_.setCurrent(dataModel_->gridRow(current.row()), current.column());
}

void QtTextGrid::alignHeaderWithData()
{
    const QScrollBar* bar = data_->verticalScrollBar();
    header_->setRightMargin(bar->isVisibleTo(data_) ? bar->width() : 0);
}

bool QtTextGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == data_->verticalScrollBar()) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide || event->type() == QEvent::Resize)
            alignHeaderWithData();
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int button = mouse->button() == Qt::LeftButton ? 1 : mouse->button() == Qt::RightButton ? 2 : 0;
    if (button == 0 || !grid_.onMouseDown)
        return false;
    const bool inHeader = watched == header_->viewport();
    const QTableView* view = inHeader ? header_ : data_;
    const QModelIndex cell = view->indexAt(mouse->position().toPoint());
    const GridModel* model = inHeader ? headerModel_ : dataModel_;
    grid_.onMouseDown(button, cell.isValid() ? model->gridRow(cell.row()) : -1,
                      cell.isValid() ? cell.column() : -1);
    // The right button belongs to the grid's owner (its context menu); the view does not move.
    return button == 2;
}

} // namespace pyx
