#include "reports/uncertainty_report/UncertaintyChart.h"

#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace morvane {

namespace {

constexpr double kAxisFraction = 0.1;        // the uncertainty axis, flow 0
constexpr double kScaleFraction = 0.8;       // the scale S
constexpr double kArrowTipFraction = 0.85;   // the flow axis's arrow tip
constexpr double kFrameLeftFraction = 0.05;  // room for the level texts
constexpr double kAxisTopAbove = 0.093;      // the uncertainty axis's tip above the flow axis (H)
constexpr double kMarkerLength = 0.042;      // a marker line, from the flow axis (H)
constexpr double kUpperLetterAbove = 0.056;  // top of an upper marker's letter above the flow axis (H)
constexpr double kLowerLetterBelow = 0.046;  // top of a lower marker's letter below the flow axis (H)
constexpr double kEndTick = 0.007;           // dotted end tick of the 5 % band, outwards (H)

constexpr std::int16_t kPen = 3;             // pixels
constexpr double kLineClearance = 8.0;       // twips between a text and a line's edge
constexpr double kTextClearance = 30.0;      // twips between two texts
constexpr double kSmallPoints = 7.0;
constexpr double kTitlePoints = 9.0;
constexpr double kSmallestTitlePoints = 6.0;

double halfWidth(const ChartLine& l) { return l.widthPixels * kTwipsPerPixel / 2.0; }

// Whether the segment meets the box (Liang-Barsky clipping).
bool segmentMeetsBox(const ChartLine& l, const ChartBox& b)
{
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {l.x1 - b.left, b.right - l.x1, l.y1 - b.top, b.bottom - l.y1};
    double t0 = 0.0, t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    return true;
}

ChartBox grown(const ChartBox& b, double by) { return {b.left - by, b.top - by, b.right + by, b.bottom + by}; }

bool overlap(const ChartBox& a, const ChartBox& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The chart as it is laid out: the lines first, then the texts, each one
// where nothing drawn so far touches it.
class Layout {
public:
    Layout(ChartBox frame, const MeasureText& measure) : frame_(frame), measure_(measure) {}

    void line(double x1, double y1, double x2, double y2, std::int16_t width = kPen, bool dotted = false)
    {
        drawing_.lines.push_back({x1, y1, x2, y2, width, dotted});
    }

    std::pair<double, double> size(const std::string& text, double points, bool bold) const
    {
        return measure_(text, points, bold);
    }

    // A text with its top-left corner at (x, y), as it is.
    ChartBox put(const std::string& text, double points, bool bold, double x, double y)
    {
        const auto [w, h] = size(text, points, bold);
        drawing_.texts.push_back({x, y, text, points, bold});
        placed_.push_back({x, y, x + w, y + h});
        return placed_.back();
    }

    // A text on the line y, as near to the left edge `preferred` as it can
    // stand clear of every line and text, inside the frame and right of
    // `leftmost`: tried at ever larger shifts to the right and to the left, up
    // to maxShift. False, and nothing placed, when no such place is found.
    bool place(const std::string& text, double points, bool bold, double preferred, double y, double leftmost,
               double maxShift)
    {
        const auto [w, h] = size(text, points, bold);
        const double step = std::max(20.0, w / 4.0);
        for (int i = 0;; ++i) {
            const double shift = step * ((i + 1) / 2) * (i % 2 == 1 ? 1.0 : -1.0);
            if (std::fabs(shift) > maxShift)
                return false;
            const ChartBox b{preferred + shift, y, preferred + shift + w, y + h};
            if (b.left >= leftmost && clear(b)) {
                put(text, points, bold, b.left, y);
                return true;
            }
        }
    }

    // As place, but a text that must be printed stands at its preferred
    // place, pushed into the frame, when no clear place is found.
    void placeAnyway(const std::string& text, double points, bool bold, double preferred, double y, double leftmost,
                     double maxShift)
    {
        if (place(text, points, bold, preferred, y, leftmost, maxShift))
            return;
        const double w = size(text, points, bold).first;
        put(text, points, bold, std::max(leftmost, std::min(preferred, frame_.right - w)), y);
    }

    ChartDrawing take() { return std::move(drawing_); }

private:
    bool clear(const ChartBox& b) const
    {
        if (b.left < frame_.left || b.right > frame_.right || b.top < frame_.top || b.bottom > frame_.bottom)
            return false;
        for (const ChartLine& l : drawing_.lines)
            if (segmentMeetsBox(l, grown(b, halfWidth(l) + kLineClearance)))
                return false;
        for (const ChartBox& t : placed_)
            if (overlap(grown(b, kTextClearance), t))
                return false;
        return true;
    }

    ChartBox frame_;
    const MeasureText& measure_;
    ChartDrawing drawing_;
    std::vector<ChartBox> placed_;
};

}  // namespace

double Diagrammversatz(int chart, double H)
{
    return chart == 2 ? 0.305 * H : 0.0;
}

double DiagrammX(double q, double S, double W)
{
    return (kAxisFraction + 0.7 * checkedDivide(q, S)) * W;
}

double Nulllinie(int chart, double H)
{
    return 0.413 * H + Diagrammversatz(chart, H);
}

double UnsicherheitY(double u, int chart, double H)
{
    return Nulllinie(chart, H) - 0.014 * u * H;
}

MarkerPlace markerPlace(double q, double S)
{
    const double f = kAxisFraction + 0.7 * checkedDivide(q, S);
    return f > kScaleEndFraction ? MarkerPlace{kScaleEndFraction, true} : MarkerPlace{f, false};
}

ChartBox chartFrame(int chart, double W, double H)
{
    const double n = Nulllinie(chart, H);
    return {kFrameLeftFraction * W, n - kAxisTopAbove * H, kArrowTipFraction * W, (chart == 2 ? 0.81 : 0.5) * H};
}

ChartDrawing drawChart(int chart, const ChartFlows& f, const ChartWords& words, double W, double H,
                       const MeasureText& measure)
{
    const ChartBox frame = chartFrame(chart, W, H);
    const double n = Nulllinie(chart, H);
    const double top = frame.top;
    const double axisX = kAxisFraction * W;
    const double halfPen = kPen * kTwipsPerPixel / 2.0;
    auto X = [&](double q) { return DiagrammX(q, f.A, W); };
    auto Y = [&](double u) { return UnsicherheitY(u, chart, H); };
    Layout l(frame, measure);

    // The uncertainty axis and the flow axis with their arrowheads.
    l.line(axisX, top, axisX, frame.bottom);
    l.line(axisX, top, 0.103 * W, top + 0.005 * H);
    l.line(axisX, top, 0.097 * W, top + 0.005 * H);
    l.line(0.09 * W, n, kArrowTipFraction * W, n);
    l.line(kArrowTipFraction * W, n, 0.845 * W, n - 0.003 * H);
    l.line(kArrowTipFraction * W, n, 0.845 * W, n + 0.003 * H);

    // The uncertainty axis's texts: "abs" before its arrowhead, the caption
    // after it, the level texts right-aligned before the axis, each with its
    // top a little above its level; as far from the line as from a text. Then
    // the title on the caption's line, from 0.3 W or after the caption, ending
    // within the frame (smaller where it would not).
    auto axisTexts = [&] {
        auto beforeLine = [&](const std::string& text, double lineX, double y) {
            l.put(text, kSmallPoints, false,
                  lineX - halfPen - kTextClearance - l.size(text, kSmallPoints, false).first, y);
        };
        beforeLine("abs", 0.097 * W, top);
        const ChartBox caption = l.put(words.axisCaption, kSmallPoints, false, 0.11 * W, top);
        const std::pair<double, const char*> levels[] = {{5, "5%"},   {2, "2%"},   {1, "1%"},
                                                         {-5, "-5%"}, {-2, "-2%"}, {-1, "-1%"}};
        for (const auto& [u, text] : levels)
            beforeLine(text, axisX, Y(u) - 0.003 * H);
        const double titleLeftmost = caption.right + 2 * kTextClearance;
        double titlePoints = kTitlePoints;
        auto titleWidth = [&] { return l.size(words.title, titlePoints, true).first; };
        while (titleLeftmost + titleWidth() > frame.right && titlePoints > kSmallestTitlePoints)
            titlePoints -= 0.5;
        l.put(words.title, titlePoints, true, std::max(titleLeftmost, std::min(0.3 * W, frame.right - titleWidth())),
              top);
    };
    const double rightOfAxis = axisX + halfPen + kLineClearance;

    // No allowed flow (A = 0, the vibration limit leaves none): no scale, no
    // flow point and no band can be drawn; the chart says so above its flow
    // axis, in a smaller size where the words would not fit.
    if (!(f.A > 0.0)) {
        axisTexts();
        double points = kTitlePoints;
        const double room = frame.right - rightOfAxis - kTextClearance;
        while (l.size(words.noFlowRange, points, true).first > room && points > kSmallestTitlePoints)
            points -= 0.5;
        l.placeAnyway(words.noFlowRange, points, true, 0.15 * W, Y(3), rightOfAxis, 0.05 * W);
        return l.take();
    }

    // The flow scale: ticks at tenths of the design flow, above the axis (the
    // one at half the design flow longer), as far as the scale reaches.
    std::optional<double> halfTick;
    for (int i = 9; i >= 1; --i) {
        const double fraction = kAxisFraction + 0.7 * checkedDivide(i / 10.0 * f.C, f.A);
        if (!(fraction > kAxisFraction && fraction <= kScaleEndFraction))
            continue;
        const double x = fraction * W;
        l.line(x, n - (i == 5 ? 0.010 : 0.006) * H, x, n);
        // Labelled where half the design flow lies beyond a fifth of S.
        if (i == 5 && fraction > kAxisFraction + 0.7 * 0.2)
            halfTick = x;
    }

    // The flow points: a line above the flow axis (A, C and the possible
    // minimum) or below it (B and the recommended minimum); a point beyond the
    // scale stands at its end with an arrow pointing on.
    struct Marker {
        double q;
        bool upper;
        std::string letter;
        bool valueBelowAxis = false;  // the design flow: its value stands under the flow axis
        double x = 0.0;
        bool beyond = false;
    };
    std::vector<Marker> markers{{f.A, true, "A"}, {f.C, true, "C", true}};
    if (f.B != f.A)
        markers.push_back({f.B, false, "B"});
    markers.push_back({f.possibleMin, true, words.possibleLetter});
    markers.push_back({f.recommendedMin, false, words.recommendedLetter});
    for (Marker& m : markers) {
        const MarkerPlace at = markerPlace(m.q, f.A);
        m.x = at.fraction * W;
        m.beyond = at.beyond;
        const double far = m.upper ? n - kMarkerLength * H : n + kMarkerLength * H;
        l.line(m.x, far, m.x, n);
        if (m.beyond) {
            const double y = (far + n) / 2.0;
            l.line(m.x, y, m.x + 0.012 * W, y);
            l.line(m.x + 0.012 * W, y, m.x + 0.008 * W, y - 0.003 * H);
            l.line(m.x + 0.012 * W, y, m.x + 0.008 * W, y + 0.003 * H);
        }
    }

    // The stepped band: +-1 % from Q1 up to A, +-2 % from Q2 up to Q1, +-5 %
    // from Q5 up to Q2 with dotted end ticks; a step whose threshold lies at or
    // beyond A is not drawn.
    const double scaleX = kScaleFraction * W;
    if (f.q1 < f.A) {
        const double L = X(f.q1);
        l.line(scaleX, Y(1), L, Y(1));
        l.line(scaleX, Y(-1), L, Y(-1));
        l.line(L, Y(1), L, Y(2));
        l.line(L, Y(-1), L, Y(-2));
    }
    if (f.q2 < f.A) {
        const double R = X(std::min(f.q1, f.A)), L = X(f.q2);
        l.line(R, Y(2), L, Y(2));
        l.line(R, Y(-2), L, Y(-2));
        l.line(L, Y(2), L, Y(5));
        l.line(L, Y(-2), L, Y(-5));
        const double R5 = L, L5 = X(f.q5);
        l.line(R5, Y(5), L5, Y(5));
        l.line(R5, Y(-5), L5, Y(-5));
        l.line(L5, Y(5), L5, Y(5) - kEndTick * H, 1, true);
        l.line(L5, Y(-5), L5, Y(-5) + kEndTick * H, 1, true);
    }

    axisTexts();

    // The letters of the flow points, over or under their lines; a point
    // beyond the scale names its flow too. A flow shows with two decimals, or
    // with 4 significant digits where two decimals would show it as 0 or more
    // than 1 % off.
    auto flowText = [&](double q) { return formatFixedNear(q, 2, words.decimalSeparator) + " " + words.flowUnit; };
    for (const Marker& m : markers) {
        const std::string text = m.beyond && !m.valueBelowAxis ? m.letter + " " + flowText(m.q) : m.letter;
        const double w = l.size(text, kSmallPoints, true).first;
        const double y = m.upper ? n - kUpperLetterAbove * H : n + kLowerLetterBelow * H;
        l.placeAnyway(text, kSmallPoints, true, m.x - w / 2.0, y, rightOfAxis, 0.04 * W + w);
    }

    // Below the flow axis, between it and the -1 % line: the design flow
    // under its marker, and half the design flow under its tick where there
    // is room.
    const double labelHeight = l.size("0", kSmallPoints, false).second;
    const double belowAxis = n + halfPen + (0.014 * H - 2 * halfPen - labelHeight) / 2.0;
    const std::string design = flowText(f.C);
    const double designWidth = l.size(design, kSmallPoints, false).first;
    const double cx = markerPlace(f.C, f.A).fraction * W;
    l.placeAnyway(design, kSmallPoints, false, cx - designWidth / 2.0, belowAxis, rightOfAxis, 0.2 * W);
    if (halfTick) {
        const std::string half = flowText(f.C / 2.0);
        l.place(half, kSmallPoints, false, *halfTick - l.size(half, kSmallPoints, false).first / 2.0, belowAxis,
                rightOfAxis, 0.08 * W);
    }
    return l.take();
}

}  // namespace morvane
