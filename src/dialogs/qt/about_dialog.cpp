#include "dialogs/qt/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/model.h"

namespace pyx {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle(QString::fromUtf8("关于"));

    auto* version = new QLabel(QString::fromUtf8(kAppTitle), this);
    version->setObjectName("lblVersion");
    QFont font = version->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    version->setFont(font);

    auto* notice = new QLabel(QString::fromUtf8("单桩水平静载试验（循环加载）数据处理：\n"
                                                "记录表、汇总表、H0-t-Y0 曲线、H0-ΔY0/ΔH0 曲线、\n"
                                                "原始数据与报表打印。"),
                              this);
    notice->setObjectName("lblNotice");

    auto* help = new QLabel(
        QString::fromUtf8(
            "使用方法：\n"
            "1. 文件 → 打开：选择采集仪数据文件（*.pyx、*.pyw）或记录文件（*.pys），\n"
            "    也可把文件拖到主窗口上，或在文件管理器中双击打开。\n"
            "2. 参数 → 工程信息、参数设置：填写工程资料和试验参数。\n"
            "3. 编辑记录表；图表菜单切换汇总表和两种曲线，在 H0-ΔY0/ΔH0 曲线上标注临界荷载和极限荷载。\n"
            "4. 打印 → 打印设置选择报表内容；打印预览中可打印、导出PDF和Word文档。"),
        this);
    help->setObjectName("lblHelp");

    auto* ok = new QPushButton(QString::fromUtf8("确定"), this);
    ok->setMinimumWidth(90);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 20, 24, 16);
    outer->setSpacing(14);
    outer->addWidget(version);
    outer->addWidget(notice);
    outer->addWidget(help);
    outer->addLayout(buttons);
    setFixedSize(sizeHint());
}

} // namespace pyx
