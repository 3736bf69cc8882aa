#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_translation.h"

namespace pyx {
namespace {

TEST(QtDialogs, FilterTextsBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilters("All files(*.*)|*.*|pys| *.pys"),
              (QStringList{"All files(*.*) (*)", "pys (*.pys)"}));
    EXPECT_EQ(qtFileFilters("数据文件|*.pys;*.dat|Word|*.doc|dangling"),
              (QStringList{QString::fromUtf8("数据文件 (*.pys *.dat)"), "Word (*.doc)"}));
    EXPECT_TRUE(qtFileFilters("").isEmpty());
}

TEST(QtDialogs, MessageBoxShowsTheRequestAndReturnsTheAnswer)
{
    QtDialogs dialogs(nullptr);
    QString title;
    QString text;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        box->button(QMessageBox::Cancel)->click();
    });
    const MsgAnswer answer = dialogs.message(
        {"数据已修改，是否保存？", "系统提示！", MsgButtons::YesNoCancel, MsgIcon::Question, 2});
    EXPECT_EQ(answer, MsgAnswer::Cancel);
    EXPECT_EQ(title, QString::fromUtf8("系统提示！"));
    EXPECT_EQ(text, QString::fromUtf8("数据已修改，是否保存？"));
    EXPECT_EQ(defaultText, QApplication::translate("QPlatformTheme", "&No"));
}

TEST(QtTranslation, QtTextsTurnChinese)
{
    ASSERT_TRUE(installChineseTranslation(*QCoreApplication::instance()));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
}

} // namespace
} // namespace pyx
