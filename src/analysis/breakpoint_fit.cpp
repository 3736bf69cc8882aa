#include "analysis/breakpoint_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "eval/gradient_points.h"

namespace pyx {
namespace {

// The least-squares line through points lo..hi (a single point, or with `level`: the level
// of their mean).
FitSegment fitLine(const std::vector<double>& x, const std::vector<double>& y, int lo, int hi, bool level)
{
    const int n = hi - lo + 1;
    double sx = 0, sy = 0;
    for (int i = lo; i <= hi; ++i) {
        sx += x[i];
        sy += y[i];
    }
    const double mx = sx / n, my = sy / n;
    double sxx = 0, sxy = 0;
    for (int i = lo; i <= hi; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    FitSegment s;
    s.slope = sxx > 0 && !level ? sxy / sxx : 0;
    const double intercept = my - s.slope * mx;
    s.x0 = x[lo];
    s.x1 = x[hi];
    s.y0 = intercept + s.slope * s.x0;
    s.y1 = intercept + s.slope * s.x1;
    return s;
}

double fitted(const FitSegment& s, double x)
{
    return s.y0 + s.slope * (x - s.x0);
}

// The score of the points lo..hi against a segment: the squared residuals, with `relative`
// over the group's mean level (never below `floor`). The residuals are stored in `f`.
double groupScore(const std::vector<double>& x, const std::vector<double>& y, int lo, int hi,
                  const FitSegment& seg, bool relative, double floor, BreakpointFit& f)
{
    double level = 0;
    for (int i = lo; i <= hi; ++i)
        level += y[i];
    level = std::max(std::abs(level / (hi - lo + 1)), floor);
    double score = 0;
    for (int i = lo; i <= hi; ++i) {
        const double r = y[i] - fitted(seg, x[i]);
        f.residuals[i] = r;
        f.rss += r * r;
        score += relative ? (r / level) * (r / level) : r * r;
    }
    return score;
}

BreakpointFit fitGroups(const std::vector<double>& x, const std::vector<double>& y, int first, int second,
                        FitOptions o, double floor)
{
    const int n = static_cast<int>(x.size());
    BreakpointFit f;
    f.first = first;
    f.second = second;
    f.residuals.resize(x.size());
    const int bounds[3][2] = {{0, first}, {first + 1, second}, {second + 1, n - 1}};
    for (int g = 0; g < 3; ++g) {
        f.segments[g] = fitLine(x, y, bounds[g][0], bounds[g][1], o.levels);
        f.score += groupScore(x, y, bounds[g][0], bounds[g][1], f.segments[g], o.relative, floor, f);
    }
    return f;
}

bool finitePoint(const StagePoint& p)
{
    return std::isfinite(p.h0) && std::isfinite(p.y0);
}

// Both loads of a fit: the breaks are stages of the points the fit was made on.
Suggestion fromFit(const std::vector<StagePoint>& pts, const std::vector<double>& x,
                   const std::vector<double>& y, FitOptions options, const char* tooFew)
{
    Suggestion s;
    if (static_cast<int>(x.size()) < kMinimumStagePoints) {
        s.reason = tooFew;
        return s;
    }
    s.fit = fitTwoBreakpoints(x, y, options);
    if (!s.fit) {
        s.reason = tooFew;
        return s;
    }
    if (!s.fit->clear()) {
        s.reason = "曲线没有明显的拐点（各段接近同一直线），请结合曲线人工判定。";
        return s;
    }
    const StagePoint& a = pts[static_cast<std::size_t>(s.fit->first)];
    const StagePoint& b = pts[static_cast<std::size_t>(s.fit->second)];
    s.hcr = a.h0;
    s.hcrStage = a.stage;
    s.hu = b.h0;
    s.huStage = b.stage;
    return s;
}

constexpr const char* kTooFewStages = "荷载级数少于5级，无法拟合拐点，请人工判定。";

} // namespace

std::vector<StagePoint> stagePoints(const TestData& d, int gridRows)
{
    std::vector<StagePoint> out;
    for (const int row : gradientPointRows(d, gridRows)) {
        if (row < 0 || row >= kJlbRows)
            break;
        const JlbRec& r = d.jlbp[static_cast<std::size_t>(row)];
        if (r.hz == kEndLoad || !std::isfinite(r.hz) || !std::isfinite(r.ds[dispLoading]))
            break;
        StagePoint p;
        p.stage = static_cast<int>(out.size()) + 1;
        p.row = row;
        p.h0 = r.hz;
        p.y0 = r.ds[dispLoading];
        const double h = out.empty() ? 0 : out.back().h0;
        const double y = out.empty() ? 0 : out.back().y0;
        if (p.h0 <= h)
            break;
        p.dydh = (p.y0 - y) / (p.h0 - h);
        out.push_back(p);
    }
    return out;
}

std::optional<BreakpointFit> fitTwoBreakpoints(const std::vector<double>& x, const std::vector<double>& y,
                                               FitOptions options)
{
    const int n = static_cast<int>(x.size());
    if (n < kMinimumStagePoints || y.size() != x.size())
        return std::nullopt;
    double largest = 0;
    for (const double v : y)
        largest = std::max(largest, std::abs(v));
    const double floor = std::max(largest * 1e-3, std::numeric_limits<double>::min());
    const int least = !options.levels && n >= 8 ? 3 : 2;
    std::optional<BreakpointFit> best;
    for (int first = least - 1; first + least + 1 <= n - 1; ++first)
        for (int second = first + least; second <= n - 2; ++second) {
            BreakpointFit f = fitGroups(x, y, first, second, options, floor);
            if (!best || f.score < best->score * (1 - 1e-9))
                best = std::move(f);
        }
    if (best) {
        BreakpointFit line;
        line.residuals.resize(x.size());
        best->points = n;
        best->lineScore =
            groupScore(x, y, 0, n - 1, fitLine(x, y, 0, n - 1, false), options.relative, floor, line);
    }
    return best;
}

Suggestion gradientSuggestion(const std::vector<StagePoint>& pts)
{
    std::vector<StagePoint> used;
    std::vector<double> x, y;
    for (const StagePoint& p : pts)
        if (finitePoint(p) && std::isfinite(p.dydh)) {
            used.push_back(p);
            x.push_back(p.h0);
            y.push_back(p.dydh);
        }
    return fromFit(used, x, y, FitOptions{true, true}, kTooFewStages);
}

Suggestion lgLogSuggestion(const std::vector<StagePoint>& pts)
{
    std::vector<StagePoint> used;
    std::vector<double> x, y;
    for (const StagePoint& p : pts)
        if (finitePoint(p) && p.h0 > 0 && p.y0 > 0) {
            used.push_back(p);
            x.push_back(std::log10(p.h0));
            y.push_back(std::log10(p.y0));
        }
    const bool dropped = used.size() < pts.size();
    return fromFit(used, x, y, FitOptions{},
                   dropped && pts.size() >= static_cast<std::size_t>(kMinimumStagePoints)
                       ? "位移大于0的荷载级少于5级，无法在lgH0-lgY0曲线上拟合拐点。"
                       : kTooFewStages);
}

Suggestion kinkSuggestion(const std::vector<StagePoint>& pts)
{
    Suggestion s;
    const int n = static_cast<int>(pts.size());
    if (n < kMinimumStagePoints) {
        s.reason = kTooFewStages;
        return s;
    }
    // The first stage from `from` on whose gradient reaches the factor times the one before.
    const auto kink = [&](int from) -> int {
        for (int k = from; k < n; ++k)
            if (pts[k - 1].dydh > 0 && pts[k].dydh >= kKinkFactor * pts[k - 1].dydh)
                return k;
        return -1;
    };
    const int first = kink(2);
    if (first < 0) {
        s.reason = "H0-Y0曲线没有明显的陡变，无法按陡变判定临界荷载。";
        return s;
    }
    s.hcr = pts[first - 1].h0;
    s.hcrStage = pts[first - 1].stage;
    const int second = kink(first + 1);
    if (second < 0) {
        s.reason = "H0-Y0曲线在临界荷载后没有第二处陡变，无法按陡变判定极限荷载。";
        return s;
    }
    s.hu = pts[second - 1].h0;
    s.huStage = pts[second - 1].stage;
    return s;
}

Suggestions suggestLoads(const std::vector<StagePoint>& pts)
{
    Suggestions out{gradientSuggestion(pts), lgLogSuggestion(pts), kinkSuggestion(pts), false};
    const auto spread = [&](int Suggestion::*stage) {
        int lo = std::numeric_limits<int>::max(), hi = 0;
        for (const Suggestion* s : {&out.gradient, &out.lglog, &out.kink})
            if (s->*stage > 0) {
                lo = std::min(lo, s->*stage);
                hi = std::max(hi, s->*stage);
            }
        return hi > 0 && hi - lo > 1;
    };
    out.disagree = spread(&Suggestion::hcrStage) || spread(&Suggestion::huStage);
    return out;
}

std::optional<double> displacementAt(const std::vector<StagePoint>& pts, double h0)
{
    if (pts.empty() || !std::isfinite(h0) || h0 < 0 || h0 > pts.back().h0)
        return std::nullopt;
    double h = 0, y = 0;
    for (const StagePoint& p : pts) {
        if (h0 <= p.h0)
            return y + (p.y0 - y) * (h0 - h) / (p.h0 - h);
        h = p.h0;
        y = p.y0;
    }
    return std::nullopt;
}

std::optional<double> loadAt(const std::vector<StagePoint>& pts, double y0)
{
    if (!std::isfinite(y0) || y0 < 0)
        return std::nullopt;
    double h = 0, y = 0;
    for (const StagePoint& p : pts) {
        if (y0 <= p.y0 && p.y0 > y && y0 >= y)
            return h + (p.h0 - h) * (y0 - y) / (p.y0 - y);
        h = p.h0;
        y = p.y0;
    }
    return std::nullopt;
}

} // namespace pyx
