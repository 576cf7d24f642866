#include "reports/uncertainty_report/UncertaintyChart.h"

#include "platform/RuntimeError.h"

#include <algorithm>

namespace morvane {

double Diagrammversatz(int chart, double H)
{
    return chart == 2 ? 0.305 * H : 0.0;
}

double DiagrammX(double q, double S, double W)
{
    return (0.1 + 0.7 * checkedDivide(q, S)) * W;
}

double Nulllinie(int chart, double H)
{
    return 0.413 * H + Diagrammversatz(chart, H);
}

double UnsicherheitY(double u, int chart, double H)
{
    return Nulllinie(chart, H) - 0.014 * u * H;
}

double MarkerFraction(double q, double S)
{
    const double f = 0.1 + 0.7 * checkedDivide(q, S);
    return f > 1.0 ? 0.95 : f;
}

bool DesignLetterMoved(double C, double A)
{
    return checkedDivide((C - A) * (C - A), A) < 0.05;
}

AxisLabels placeAxisLabels(std::optional<double> halfX, double halfWidth, double designX, double designWidth,
                           double left, double right, double gap)
{
    // Right of its mark where it fits, else left of it.
    auto beside = [&](double x, double width) { return x + width <= right ? x : x - gap - width; };
    AxisLabels placed{std::nullopt, beside(designX, designWidth)};
    if (!halfX)
        return placed;
    double half = beside(*halfX, halfWidth);
    const bool overlaps = half < placed.design + designWidth + gap && half + halfWidth + gap > placed.design;
    if (overlaps)
        half = placed.design - gap - halfWidth;
    if (half >= left)
        placed.half = half;
    return placed;
}

}  // namespace morvane
