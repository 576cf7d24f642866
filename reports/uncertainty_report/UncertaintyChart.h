// The two uncertainty charts of protocol page 2. Every position is a fraction
// of the page width W (across, from the left edge) or of the page height H
// (down, from the top edge), in twips. Chart 1 is the measurement with one dp
// transmitter, chart 2 the one with two transmitters in splitting range;
// chart 2 stands 0.305 H below chart 1.
//
// A chart is laid out as a whole before it is drawn: its lines first (axes,
// scale ticks, the markers of the flow points A to G, the stepped uncertainty
// band), then its texts, each placed where no line crosses it and no other
// text covers it, inside the chart's frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// The flow axis runs on from S (0.8 W) to its arrow tip at 0.85 W; a flow point
// whose position would lie beyond kScaleEndFraction (about 1.04 S) is drawn
// there instead, marked as beyond the scale.
inline constexpr double kScaleEndFraction = 0.83;

// Fraction of W at which the marker of flow q stands, and whether the point
// lies beyond the scale (then the fraction is kScaleEndFraction). Run-time
// error 11 when S is 0.
struct MarkerPlace {
    double fraction;
    bool beyond;
};
MarkerPlace markerPlace(double q, double S);

struct ChartBox {
    double left, top, right, bottom;  // twips
};

// The region of a chart (1 or 2), twips: from the level texts left of the
// uncertainty axis to the flow axis's arrow tip, from the uncertainty axis's
// tip (where its caption and the chart's title stand) to its lower end. Every
// text of the chart lies inside it.
ChartBox chartFrame(int chart, double W, double H);

// A pen's width is given in device pixels, each 15 twips on the page.
inline constexpr double kTwipsPerPixel = 15.0;

struct ChartLine {
    double x1, y1, x2, y2;  // twips
    std::int16_t widthPixels;
    bool dotted;
};

struct ChartText {
    double x, y;  // top-left corner, twips
    std::string text;
    double sizePoints;
    bool bold;
};

struct ChartDrawing {
    std::vector<ChartLine> lines;
    std::vector<ChartText> texts;
};

// The flows one chart shows, in the user's flow unit: A (the allowed maximum
// flow, the scale; 0 where the design leaves no allowed flow), B, the design flow C, the possible and the recommended
// minimum (E and D in chart 1, G and F in chart 2) and the flows from which the
// uncertainty is 1, 2 and 5 %.
struct ChartFlows {
    double A, B, C, possibleMin, recommendedMin, q1, q2, q5;
};

// The chart's texts in the page's language.
struct ChartWords {
    std::string axisCaption;
    std::string title;
    std::string possibleLetter;     // "E" or "G"
    std::string recommendedLetter;  // "D" or "F"
    std::string flowUnit;
    char decimalSeparator;
    // What the chart says when there is no allowed flow (A = 0).
    std::string noFlowRange = {};
};

// Width and height (twips) of a text in Arial of the given size and weight.
using MeasureText = std::function<std::pair<double, double>(const std::string& text, double sizePoints, bool bold)>;

// The whole chart (1 or 2). With A = 0 (no allowed flow) only the axes, their
// texts, the title and words.noFlowRange.
ChartDrawing drawChart(int chart, const ChartFlows& flows, const ChartWords& words, double W, double H,
                       const MeasureText& measure);

}  // namespace morvane
