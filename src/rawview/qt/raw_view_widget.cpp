#include "rawview/qt/raw_view_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text_grid.h"
#include "platform/qt/window_placement.h"

namespace pyx {

RawViewWidget::RawViewWidget(TestData& data, QWidget* parent) : QDialog(parent), view_(data, grid_)
{
    view_.open();
    setObjectName("frmYssj");
    setWindowTitle(QString::fromUtf8(RawDataView::kCaption));

    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromUtf8(RawDataView::kTitle), this);
    title->setObjectName("Label1");
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    outer->addWidget(title);

    const auto label = [this](int index) {
        auto* l = new QLabel(QString::fromStdString(view_.label3[index]), this);
        l->setObjectName(QString("Label3_%1").arg(index));
        return l;
    };
    // Three columns: the test and the jack, the pressure computation, the sensor.
    auto* header = new QGridLayout;
    header->setHorizontalSpacing(32);
    header->addWidget(label(0), 0, 0);
    header->addWidget(label(1), 1, 0);
    header->addWidget(label(2), 2, 0);
    auto* jack = new QLabel(QString::fromStdString(view_.txtText3), this);
    jack->setObjectName("txtText3");
    jack->setTextInteractionFlags(Qt::TextSelectableByMouse);
    header->addWidget(jack, 3, 0);

    auto* method = new QHBoxLayout;
    method->setSpacing(8);
    method->addWidget(label(10));
    auto* code = new QLineEdit(QString::fromStdString(view_.text2), this);
    code->setObjectName("Text2");
    code->setReadOnly(true);
    code->setFocusPolicy(Qt::NoFocus);
    code->setFixedWidth(code->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    method->addWidget(code);
    method->addStretch(1);
    header->addLayout(method, 0, 1);
    header->addWidget(label(4), 1, 1);
    header->addWidget(label(5), 2, 1);

    for (int i = 6; i <= 9; ++i)
        header->addWidget(label(i), i - 6, 2);
    header->setColumnStretch(3, 1);
    outer->addLayout(header);

    gridView_ = new QtTextGrid(grid_, this);
    gridView_->setObjectName("fg");
    outer->addWidget(gridView_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* exit = new QPushButton(QString::fromUtf8("退出"), this);
    exit->setObjectName("Command2");
    exit->setMinimumWidth(90);
    buttons->addWidget(exit);
    outer->addLayout(buttons);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    gridView_->sync();
    placeSecondaryWindow(*this, QStringLiteral("rawDataWindow"), QSize(1100, 720));
}

// The grid view borrows grid_, so it goes first.
RawViewWidget::~RawViewWidget()
{
    delete gridView_;
}

} // namespace pyx
