#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "mainwin/main_window.h"
#include "platform/scripted_dialogs.h"
#include "reports/qt/preview_dialog.h"
#include "support/write_fault_double.h"

namespace pyx {
namespace {

struct PreviewDialogView : ::testing::Test
{
    std::unique_ptr<TestData> d = std::make_unique<TestData>();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(*d, dialogs, std::string());

    PreviewDialogView()
    {
        window->load(0);
        window->files.openPath(PYX_SOURCE_DIR "/samples/logger_levels.pyx");
        dialogs.messages.clear();
        for (int e = 70; e <= 79; ++e)
            d->csz[e] = "0";
    }
    std::unique_ptr<PreviewDialog> open()
    {
        return std::make_unique<PreviewDialog>(*d, window->grid.rows(), dialogs, nullptr);
    }
};

TEST_F(PreviewDialogView, PageListLabelAndMovesFollowTheDocument)
{
    d->csz[70] = "1";
    d->csz[72] = "1";
    const auto dlg = open();
    dlg->show();
    QApplication::processEvents();
    const int pages = dlg->document().pageCount();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(" 打印预览"));
    EXPECT_EQ(dlg->pageList()->count(), pages);
    EXPECT_EQ(dlg->pagesLabel()->text().trimmed(), QString::fromUtf8("页 共%1页").arg(pages));
    EXPECT_EQ(dlg->view()->pageCount(), pages);

    dlg->runTool("最后一页");
    EXPECT_EQ(dlg->view()->currentPage(), pages);
    EXPECT_EQ(dlg->pageList()->currentIndex(), pages - 1);
    dlg->runTool("下一页"); // stays on the last page
    EXPECT_EQ(dlg->view()->currentPage(), pages);
    dlg->runTool("首页");
    dlg->runTool("上一页");
    EXPECT_EQ(dlg->view()->currentPage(), 1);
    EXPECT_EQ(dlg->pageList()->currentIndex(), 0);
}

TEST_F(PreviewDialogView, EveryToolOfTheBandRunsACommand)
{
    const auto dlg = open();
    const QList<QAction*> actions = dlg->findChildren<QAction*>();
    int named = 0;
    for (const QAction* a : actions)
        if (!a->objectName().isEmpty()) {
            ++named;
            EXPECT_TRUE(dlg->logic().tools().has(a->objectName().toStdString()))
                << a->objectName().toStdString();
        }
    EXPECT_GE(named, 19); // ten buttons and the nine zoom commands
}

TEST_F(PreviewDialogView, ZoomToolShowsTheSetting)
{
    d->csz[73] = "1";
    const auto dlg = open();
    EXPECT_EQ(dlg->zoomTool()->text(), QString::fromUtf8("整页"));
    dlg->runTool("100");
    EXPECT_EQ(dlg->zoomTool()->text(), "100%");
    EXPECT_DOUBLE_EQ(dlg->view()->zoomFactor(), 1.0);
    dlg->runTool("放大");
    dlg->runTool("放大");
    dlg->runTool("放大");
    EXPECT_EQ(dlg->zoomTool()->text(), "150%");
    dlg->runTool("两页");
    EXPECT_EQ(dlg->view()->viewMode(), QPrintPreviewWidget::SinglePageView); // two pages a sheet
    EXPECT_EQ(dlg->zoomTool()->text(), QString::fromUtf8("两页"));
}

TEST_F(PreviewDialogView, EmptyDocumentRefusesToPrint)
{
    const auto dlg = open();
    EXPECT_EQ(dlg->document().pageCount(), 0);
    EXPECT_EQ(dlg->pageList()->count(), 0);
    EXPECT_EQ(dlg->pagesLabel()->text().trimmed(), QString::fromUtf8("页 共0页"));
    dlg->runTool("打印");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "没有需要打印的文件！");
}

TEST_F(PreviewDialogView, ExportsThePdfOrSaysWhyNot)
{
    d->csz[71] = "1";
    const auto dlg = open();
    QTemporaryDir dir;
    const std::string path = dir.filePath("report.pdf").toStdString();
    dialogs.fileNames = {path, dir.filePath("missing/report.pdf").toStdString()};
    dlg->runTool("导出PDF");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName.substr(dialogs.fileRequests[0].fileName.size() - 4), ".pdf");
    QFile pdf(QString::fromStdString(path));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(dialogs.messages.back().text, "PDF文件导出结束！");

    dlg->runTool("导出PDF");
    EXPECT_EQ(dialogs.messages.back().text.rfind("文件保存失败！", 0), 0u);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/report.pdf")));
}

// The PDF goes through the atomic save: a failure at a byte, the close, the flush to disk or
// the rename keeps the PDF that was there, and no message claims the export ended.
TEST_F(PreviewDialogView, FailedPdfExportKeepsTheOldFile)
{
    d->csz[71] = "1";
    const auto dlg = open();
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the PDF before");
    }
    for (const WriteFault& fault :
         {WriteFault{WriteStep::Byte, 0, ENOSPC}, WriteFault{WriteStep::Byte, 4000, ENOSPC},
          WriteFault{WriteStep::Flush, 0, EIO}, WriteFault{WriteStep::Sync, 0, EIO},
          WriteFault{WriteStep::Rename, 0, EIO}}) {
        dialogs.messages.clear();
        dialogs.fileNames = {path.toStdString()};
        {
            const ScopedWriteFault injected(fault);
            dlg->runTool("导出PDF");
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text.rfind("文件保存失败！", 0), 0u);
        QFile kept(path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("the PDF before"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

} // namespace
} // namespace pyx
