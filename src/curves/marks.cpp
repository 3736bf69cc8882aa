#include "curves/marks.h"

namespace pyx {
namespace {

double clampPosition(double v)
{
    if (!(v >= 0))
        return 0;
    return v > 1000 ? 1000 : v;
}

} // namespace

void hoverTest(const GradPoints& gpts, double x, double y, Hover& hover)
{
    x = clampPosition(x);
    y = clampPosition(y);
    hover.hit = false;
    for (int j = 0; j < kGradPointCount; ++j) {
        const GradPoint& p = gpts[j];
        if (p.x - 8 < x && x < p.x + 8 && p.y - 8 < y && y < p.y + 8) {
            hover.hit = true;
            hover.point = static_cast<float>(j);
            return;
        }
    }
}

bool markClickedPoint(TestData& d, const Hover& hover)
{
    if (!hover.hit)
        return false;
    const JlbRec before1 = d.jlb[kMarkRows[0]];
    const JlbRec before2 = d.jlb[kMarkRows[1]];
    if (markIndex(d, 0) != 0) {
        markIndex(d, 1) = hover.point;
    } else {
        markIndex(d, 0) = hover.point;
        if (markText(d, 0).trimmed().empty())
            markText(d, 0).set(kDefaultMarkText);
    }
    return !(d.jlb[kMarkRows[0]] == before1 && d.jlb[kMarkRows[1]] == before2);
}

void clearMarks(TestData& d)
{
    markIndex(d, 0) = 0;
    markIndex(d, 1) = 0;
}

} // namespace pyx
