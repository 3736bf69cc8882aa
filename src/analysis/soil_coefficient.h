#pragma once
// The proportional coefficient m of the soil's horizontal resistance from a load and its
// displacement at the ground line, and the way back:
//   m = (νy·H)^(5/3) / (b0·Y0^(5/3)·EI^(2/3)),  α = (m·b0/EI)^(1/5),
// νy from the table of αh (h the embedded length), b0 the calculated width of the pile.
// Units kN and m; m in kN/m⁴.

#include <optional>
#include <string>

namespace pyx {

enum class PileShape
{
    Round,
    Square
};

struct PileInputs
{
    PileShape shape = PileShape::Round;
    double width = 0;    // diameter or side, m
    double ei = 0;       // bending stiffness EI, kN·m²
    double embedded = 0; // embedded length h, m
};

// The calculated width b0: round D ≤ 1 m: 0.9(1.5D + 0.5), D > 1 m: 0.9(D + 1); square
// B ≤ 1 m: 1.5B + 0.5, B > 1 m: B + 1.
double calculatedWidth(PileShape shape, double width);

// νy from the table of αh, straight between its rows; 2.441 from αh = 4.0 on. Below the
// table's last row (2.4) the value of that row, with `belowTable` set.
double displacementFactor(double alphaH, bool* belowTable = nullptr);

// α = (m·b0/EI)^(1/5), 1/m.
double deformationFactor(const PileInputs& p, double m);

// What is missing or wrong in the inputs, in the user's words; empty when they are usable.
std::string inputProblem(const PileInputs& p);

struct MResult
{
    double m = 0;            // kN/m⁴
    double nuY = 0;          // νy of the result
    double alphaH = 0;       // αh of the result
    int iterations = 0;      // rounds until m settled
    bool belowTable = false; // αh below 2.4: νy of the table's last row
    // αh above 4.0: νy of a long pile, αh taken at 4.0.
    bool aboveTable() const { return alphaH > 4.0; }
};

// m from load `h` (kN) at displacement `y0` (m): νy and m in turns, starting from a long
// pile, until m changes by less than a millionth. Nothing without a positive load and
// displacement, with unusable inputs, or when the rounds do not settle.
std::optional<MResult> coefficientM(const PileInputs& p, double h, double y0);

// The load (kN) at displacement `y0` (m) and the displacement (m) under load `h` for a given m.
double loadFor(const PileInputs& p, double m, double y0);
double displacementFor(const PileInputs& p, double m, double h);

} // namespace pyx
