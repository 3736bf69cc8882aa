#include "analysis/breakpoint_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "analysis/schedule_check.h"
#include "eval/gradient_points.h"

namespace pyx {
namespace {

// A candidate model: the fitted value at every point and its parameters.
struct Model
{
    std::vector<double> fitted;
    std::vector<FitSegment> segments;
    std::vector<int> groupEnds; // the last point of each group that relative residuals weigh alike
    int parameters = 0;
};

FitSegment segment(double x0, double y0, double x1, double y1)
{
    FitSegment s{x0, y0, x1, y1, 0};
    s.slope = x1 != x0 ? (y1 - y0) / (x1 - x0) : 0;
    return s;
}

// The least-squares straight line through all points.
Model straightLine(const std::vector<double>& x, const std::vector<double>& y)
{
    const int n = static_cast<int>(x.size());
    double mx = 0, my = 0;
    for (int i = 0; i < n; ++i) {
        mx += x[i] / n;
        my += y[i] / n;
    }
    double sxx = 0, sxy = 0;
    for (int i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    const double slope = sxx > 0 ? sxy / sxx : 0;
    Model m;
    for (int i = 0; i < n; ++i)
        m.fitted.push_back(my + slope * (x[i] - mx));
    m.segments.push_back(segment(x.front(), m.fitted.front(), x.back(), m.fitted.back()));
    m.groupEnds.push_back(n - 1);
    m.parameters = 2;
    return m;
}

// Levels: each group of points (cut after the indices in `cuts`) at the mean of its values.
Model levels(const std::vector<double>& x, const std::vector<double>& y, const std::vector<int>& cuts)
{
    const int n = static_cast<int>(x.size());
    Model m;
    m.fitted.resize(x.size());
    int lo = 0;
    for (std::size_t g = 0; g <= cuts.size(); ++g) {
        const int hi = g < cuts.size() ? cuts[g] : n - 1;
        double mean = 0;
        for (int i = lo; i <= hi; ++i)
            mean += y[i] / (hi - lo + 1);
        for (int i = lo; i <= hi; ++i)
            m.fitted[i] = mean;
        m.segments.push_back(segment(x[lo], mean, x[hi], mean));
        m.groupEnds.push_back(hi);
        lo = hi + 1;
    }
    m.parameters = 2 * static_cast<int>(cuts.size()) + 1;
    return m;
}

// Solves the small system a·c = b in place (partial pivoting); false when it is singular.
template <std::size_t N> bool solve(std::array<std::array<double, N>, N>& a, std::array<double, N>& b)
{
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < N; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col]))
                pivot = r;
        if (std::abs(a[pivot][col]) < 1e-300)
            return false;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = 0; r < N; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (std::size_t c = col; c < N; ++c)
                a[r][c] -= f * a[col][c];
            b[r] -= f * b[col];
        }
    }
    for (std::size_t r = 0; r < N; ++r)
        b[r] /= a[r][r];
    return true;
}

// Straight lines joined at the points of `knots`: y = c0 + c1·x + Σ c·max(0, x - x_knot).
template <std::size_t K>
std::optional<Model> joinedLines(const std::vector<double>& x, const std::vector<double>& y,
                                 const std::array<int, K>& knots)
{
    constexpr std::size_t N = K + 2;
    const auto basis = [&](double xi) {
        std::array<double, N> f{};
        f[0] = 1;
        f[1] = xi;
        for (std::size_t k = 0; k < K; ++k)
            f[k + 2] = std::max(0.0, xi - x[static_cast<std::size_t>(knots[k])]);
        return f;
    };
    std::array<std::array<double, N>, N> a{};
    std::array<double, N> b{};
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto f = basis(x[i]);
        for (std::size_t r = 0; r < N; ++r) {
            b[r] += f[r] * y[i];
            for (std::size_t c = 0; c < N; ++c)
                a[r][c] += f[r] * f[c];
        }
    }
    if (!solve(a, b))
        return std::nullopt;
    const auto at = [&](double xi) {
        const auto f = basis(xi);
        double v = 0;
        for (std::size_t r = 0; r < N; ++r)
            v += b[r] * f[r];
        return v;
    };
    Model m;
    for (const double xi : x)
        m.fitted.push_back(at(xi));
    double from = x.front();
    for (std::size_t k = 0; k <= K; ++k) {
        const double to = k < K ? x[static_cast<std::size_t>(knots[k])] : x.back();
        m.segments.push_back(segment(from, at(from), to, at(to)));
        from = to;
    }
    m.groupEnds.push_back(static_cast<int>(x.size()) - 1);
    m.parameters = static_cast<int>(N + K);
    return m;
}

// The weighted sum of squared residuals: with `relative` each residual over the mean level of
// its group (never below `floor`).
double score(const std::vector<double>& y, const Model& m, bool relative, double floor)
{
    double total = 0;
    std::size_t lo = 0;
    for (const int end : m.groupEnds) {
        const auto hi = static_cast<std::size_t>(end);
        double level = 0;
        for (std::size_t i = lo; i <= hi; ++i)
            level += y[i] / static_cast<double>(hi - lo + 1);
        level = relative ? std::max(std::abs(level), floor) : 1;
        for (std::size_t i = lo; i <= hi; ++i) {
            const double r = (y[i] - m.fitted[i]) / level;
            total += r * r;
        }
        lo = hi + 1;
    }
    return total;
}

double criterion(double weighted, int n, int parameters)
{
    const double variance = std::max(weighted / n, BreakpointFit::kPrecision * BreakpointFit::kPrecision);
    return n * std::log(variance) + parameters * std::log(static_cast<double>(n));
}

struct Candidate
{
    Model model;
    double score = 0;
    std::vector<int> breaks;
};

// The best model with the given number of breaks, over every placing of them.
std::optional<Candidate> bestWith(int breaks, const std::vector<double>& x, const std::vector<double>& y,
                                  FitOptions o, double floor)
{
    const int n = static_cast<int>(x.size());
    std::optional<Candidate> best;
    const auto consider = [&](std::optional<Model> m, std::vector<int> at) {
        if (!m)
            return;
        const double sc = score(y, *m, o.relative, floor);
        if (!best || sc < best->score * (1 - 1e-9))
            best = Candidate{std::move(*m), sc, std::move(at)};
    };
    if (breaks == 0) {
        consider(straightLine(x, y), {});
        return best;
    }
    // The first piece holds two points at least; with levels so does the middle one.
    for (int i = 1; i <= n - 2; ++i) {
        if (breaks == 1) {
            consider(o.levels ? std::optional<Model>(levels(x, y, {i})) : joinedLines<1>(x, y, {i}), {i});
            continue;
        }
        for (int j = i + (o.levels ? 2 : 1); j <= n - 2; ++j)
            consider(o.levels ? std::optional<Model>(levels(x, y, {i, j})) : joinedLines<2>(x, y, {i, j}),
                     {i, j});
    }
    return best;
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
    s.fit = fitBreakpoints(x, y, options);
    if (!s.fit) {
        s.reason = tooFew;
        return s;
    }
    if (s.fit->breaks == 0) {
        s.reason = "曲线没有明显的拐点（各段接近同一直线），请结合曲线人工判定。";
        return s;
    }
    const StagePoint& a = pts[static_cast<std::size_t>(s.fit->first)];
    s.hcr = a.h0;
    s.hcrStage = a.stage;
    if (s.fit->breaks < 2) {
        s.reason = kNoSecondInflection;
        return s;
    }
    const StagePoint& b = pts[static_cast<std::size_t>(s.fit->second)];
    s.hu = b.h0;
    s.huStage = b.stage;
    return s;
}

constexpr const char* kTooFewStages = "荷载级少于5级，无法拟合拐点，请人工判定。";

// The rows of the record table's runs of one load after `from`: the last row of each run and
// its length.
struct LoadRun
{
    int last = 0;
    int cycles = 0;
};

std::vector<LoadRun> loadRuns(const TestData& d, int from, int rows)
{
    std::vector<LoadRun> out;
    for (int k = from; k < rows; ++k) {
        const float h = d.jlbp[static_cast<std::size_t>(k)].hz;
        if (!out.empty() && d.jlbp[static_cast<std::size_t>(out.back().last)].hz == h) {
            out.back().last = k;
            ++out.back().cycles;
        } else {
            out.push_back({k, 1});
        }
    }
    return out;
}

} // namespace

std::vector<StagePoint> stagePoints(const TestData& d, int gridRows)
{
    const std::vector<int> curveRows = gradientPointRows(d, gridRows);
    std::vector<StagePoint> candidates;
    for (std::size_t k = 0; k < curveRows.size(); ++k) {
        StagePoint p;
        p.row = curveRows[k];
        p.curvePoint = static_cast<int>(k);
        candidates.push_back(p);
    }
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows);
    if (!curveRows.empty())
        for (const LoadRun& run : loadRuns(d, curveRows.front() + 1, rows))
            if (run.cycles < kCyclesPerStage &&
                std::none_of(curveRows.begin(), curveRows.end(), [&](int r) { return r == run.last; })) {
                StagePoint p;
                p.row = run.last;
                p.incomplete = true;
                p.cycles = run.cycles;
                candidates.push_back(p);
            }
    std::sort(candidates.begin(), candidates.end(),
              [](const StagePoint& a, const StagePoint& b) { return a.row < b.row; });
    std::vector<StagePoint> out;
    for (StagePoint p : candidates) {
        if (p.row < 0 || p.row >= kJlbRows)
            break;
        const JlbRec& r = d.jlbp[static_cast<std::size_t>(p.row)];
        if (r.hz == kEndLoad || !std::isfinite(r.hz) || !std::isfinite(r.ds[dispLoading]))
            break;
        p.stage = static_cast<int>(out.size()) + 1;
        p.h0 = r.hz;
        p.y0 = r.ds[dispLoading];
        if (!p.incomplete)
            p.cycles = std::max<int>(r.xh, 0);
        const double h = out.empty() ? 0 : out.back().h0;
        const double y = out.empty() ? 0 : out.back().y0;
        if (p.h0 <= h)
            break;
        p.dydh = (p.y0 - y) / (p.h0 - h);
        out.push_back(p);
    }
    return out;
}

std::optional<BreakpointFit> fitBreakpoints(const std::vector<double>& x, const std::vector<double>& y,
                                            FitOptions options)
{
    const int n = static_cast<int>(x.size());
    if (n < kMinimumStagePoints || y.size() != x.size())
        return std::nullopt;
    double largest = 0;
    for (const double v : y)
        largest = std::max(largest, std::abs(v));
    const double floor = std::max(largest * 1e-3, std::numeric_limits<double>::min());
    std::optional<Candidate> models[3];
    BreakpointFit f;
    f.points = n;
    for (int b = 0; b < 3; ++b) {
        models[b] = bestWith(b, x, y, options, floor);
        f.criterion[b] = models[b] ? criterion(models[b]->score, n, models[b]->model.parameters)
                                   : std::numeric_limits<double>::infinity();
    }
    if (models[2]) {
        f.firstOfTwo = models[2]->breaks[0];
        f.secondOfTwo = models[2]->breaks[1];
    }
    const double bestBroken = std::min(f.criterion[1], f.criterion[2]);
    if (bestBroken <= f.criterion[0] - BreakpointFit::kSignificance)
        f.breaks = f.criterion[2] <= f.criterion[1] - BreakpointFit::kSignificance ? 2 : 1;
    const Candidate& chosen = *models[f.breaks];
    f.segments = chosen.model.segments;
    f.score = chosen.score;
    if (f.breaks >= 1)
        f.first = chosen.breaks[0];
    if (f.breaks == 2)
        f.second = chosen.breaks[1];
    for (int i = 0; i < n; ++i) {
        f.residuals.push_back(y[i] - chosen.model.fitted[i]);
        f.rss += f.residuals.back() * f.residuals.back();
    }
    return f;
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
        s.reason = "H0-t-Y0曲线各级之间没有明显的位移陡升，无法据此判定水平临界荷载。";
        return s;
    }
    s.hcr = pts[first - 1].h0;
    s.hcrStage = pts[first - 1].stage;
    const int second = kink(first + 1);
    if (second < 0) {
        s.reason = kNoSecondInflection;
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

namespace pyx {

std::optional<double> Suggestions::lowestHcr() const
{
    std::optional<double> out;
    for (const Suggestion* s : {&gradient, &lglog, &kink})
        if (s->hcr && (!out || *s->hcr < *out))
            out = s->hcr;
    return out;
}

std::optional<double> Suggestions::lowestHu() const
{
    std::optional<double> out;
    for (const Suggestion* s : {&gradient, &lglog, &kink})
        if (s->hu && (!out || *s->hu < *out))
            out = s->hu;
    return out;
}

std::optional<double> maximumLoad(const std::vector<StagePoint>& pts)
{
    if (pts.empty())
        return std::nullopt;
    return pts.back().h0;
}

} // namespace pyx
