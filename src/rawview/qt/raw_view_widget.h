#pragma once
// The raw data window on screen: the instrument header above the readings grid.

#include <QDialog>
#include <array>

#include "platform/text_grid.h"
#include "rawview/raw_view.h"

class QLabel;

namespace pyx {

class QtTextGrid;

class RawViewWidget : public QDialog
{
    Q_OBJECT
public:
    // Opens the window's logic on `data` (which changes a few raw rows, see RawDataView).
    RawViewWidget(TestData& data, QWidget* parent);
    ~RawViewWidget() override;

    const RawDataView& view() const { return view_; }
    QtTextGrid* gridWidget() const { return gridView_; }

private:
    TextGrid grid_;
    RawDataView view_;
    QtTextGrid* gridView_ = nullptr;
};

} // namespace pyx
