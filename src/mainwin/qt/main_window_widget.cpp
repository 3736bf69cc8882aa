#include "mainwin/qt/main_window_widget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

#include "curves/mark_loads.h"
#include "curves/qt/curve_panel_binding.h"
#include "curves/qt/curve_surface.h"
#include "data/settings.h"
#include "mainwin/command_names.h"
#include "mainwin/qt/main_tool_pictures.h"
#include "mainwin/qt/qt_modal_windows.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_command_bar.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text_grid.h"
#include "platform/qt/window_placement.h"

namespace pyx {
namespace {

// The size the window's layout is made for; on a smaller screen the window opens maximised.
constexpr QSize kLayoutSize(1280, 800);

} // namespace

MainWindowWidget::MainWindowWidget(QWidget* parent)
    : QMainWindow(parent), data_(std::make_unique<TestData>()), dialogs_(std::make_unique<QtDialogs>(this)),
      logic_(std::make_unique<MainWindow>(*data_, *dialogs_, defaultSettingsPath())),
      windows_(std::make_unique<QtModalWindows>(this))
{
    setObjectName("frmmain");
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAcceptDrops(true);

    barView_ = new QtCommandBar(logic_->bar, this, mainToolPictures());

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 4, 6, 4);

    auto* header = new QHBoxLayout;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(central);
        labels_[i]->setCursor(Qt::PointingHandCursor);
        labels_[i]->setToolTip(QString::fromUtf8("单击编辑工程信息"));
        labels_[i]->installEventFilter(this);
        header->addWidget(labels_[i], i == 0 ? 3 : 2);
    }
    outer->addLayout(header);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter_ = splitter;
    splitter->setChildrenCollapsible(false);
    gridView_ = new QtTextGrid(logic_->grid, splitter);
    // A command sees the text typed into an open cell, as if Enter had been pressed.
    barView_->beforeCommand = [this] { return gridView_->commitOpenEditor(); };

    auto* panel = new QWidget(splitter);
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(2, 0, 0, 0);
    label18_ = new QLabel(panel);
    label18_->setAlignment(Qt::AlignHCenter);
    QFont captionFont = label18_->font();
    captionFont.setBold(true);
    label18_->setFont(captionFont);
    auto* surface = new CurveSurface(logic_->curves, panel);
    surface_ = surface;
    hscroll1_ = new QScrollBar(Qt::Horizontal, panel);
    hscroll1_->setObjectName("HScroll1");
    hscroll1_->setToolTip(QString::fromUtf8("位移坐标比例"));
    hscroll2_ = new QScrollBar(Qt::Horizontal, panel);
    hscroll2_->setObjectName("HScroll2");
    hscroll2_->setToolTip(QString::fromUtf8("荷载级数"));
    panelLayout->addWidget(label18_, 0, 0, 1, 2);
    panelLayout->addWidget(surface_, 1, 0, 1, 2);
    panelLayout->addWidget(hscroll1_, 2, 0);
    panelLayout->addWidget(hscroll2_, 2, 1);
    bindCurvePanel(logic_->curves, surface, hscroll1_, hscroll2_);
    panelLayout->setRowStretch(1, 1);

    splitter->addWidget(gridView_);
    splitter->addWidget(panel);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    // Half the width each, which the table column widths are chosen for.
    splitter->setSizes({kLayoutSize.width(), kLayoutSize.width()});
    outer->addWidget(splitter, 1);
    setCentralWidget(central);

    // Why an edit was refused, in words: the beep is easily missed. The reason also shows
    // beside the cell.
    auto* refusal = new QLabel(this);
    refusal->setObjectName("editRefusal");
    statusBar()->addWidget(refusal, 1);
    logic_->editor.refusalChanged = [this, refusal](const std::string& reason) {
        refusal->setText(QString::fromStdString(reason));
        showRefusalAtCell(QString::fromStdString(reason));
    };
    // The marks of the gradient curve in kN.
    marks_ = new QLabel(this);
    marks_->setObjectName("marksLoads");
    statusBar()->addPermanentWidget(marks_);

    logic_->keepRecentFiles();
    buildRecentMenu();
    logic_->recentChanged = [this] { showRecentFiles(); };
    auto* print = new QAction(this);
    print->setObjectName("printKey");
    print->setShortcuts(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] {
        if (barView_->beforeCommand())
            logic_->print();
    });
    addAction(print);
    installHelpKey(*qApp);

    // How the table differs from the logger's readings.
    auto* edits = new QLabel(this);
    edits->setObjectName("loggerEdits");
    statusBar()->addPermanentWidget(edits);
    logic_->editSummaryChanged = [this, edits] {
        edits->setText(QString::fromStdString(logic_->editSummary));
    };

    logic_->textsChanged = [this] { showTexts(); };
    logic_->quit = [this] {
        closing_ = true;
        close();
    };
    logic_->setModalWindows(windows_.get());
    showTexts();
    // Placed once it is whole: on Windows a window takes its size (and its resize event) at once.
    placeWindow(*this, kLayoutSize);
}

// The widgets show the logic objects held here, and some detach from them when they go.
// ~QWidget would delete them only after these members, so they are deleted first.
MainWindowWidget::~MainWindowWidget()
{
    delete barView_;
    while (QWidget* child = findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
}

void MainWindowWidget::start()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->size().width() : 0;
    logic_->load(width);
    showTexts();
}

void MainWindowWidget::openFile(const std::string& path)
{
    logic_->files.openChosen(path);
    showTexts();
}

namespace {

// The local file a drag carries, when it carries exactly one.
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return {};
    return mime->urls().front().toLocalFile();
}

} // namespace

void MainWindowWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindowWidget::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(QFile::encodeName(path).toStdString());
}

void MainWindowWidget::showTexts()
{
    setWindowTitle(QString::fromStdString(logic_->caption));
    for (std::size_t i = 0; i < labels_.size(); ++i)
        labels_[i]->setText(QString::fromStdString(logic_->labels[i]));
    label18_->setText(QString::fromStdString(logic_->label18));
    showCurveKind();
    const TestData& d = logic_->data();
    marks_->setText(d.curfile.empty() ? QString()
                                      : QString::fromStdString(
                                            marksSummary(d, gradientStageLoads(d, logic_->grid.rows()))));
}

// The grid takes the width of its columns where the window has room for it beside the curve:
// the two halves the column widths are chosen for leave the last column a few pixels short.
void MainWindowWidget::fitGridWidth()
{
    if (!splitter_)
        return;
    const QList<int> sizes = splitter_->sizes();
    if (sizes.size() != 2)
        return;
    const int wanted = gridView_->columnsWidth();
    const int total = sizes[0] + sizes[1];
    const int grid = std::min(wanted, total - surface_->minimumWidth() - splitter_->handleWidth());
    if (grid > sizes[0])
        splitter_->setSizes({grid, total - grid});
}

void MainWindowWidget::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitGridWidth();
}

void MainWindowWidget::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitGridWidth();
}

// The toolbar's two curve tools show which curve is drawn.
void MainWindowWidget::showCurveKind()
{
    const bool gradient = logic_->data().curvekind == CurveKind::Gradient;
    const bool open = !logic_->data().curfile.empty();
    for (QAction* a : barView_->actions(band::kToolbar)) {
        const bool time = a->objectName() == QLatin1String(tool::kTimeCurve);
        if (!time && a->objectName() != QLatin1String(tool::kGradientCurve))
            continue;
        a->setCheckable(true);
        a->setChecked(open && time != gradient);
    }
}

void MainWindowWidget::showRefusalAtCell(const QString& reason)
{
    QTableView* view = gridView_->dataView();
    if (reason.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    const QModelIndex cell = view->currentIndex();
    const QRect at = cell.isValid() ? view->visualRect(cell) : QRect();
    const QPoint where = view->viewport()->mapToGlobal(at.isValid() ? at.bottomLeft() : QPoint(0, 0));
    QToolTip::showText(where, reason, view->viewport(), at, 4000);
}

void MainWindowWidget::buildRecentMenu()
{
    QMenu* file = barView_->menu(band::kFile);
    recentMenu_ = new QMenu(QString::fromUtf8("最近打开的文件(&R)"), this);
    recentMenu_->setObjectName("recentFiles");
    // Before the separator above 退出.
    QAction* before = nullptr;
    for (QAction* a : barView_->actions(band::kFile))
        if (a->isSeparator())
            before = a;
    file->insertMenu(before, recentMenu_);
    // A file deleted since is shown greyed at the moment the menu opens.
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { showRecentFiles(); });
    showRecentFiles();
}

void MainWindowWidget::showRecentFiles()
{
    recentMenu_->clear();
    const std::vector<std::string>& entries = logic_->recent.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString path = QString::fromStdString(entries[i]);
        const bool exists = recentFileExists(entries[i]);
        QAction* a =
            recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setToolTip(exists ? path : path + QString::fromUtf8("（文件不存在）"));
        a->setStatusTip(a->toolTip());
        a->setData(path);
        a->setEnabled(exists);
        connect(a, &QAction::triggered, this, [this, file = entries[i]] {
            if (barView_->beforeCommand())
                logic_->openRecent(file);
            showTexts();
        });
    }
    recentMenu_->setToolTipsVisible(true);
    if (!entries.empty()) {
        recentMenu_->addSeparator();
        QAction* clear = recentMenu_->addAction(QString::fromUtf8("清除列表"));
        clear->setObjectName("clearRecent");
        connect(clear, &QAction::triggered, this, [this] {
            logic_->recent.clear();
            showRecentFiles();
        });
    }
    recentMenu_->setEnabled(!entries.empty());
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (QLabel* label : labels_) {
            if (watched == label) {
                logic_->dispatch(tool::kProjectInfo);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowWidget::closeEvent(QCloseEvent* event)
{
    if (!closing_ && !logic_->confirmClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    keepWindowPlacement(*this);
    event->accept();
    QApplication::closeAllWindows();
}

} // namespace pyx
