// Coordinates of the two uncertainty charts of protocol page 2. Every position
// is a fraction of the page width W (across, from the left edge) or of the page
// height H (down, from the top edge), in twips. Chart 1 is the measurement with
// one dp transmitter, chart 2 the one with two transmitters in splitting range;
// chart 2 stands 0.305 H below chart 1.
#pragma once

#include <optional>

namespace morvane {

// Vertical offset of a chart (1 or 2): 0 or 0.305 H.
double Diagrammversatz(int chart, double H);

// Across position of the flow q on a chart scaled to S (the allowed maximum
// flow): (0.1 + 0.7 q / S) W, so flow 0 on the uncertainty axis at 0.1 W and S at
// 0.8 W. Run-time error 11 when S is 0.
double DiagrammX(double q, double S, double W);

// The flow axis, also the line of zero uncertainty: 0.413 H + Diagrammversatz.
double Nulllinie(int chart, double H);

// The level of u percent uncertainty, positive above the flow axis:
// Nulllinie - 0.014 u H.
double UnsicherheitY(double u, int chart, double H);

// Fraction of W at which the marker of flow q stands: that of DiagrammX, but 0.95
// when the point would lie right of the page edge (fraction above 1).
double MarkerFraction(double q, double S);

// Whether the letter of the design flow C is moved left, away from the letter A:
// (C - A)^2 / A < 0.05, on the flows as stored. Run-time error 11 when A is 0.
bool DesignLetterMoved(double C, double A);

// Where the two flow-axis labels start (twips), the one at half the design
// flow and the one at the design flow, both hanging below the axis at the same
// height from their marks (halfX, designX). Each starts at its mark, or ends a
// gap before it where it would run past the printable width (`right`); the
// half label gives way to the design label: it moves to end a gap before it,
// and is left out (nothing) when it would then start left of `left` (the
// uncertainty axis).
struct AxisLabels {
    std::optional<double> half;
    double design;
};
AxisLabels placeAxisLabels(std::optional<double> halfX, double halfWidth, double designX, double designWidth,
                           double left, double right, double gap);

}  // namespace morvane
