#include "analysis/soil_coefficient.h"

#include <array>
#include <cmath>
#include <utility>

namespace pyx {
namespace {

// (αh, νy), αh descending.
constexpr std::array<std::pair<double, double>, 6> kNuY{
    {{4.0, 2.441}, {3.5, 2.502}, {3.0, 2.727}, {2.8, 2.905}, {2.6, 3.163}, {2.4, 3.526}}};

constexpr int kMaxRounds = 200;
constexpr double kSettled = 1e-6;

bool positive(double v)
{
    return std::isfinite(v) && v > 0;
}

double nuYFor(const PileInputs& p, double m, bool* belowTable)
{
    return displacementFactor(deformationFactor(p, m) * p.embedded, belowTable);
}

// H = m^(3/5)·b0^(3/5)·EI^(2/5)·Y0 / νy: the factor of Y0/νy.
double stiffness(const PileInputs& p, double m)
{
    return std::pow(m * calculatedWidth(p.shape, p.width), 0.6) * std::pow(p.ei, 0.4);
}

} // namespace

double calculatedWidth(PileShape shape, double width)
{
    if (shape == PileShape::Round)
        return width <= 1 ? 0.9 * (1.5 * width + 0.5) : 0.9 * (width + 1);
    return width <= 1 ? 1.5 * width + 0.5 : width + 1;
}

double displacementFactor(double alphaH, bool* belowTable)
{
    if (belowTable)
        *belowTable = false;
    if (!(alphaH < kNuY.front().first))
        return kNuY.front().second;
    for (std::size_t k = 1; k < kNuY.size(); ++k) {
        const auto [a1, v1] = kNuY[k - 1];
        const auto [a0, v0] = kNuY[k];
        if (alphaH >= a0)
            return v0 + (v1 - v0) * (alphaH - a0) / (a1 - a0);
    }
    if (belowTable)
        *belowTable = true;
    return kNuY.back().second;
}

double deformationFactor(const PileInputs& p, double m)
{
    return std::pow(m * calculatedWidth(p.shape, p.width) / p.ei, 0.2);
}

std::string inputProblem(const PileInputs& p)
{
    if (!positive(p.width))
        return "请输入桩径或边长（大于0）。";
    if (!positive(p.ei))
        return "请输入桩身抗弯刚度EI（大于0，kN·m²）。";
    if (!positive(p.embedded))
        return "请输入桩的入土深度h（大于0，m）。";
    return {};
}

std::optional<MResult> coefficientM(const PileInputs& p, double h, double y0)
{
    if (!inputProblem(p).empty() || !positive(h) || !positive(y0))
        return std::nullopt;
    const double b0 = calculatedWidth(p.shape, p.width);
    const double base = std::pow(h, 5.0 / 3) / (b0 * std::pow(y0, 5.0 / 3) * std::pow(p.ei, 2.0 / 3));
    MResult r;
    r.nuY = kNuY.front().second;
    r.m = std::pow(r.nuY, 5.0 / 3) * base;
    for (r.iterations = 1; r.iterations <= kMaxRounds; ++r.iterations) {
        const double nuY = nuYFor(p, r.m, &r.belowTable);
        const double m = std::pow(nuY, 5.0 / 3) * base;
        const bool settled = std::abs(m - r.m) <= kSettled * r.m;
        r.m = m;
        r.nuY = nuY;
        if (settled) {
            r.alphaH = deformationFactor(p, r.m) * p.embedded;
            r.nuY = displacementFactor(r.alphaH, &r.belowTable);
            return std::isfinite(r.m) ? std::optional<MResult>(r) : std::nullopt;
        }
    }
    return std::nullopt;
}

double loadFor(const PileInputs& p, double m, double y0)
{
    return stiffness(p, m) * y0 / nuYFor(p, m, nullptr);
}

double displacementFor(const PileInputs& p, double m, double h)
{
    return nuYFor(p, m, nullptr) * h / stiffness(p, m);
}

} // namespace pyx
