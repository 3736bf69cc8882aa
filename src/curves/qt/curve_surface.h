#pragma once
// The drawing surface of the curve panel (VSDraw1): paints the panel's last drawing at
// its current size and reports the mouse in drawing units.

#include <QWidget>

#include "curves/curve_panel.h"

namespace pyx {

class CurveSurface : public QWidget
{
    Q_OBJECT
public:
    CurveSurface(CurvePanel& panel, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CurvePanel& panel_;
};

} // namespace pyx
