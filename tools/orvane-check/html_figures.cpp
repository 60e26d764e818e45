// The figures of the blocks that hold curves, nodes and frequencies. Each chart is a figure with its
// caption; data larger than a chart can show point by point are shaded by density instead.
#include <algorithm>
#include <vector>

#include "chart.h"
#include "html.h"

namespace orvane::check {

namespace {

constexpr std::size_t kListed = 20;  // curves named, or charted, among those that turn back

// What names a curve: its header's value as written, "DEPTH=2" or "NODE=1001".
std::string CurveName(const CurveArrays& curves, std::size_t c) {
  if (curves.kind[c] == -1) {
    return "DEPTH=" + FormatSingle(-curves.depth[c]);
  }
  if (curves.kind[c] == 0) {
    return "NODE=" + std::to_string(curves.node[4 * c]);
  }
  return "header not read";
}

// The first point (from 1) whose first number is not greater than the one before, or 0.
std::size_t TurnsBackAt(std::span<const float> first) {
  for (std::size_t p = 1; p < first.size(); ++p) {
    if (!(first[p] > first[p - 1])) {
      return p + 1;
    }
  }
  return 0;
}

// One curve's points, gathered from the strided arrays into two runs.
struct Gathered {
  std::vector<float> first;
  std::vector<float> second;

  void Gather(const CurveArrays& curves, std::size_t c) {
    const std::size_t held = curves.Held(c);
    first.resize(held);
    second.resize(held);
    for (std::size_t p = 0; p < held; ++p) {
      first[p] = curves.At(c, p, 0);
      second[p] = curves.At(c, p, 1);
    }
  }
};

std::string Overlay(const CurveArrays& curves, const std::vector<std::size_t>& turning, const HtmlLimits& limits,
                    Gathered& points) {
  Bounds x;
  Bounds y;
  std::size_t total = 0;
  for (std::size_t c = 0; c < curves.count; ++c) {
    total += curves.Held(c);
    for (std::size_t p = 0; p < curves.Held(c); ++p) {
      x.Add(curves.At(c, p, 0));
      y.Add(curves.At(c, p, 1));
    }
  }
  Chart chart(1100, 360, MakeAxis(x, 8, false, true, "y (first number)"),
              MakeAxis(y, 6, false, true, "p (second number)"));
  const bool vector = total <= limits.vectorPoints && curves.count <= 60;
  const bool named = curves.count <= std::size(kPalette);
  if (vector && named) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t c = 0; c < curves.count; ++c) {
      entries.emplace_back(std::string(kPalette[c]), CurveName(curves, c) + (turning[c] != 0 ? " (turns back)" : ""));
    }
    chart.Key(entries);
  } else if (vector) {
    chart.RampKey("curve 1", "curve " + std::to_string(curves.count), "order");
  }
  std::string caption = curves.count == 1 ? std::string("The block's one curve")
                                          : "All " + Counted(curves.count, "curve") + " of the block";
  if (vector) {
    for (std::size_t c = 0; c < curves.count; ++c) {
      points.Gather(curves, c);
      const std::string colour = named ? std::string(kPalette[c]) : RampColour(c, curves.count);
      chart.Line(points.first, points.second,
                 {.colour = colour, .width = 1.8, .markers = total <= 400, .dashed = turning[c] != 0},
                 "curve " + std::to_string(c + 1) + " (" + CurveName(curves, c) + ")", false);
    }
  } else {
    chart.ReserveKey();
    Density density(chart, 3);
    for (std::size_t c = 0; c < curves.count; ++c) {
      points.Gather(curves, c);
      density.Begin();
      density.Line(points.first, points.second);
    }
    chart.Shade(density, "curves per cell");
    caption += ", shaded by how many pass through each spot";
    std::size_t traced = 0;
    for (std::size_t c = 0; c < curves.count && traced < kListed; ++c) {
      if (turning[c] != 0 && curves.Held(c) <= limits.vectorPoints) {
        points.Gather(curves, c);
        chart.Line(points.first, points.second, {.colour = "#d6336c", .width = 1.4, .markers = false},
                   "curve " + std::to_string(c + 1) + " (" + CurveName(curves, c) + ") turns back", false);
        ++traced;
      }
    }
    if (traced > 0) {
      caption += "; curves that turn back drawn in red";
    }
  }
  return "<figure class=\"overlay\"><figcaption>" + Escaped(caption) + "</figcaption>" +
         chart.Svg("chart overlay", caption) + "</figure>";
}

// The colour of curve `c` in the overlay's key, which its own chart takes too.
std::string_view CurveColour(const CurveArrays& curves, std::size_t c) {
  return curves.count <= std::size(kPalette) ? kPalette[c] : Style{}.colour;
}

std::string CurveChart(const CurveArrays& curves, std::size_t c, std::size_t turnsBack, const HtmlLimits& limits,
                       Gathered& points) {
  points.Gather(curves, c);
  Bounds x;
  Bounds y;
  std::size_t drawn = 0;
  for (std::size_t p = 0; p < points.first.size(); ++p) {
    x.Add(points.first[p]);
    y.Add(points.second[p]);
    drawn += std::isfinite(points.first[p]) && std::isfinite(points.second[p]) ? 1U : 0U;
  }
  const std::string name = "curve " + std::to_string(c + 1);
  Chart chart(250, 180, MakeAxis(x, 4, false, true, "y"), MakeAxis(y, 4, false, true, "p"));
  if (points.first.empty()) {
    chart.Message("no points");
  } else if (points.first.size() <= limits.vectorPoints) {
    chart.Line(points.first, points.second, {.colour = CurveColour(curves, c)}, name, true);
    for (std::size_t p = 1; p < points.first.size(); ++p) {
      if (!(points.first[p] > points.first[p - 1])) {
        const std::span<const float> a(points.first.data() + p - 1, 2);
        const std::span<const float> b(points.second.data() + p - 1, 2);
        chart.Line(a, b, {.colour = "#d6336c", .width = 2.6, .markers = false}, name + " turns back here", false);
      }
    }
  } else {
    Density density(chart, 2);
    density.Begin();
    density.Line(points.first, points.second);
    chart.Shade(density, "");
  }
  std::string held = Counted(points.first.size(), "point");
  if (static_cast<std::size_t>(std::max(curves.pointCount[c], 0)) != points.first.size()) {
    held = "pointCount " + std::to_string(curves.pointCount[c]) + ", " + std::to_string(points.first.size()) + " held";
  }
  if (drawn != points.first.size()) {
    held += ", " + std::to_string(points.first.size() - drawn) + " not drawn (infinite or NaN)";
  }
  const std::string title = name + " \xC2\xB7 " + Escaped(CurveName(curves, c));
  std::string figure = std::string("<figure class=\"curve") + (turnsBack != 0 ? " turns-back" : "") +
                       "\"><figcaption>" + title + "<span class=\"n\">" + held + "</span>";
  if (turnsBack != 0) {
    figure += "<span class=\"mark\">first numbers do not increase at point " + std::to_string(turnsBack) + "</span>";
  }
  return figure + "</figcaption>" + chart.Svg("chart curve", name + " " + CurveName(curves, c)) + "</figure>";
}

// The curves from `from` on, in figures: how many of each kind, and the ranges of their values.
std::string Summary(const CurveArrays& curves, std::size_t from) {
  Bounds depth;
  Bounds node;
  Bounds pointCounts;
  Bounds first;
  Bounds second;
  std::size_t byDepth = 0;
  std::size_t byNode = 0;
  for (std::size_t k = from; k < curves.count; ++k) {
    if (curves.kind[k] == -1) {
      depth.Add(-curves.depth[k]);
      ++byDepth;
    } else if (curves.kind[k] == 0) {
      node.Add(curves.node[4 * k]);
      ++byNode;
    }
    pointCounts.Add(static_cast<double>(curves.Held(k)));
    for (std::size_t p = 0; p < curves.Held(k); ++p) {
      first.Add(curves.At(k, p, 0));
      second.Add(curves.At(k, p, 1));
    }
  }
  const auto range = [](const Bounds& b, bool integral) {
    const auto shown = [integral](double v) {
      return integral ? std::to_string(static_cast<long long>(v)) : FormatSingle(static_cast<float>(v));
    };
    return b.Empty() ? std::string("none") : b.low == b.high ? shown(b.low) : shown(b.low) + " to " + shown(b.high);
  };
  const auto row = [](std::string_view name, const std::string& value) {
    return "<tr><th>" + std::string(name) + "</th><td>" + value + "</td></tr>";
  };
  return "<table class=\"settings summary\"><caption>Curves " + std::to_string(from + 1) + " to " +
         std::to_string(curves.count) + " in figures (--values draws a chart for each)</caption><tbody>" +
         row("curves", std::to_string(curves.count - from) + ": " + std::to_string(byDepth) + " by DEPTH=, " +
                           std::to_string(byNode) + " by NODE=") +
         row("DEPTH=", range(depth, false)) + row("NODE=", range(node, true)) +
         row("points a curve", range(pointCounts, true)) + row("first numbers", range(first, false)) +
         row("second numbers", range(second, false)) + "</tbody></table>";
}

}  // namespace

void CurveFigures(const CurveArrays& curves, const HtmlLimits& limits, ChartBudget& budget, std::string& out) {
  if (curves.count == 0) {
    out += "<p class=\"note\">No curve to draw.</p>";
    return;
  }
  Gathered points;
  std::vector<std::size_t> turning(curves.count);  // the point at which each curve turns back, or 0
  std::vector<std::size_t> turned;
  for (std::size_t c = 0; c < curves.count; ++c) {
    points.Gather(curves, c);
    turning[c] = TurnsBackAt(points.first);
    if (turning[c] != 0) {
      turned.push_back(c);
    }
  }
  std::string& s = out;
  if (!turned.empty()) {
    s += "<p class=\"mark\">" + Counted(turned.size(), "curve") + " whose first numbers do not increase: ";
    for (std::size_t i = 0; i < std::min(turned.size(), kListed); ++i) {
      s += std::string(i == 0 ? "" : "; ") + "curve " + std::to_string(turned[i] + 1) + " (" +
           CurveName(curves, turned[i]) + ") at point " + std::to_string(turning[turned[i]]);
    }
    s += turned.size() > kListed ? "; and " + std::to_string(turned.size() - kListed) + " more.</p>" : ".</p>";
  }
  if (!budget.Take()) {
    s += budget.Spent();
    return;
  }
  s += Overlay(curves, turning, limits, points);
  const std::size_t drawn = std::min(curves.count, limits.curvesDrawn);
  std::size_t c = 0;
  s += "<div class=\"multiples\">";
  for (; c < drawn && budget.Take(); ++c) {
    s += CurveChart(curves, c, turning[c], limits, points);
  }
  s += "</div>";
  if (c == curves.count) {
    return;
  }
  // Curves that turn back are what a reader looks for: the first of them get a chart of their own
  // wherever they stand.
  std::string later;
  std::size_t shown = 0;
  for (const std::size_t t : turned) {
    if (t >= c && shown < kListed && budget.Take()) {
      later += CurveChart(curves, t, turning[t], limits, points);
      ++shown;
    }
  }
  if (!later.empty()) {
    s += "<h4>Curves after curve " + std::to_string(c) + " that turn back</h4><div class=\"multiples\">" + later +
         "</div>";
  }
  s += Summary(curves, c);
  if (c < drawn) {
    s += budget.Spent();
  }
}

void NodeFigures(const NodeArrays& nodes, const HtmlLimits& limits, ChartBudget& budget, std::string& out) {
  if (nodes.count == 0) {
    out += "<p class=\"note\">No node to draw.</p>";
    return;
  }
  const char* names[] = {"axialLoadColumn2", "axialLoadColumn3", "axialLoadColumn4"};
  std::vector<float> numbers(nodes.count);
  Bounds x;
  for (std::size_t k = 0; k < nodes.count; ++k) {
    numbers[k] = static_cast<float>(nodes.numbers[k]);
    x.Add(nodes.numbers[k]);
  }
  std::string& s = out;
  s += "<div class=\"charts\">";
  for (std::size_t j = 0; j < 3; ++j) {
    if (!budget.Take()) {
      s += "</div>" + budget.Spent();
      return;
    }
    const std::span<const float> values(nodes.columns[j], nodes.count);
    Bounds y;
    for (const float v : values) {
      y.Add(v);
    }
    Chart chart(370, 230, MakeAxis(x, 5, true, false, "node number"), MakeAxis(y, 5, false, true, names[j]));
    if (nodes.count <= limits.vectorPoints) {
      std::vector<std::string> tips(nodes.count);
      for (std::size_t k = 0; k < nodes.count; ++k) {
        tips[k] = "node " + std::to_string(nodes.numbers[k]) + " (entry " + std::to_string(k + 1) +
                  "): " + FormatSingle(values[k]);
      }
      chart.Dots(numbers, values, {.colour = kPalette[j]}, tips);
    } else {
      chart.ReserveKey();
      Density density(chart, 2);
      for (std::size_t k = 0; k < nodes.count; ++k) {
        density.Begin();
        density.Dot(numbers[k], values[k]);
      }
      chart.Shade(density, "nodes per cell");
    }
    const std::string caption = std::string(names[j]) + " against node number";
    s += "<figure class=\"column\"><figcaption>" + caption + "<span class=\"n\">" + Counted(nodes.count, "node") +
         "</span></figcaption>" + chart.Svg("chart column", caption) + "</figure>";
  }
  s += "</div>";
}

void FrequencyFigure(std::span<const float> frequencies, const HtmlLimits& limits, ChartBudget& budget,
                     std::string& out) {
  if (frequencies.empty()) {
    return;
  }
  if (!budget.Take()) {
    out += budget.Spent();
    return;
  }
  Bounds x;
  for (const float f : frequencies) {
    x.Add(f);
  }
  Chart chart(1100, 96, MakeAxis(x, 10, false, true, "selected frequency"), Axis{}, false);
  std::vector<std::string> tips;
  if (frequencies.size() <= limits.vectorPoints) {
    for (std::size_t k = 0; k < frequencies.size(); ++k) {
      tips.push_back("frequency " + std::to_string(k + 1) + ": " + FormatSingle(frequencies[k]));
    }
  }
  chart.Strokes(frequencies, {.colour = "#4e79a7", .width = 2}, tips);
  const std::string caption = frequencies.size() == 1
                                  ? std::string("The selected frequency")
                                  : "The " + std::to_string(frequencies.size()) + " selected frequencies";
  out += "<figure class=\"strip\"><figcaption>" + caption + "</figcaption>" + chart.Svg("chart strip", caption) +
         "</figure>";
}

}  // namespace orvane::check
