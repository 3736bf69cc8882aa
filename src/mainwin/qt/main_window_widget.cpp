#include "mainwin/qt/main_window_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "curves/qt/curve_panel_binding.h"
#include "curves/qt/curve_surface.h"
#include "data/settings.h"
#include "mainwin/command_names.h"
#include "mainwin/qt/main_tool_pictures.h"
#include "mainwin/qt/qt_modal_windows.h"
#include "mainwin/qt/window_placement.h"
#include "platform/qt/qt_command_bar.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text_grid.h"

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
    setWindowTitle(QString::fromUtf8(kAppTitle));
    placeWindow(*this, kLayoutSize);
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

    // Why an edit was refused, in words: the beep is easily missed.
    auto* refusal = new QLabel(this);
    refusal->setObjectName("editRefusal");
    statusBar()->addWidget(refusal, 1);
    logic_->editor.refusalChanged = [refusal](const std::string& reason) {
        refusal->setText(QString::fromStdString(reason));
    };

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
