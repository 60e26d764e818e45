#include "chart.h"

#include <cfloat>
#include <cstdio>
#include <cstdlib>

#include "html.h"
#include "values.h"

namespace orvane::check {

namespace {

constexpr double kCharWidth = 6.6;  // of a digit at the tick labels' size, with room to spare
constexpr double kLabelGap = 6;
constexpr double kKeyWidth = 118;
constexpr double kDot = 2.6;
constexpr std::size_t kShades = 6;
constexpr double kInset = 6;  // between the frame and the ends of the axes, so that no dot sits on the frame

// The step between ticks: 1, 2 or 5 times a power of ten, near `raw`.
double NiceStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double normal = raw / magnitude;
  return (normal < 1.5 ? 1 : normal < 3 ? 2 : normal < 7 ? 5 : 10) * magnitude;
}

std::size_t LongestLabel(const Axis& axis) {
  std::size_t longest = 1;
  for (const double tick : axis.ticks) {
    longest = std::max(longest, TickLabel(axis, tick).size());
  }
  return longest;
}

struct Rgb {
  double r, g, b;
};

std::string Hex(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(std::lround(c.r)),
                static_cast<unsigned>(std::lround(c.g)), static_cast<unsigned>(std::lround(c.b)));
  return text;
}

// A colour `t` (0 to 1) along the stops.
std::string Along(std::span<const Rgb> stops, double t) {
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(stops.size() - 1);
  const auto i = std::min(static_cast<std::size_t>(t), stops.size() - 2);
  const double f = t - static_cast<double>(i);
  const Rgb a = stops[i];
  const Rgb b = stops[i + 1];
  return Hex({a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f});
}

constexpr Rgb kCurveRamp[] = {{31, 59, 143}, {31, 138, 138}, {90, 160, 44}, {208, 140, 0}};
constexpr Rgb kDensityRamp[] = {{198, 219, 239}, {107, 174, 214}, {33, 113, 181}, {8, 48, 107}};

std::string Text(double x, double y, std::string_view text, std::string_view anchor, std::string_view extra = {}) {
  return "<text x=\"" + Pixels(x) + "\" y=\"" + Pixels(y) + "\" text-anchor=\"" + std::string(anchor) + "\"" +
         std::string(extra) + ">" + Escaped(text) + "</text>";
}

std::string Titled(std::string_view tip) { return tip.empty() ? "" : "<title>" + Escaped(tip) + "</title>"; }

bool Finite(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

}  // namespace

Axis MakeAxis(Bounds bounds, int count, bool integral, bool zero, std::string label) {
  Axis axis;
  axis.integral = integral;
  axis.label = std::move(label);
  // The data's floats as their shortest text says them (0.3 rather than 0.30000001...), so that the
  // ticks fall where a reader of those numbers expects them.
  const auto decimal = [integral](double value) {
    return integral ? value : std::strtod(FormatSingle(static_cast<float>(value)).c_str(), nullptr);
  };
  double low = bounds.Empty() ? 0 : decimal(bounds.low);
  double high = bounds.Empty() ? 1 : decimal(bounds.high);
  if (zero && low > 0 && low < high / 2) {
    low = 0;
  } else if (zero && high < 0 && high > low / 2) {
    high = 0;
  }
  if (low == high) {
    const double pad = low == 0 ? 1 : std::max(std::fabs(low) / 10, integral ? 1.0 : 0.0);
    low -= pad;
    high += pad;
  }
  double step = NiceStep((high - low) / std::max(count, 1));
  if (integral) {
    step = std::max(step, 1.0);
  } else {
    // Ticks closer than the floats near them would share a label.
    const double spacing = std::max(std::max(std::fabs(low), std::fabs(high)) * FLT_EPSILON, double{FLT_TRUE_MIN}) * 4;
    while (step < spacing) {
      step *= 10;
    }
  }
  // A tick stands at the float nearest its multiple of the step, which must not fall inside the data.
  const auto at = [integral, step](double i) {
    const double tick = i * step;
    return integral || std::fabs(tick) > FLT_MAX ? tick : static_cast<double>(static_cast<float>(tick));
  };
  double first = std::floor(low / step);
  double last = std::ceil(high / step);
  while (!bounds.Empty() && at(first) > bounds.low) {
    --first;
  }
  while (!bounds.Empty() && at(last) < bounds.high) {
    ++last;
  }
  axis.low = at(first);
  axis.high = at(last);
  for (double i = first; i <= last; ++i) {
    const double tick = at(i);
    if (!integral && std::fabs(tick) > FLT_MAX) {
      continue;
    }
    if (axis.ticks.empty() || axis.ticks.back() != tick) {
      axis.ticks.push_back(tick);
    }
  }
  return axis;
}

std::string TickLabel(const Axis& axis, double value) {
  if (axis.integral) {
    return std::to_string(static_cast<long long>(value));
  }
  return FormatSingle(static_cast<float>(value));
}

std::string Pixels(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string shown = text;
  if (shown.size() > 2 && shown.ends_with(".0")) {
    shown.resize(shown.size() - 2);
  }
  return shown == "-0" ? "0" : shown;
}

std::string RampColour(std::size_t index, std::size_t count) {
  return Along(kCurveRamp, count <= 1 ? 0 : static_cast<double>(index) / static_cast<double>(count - 1));
}

Chart::Chart(int width, int height, Axis x, Axis y, bool showY)
    : width_(width), height_(height), x_(std::move(x)), y_(std::move(y)), showY_(showY) {
  Place(0);
}

void Chart::Place(double keyWidth) {
  const double yLabels = showY_ ? static_cast<double>(LongestLabel(y_)) * kCharWidth + kLabelGap : 0;
  const double firstLabel = x_.ticks.empty() ? 0 : static_cast<double>(TickLabel(x_, x_.ticks.front()).size());
  left_ = std::max(8 + (showY_ && !y_.label.empty() ? 16 : 0) + yLabels, firstLabel * kCharWidth / 2 + 4);
  top_ = 10;
  const double lastLabel = x_.ticks.empty() ? 0 : static_cast<double>(TickLabel(x_, x_.ticks.back()).size());
  const double right = std::max(12.0, lastLabel * kCharWidth / 2 + 4) + keyWidth;
  const double bottom = 22 + (x_.label.empty() ? 0 : 16);
  plotWidth_ = std::max(20.0, width_ - left_ - right);
  plotHeight_ = std::max(20.0, height_ - top_ - bottom);
}

double Chart::X(double value) const {
  return left_ + kInset + (value - x_.low) / (x_.high - x_.low) * (plotWidth_ - 2 * kInset);
}

double Chart::Y(double value) const {
  return top_ + plotHeight_ - kInset - (value - y_.low) / (y_.high - y_.low) * (plotHeight_ - 2 * kInset);
}

void Chart::Line(std::span<const float> x, std::span<const float> y, const Style& style, std::string_view tip,
                 bool pointTips) {
  std::string path;
  bool open = false;
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (!Finite(x[k], y[k])) {
      open = false;
      continue;
    }
    path += (open ? "L" : "M") + Pixels(X(x[k])) + " " + Pixels(Y(y[k]));
    open = true;
  }
  const std::string colour(style.colour);
  if (!path.empty()) {
    body_ += "<path class=\"line\" d=\"" + path + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" +
             Pixels(style.width) + "\"" + (style.dashed ? " stroke-dasharray=\"5 3\"" : "") +
             " stroke-linejoin=\"round\">" + Titled(tip) + "</path>";
  }
  if (!style.markers) {
    return;
  }
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (!Finite(x[k], y[k])) {
      continue;
    }
    const std::string pointTip = pointTips ? std::string(tip) + ", point " + std::to_string(k + 1) + ": " +
                                                 FormatSingle(x[k]) + ", " + FormatSingle(y[k])
                                           : std::string();
    body_ += "<circle cx=\"" + Pixels(X(x[k])) + "\" cy=\"" + Pixels(Y(y[k])) + "\" r=\"" + Pixels(kDot) +
             "\" fill=\"" + colour + "\">" + Titled(pointTip) + "</circle>";
  }
}

void Chart::Dots(std::span<const float> x, std::span<const float> y, const Style& style,
                 const std::vector<std::string>& tips) {
  const std::string colour(style.colour);
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (Finite(x[k], y[k])) {
      body_ += "<circle cx=\"" + Pixels(X(x[k])) + "\" cy=\"" + Pixels(Y(y[k])) + "\" r=\"" + Pixels(kDot + 0.4) +
               "\" fill=\"" + colour + "\">" + Titled(k < tips.size() ? tips[k] : "") + "</circle>";
    }
  }
}

void Chart::Strokes(std::span<const float> x, const Style& style, const std::vector<std::string>& tips) {
  const std::string colour(style.colour);
  const std::string from = Pixels(top_ + 6);
  const std::string to = Pixels(top_ + plotHeight_ - 6);
  std::string last;
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (!std::isfinite(x[k])) {
      continue;
    }
    const std::string at = Pixels(X(x[k]));
    if (tips.empty() && at == last) {
      continue;  // one stroke per position: the count of strokes stays that of the pixels
    }
    last = at;
    body_ += "<line x1=\"" + at + "\" y1=\"" + from + "\" x2=\"" + at + "\" y2=\"" + to + "\" stroke=\"" + colour +
             "\" stroke-width=\"" + Pixels(style.width) + "\">" + Titled(k < tips.size() ? tips[k] : "") + "</line>";
  }
}

void Chart::ReserveKey() { Place(kKeyWidth); }

void Chart::Shade(const Density& density, std::string_view keyLabel) {
  const std::size_t most = density.Max();
  if (most == 0) {
    return;
  }
  std::string paths[kShades];
  const auto shade = [most](std::size_t count) {
    const double t = most <= 1 ? 1.0 : std::log(static_cast<double>(count)) / std::log(static_cast<double>(most));
    return static_cast<std::size_t>(std::lround(t * (kShades - 1)));
  };
  const double cell = density.Cell();
  for (std::size_t row = 0; row < density.Rows(); ++row) {
    std::size_t column = 0;
    while (column < density.Columns()) {
      const std::size_t count = density.At(column, row);
      if (count == 0) {
        ++column;
        continue;
      }
      const std::size_t level = shade(count);
      std::size_t end = column + 1;
      while (end < density.Columns() && density.At(end, row) != 0 && shade(density.At(end, row)) == level) {
        ++end;
      }
      const double width =
          std::min(static_cast<double>(end - column) * cell, plotWidth_ - static_cast<double>(column) * cell);
      const double height = std::min(cell, plotHeight_ - static_cast<double>(row) * cell);
      paths[level] += "M" + Pixels(left_ + static_cast<double>(column) * cell) + " " +
                      Pixels(top_ + static_cast<double>(row) * cell) + "h" + Pixels(width) + "v" + Pixels(height) +
                      "h" + Pixels(-width) + "z";
      column = end;
    }
  }
  for (std::size_t level = 0; level < kShades; ++level) {
    if (!paths[level].empty()) {
      body_ += "<path d=\"" + paths[level] + "\" fill=\"" +
               Along(kDensityRamp, static_cast<double>(level) / (kShades - 1)) + "\"/>";
    }
  }
  if (keyLabel.empty()) {
    return;
  }
  // The key: the shades from 1 to the most, bottom to top.
  const double x = left_ + plotWidth_ + 16;
  const double band = std::min(18.0, (plotHeight_ - 30) / kShades);
  for (std::size_t level = 0; level < kShades; ++level) {
    key_ += "<rect x=\"" + Pixels(x) + "\" y=\"" + Pixels(top_ + 16 + band * static_cast<double>(kShades - 1 - level)) +
            "\" width=\"14\" height=\"" + Pixels(band) + "\" fill=\"" +
            Along(kDensityRamp, static_cast<double>(level) / (kShades - 1)) + "\"/>";
  }
  key_ += Text(x, top_ + 10, keyLabel, "start", " class=\"key\"");
  key_ += Text(x + 20, top_ + 16 + band * 0.7, std::to_string(most), "start", " class=\"tick\"");
  key_ += Text(x + 20, top_ + 16 + band * (kShades - 0.3), "1", "start", " class=\"tick\"");
}

void Chart::Key(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::size_t longest = 0;
  for (const auto& entry : entries) {
    longest = std::max(longest, entry.second.size());
  }
  Place(std::max(kKeyWidth, 44 + static_cast<double>(longest) * kCharWidth));
  const double x = left_ + plotWidth_ + 16;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const double y = top_ + 8 + 18 * static_cast<double>(i);
    key_ += "<line x1=\"" + Pixels(x) + "\" y1=\"" + Pixels(y) + "\" x2=\"" + Pixels(x + 16) + "\" y2=\"" + Pixels(y) +
            "\" stroke=\"" + entries[i].first + "\" stroke-width=\"2.5\"/>";
    key_ += Text(x + 22, y + 4, entries[i].second, "start", " class=\"key\"");
  }
}

void Chart::RampKey(std::string_view first, std::string_view last, std::string_view label) {
  Place(kKeyWidth);
  const double x = left_ + plotWidth_ + 16;
  constexpr int kBands = 12;
  const double band = std::min(10.0, (plotHeight_ - 40) / kBands);
  for (int i = 0; i < kBands; ++i) {
    key_ += "<rect x=\"" + Pixels(x) + "\" y=\"" + Pixels(top_ + 16 + band * i) + "\" width=\"14\" height=\"" +
            Pixels(band + 0.5) + "\" fill=\"" + Along(kCurveRamp, static_cast<double>(i) / (kBands - 1)) + "\"/>";
  }
  key_ += Text(x, top_ + 10, label, "start", " class=\"key\"");
  key_ += Text(x + 20, top_ + 16 + band * 0.8, first, "start", " class=\"key\"");
  key_ += Text(x + 20, top_ + 16 + band * (kBands - 0.2), last, "start", " class=\"key\"");
}

void Chart::Message(std::string_view text) {
  body_ += Text(left_ + plotWidth_ / 2, top_ + plotHeight_ / 2 + 4, text, "middle", " class=\"label\"");
}

std::string Chart::Svg(std::string_view cssClass, std::string_view label) const {
  const double bottom = top_ + plotHeight_;
  const double right = left_ + plotWidth_;
  std::string svg = "<svg class=\"" + std::string(cssClass) + "\" viewBox=\"0 0 " + std::to_string(width_) + " " +
                    std::to_string(height_) + "\" width=\"" + std::to_string(width_) + "\" height=\"" +
                    std::to_string(height_) + "\" role=\"img\" aria-label=\"" + Escaped(label) + "\">";
  svg += "<rect class=\"plot\" x=\"" + Pixels(left_) + "\" y=\"" + Pixels(top_) + "\" width=\"" + Pixels(plotWidth_) +
         "\" height=\"" + Pixels(plotHeight_) + "\"/>";
  std::string grid;
  std::string labels;
  // Labels too wide for the space between ticks go on every second (or third...) tick, counted from
  // zero where the axis has it.
  double widest = 0;
  for (const double tick : x_.ticks) {
    widest = std::max(widest, static_cast<double>(TickLabel(x_, tick).size()) * kCharWidth);
  }
  const double spacing = x_.ticks.size() > 1 ? (X(x_.ticks[1]) - X(x_.ticks[0])) : plotWidth_;
  const auto stride = static_cast<std::size_t>(std::max(1.0, std::ceil((widest + 8) / spacing)));
  std::size_t origin = 0;
  for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
    origin = x_.ticks[i] == 0 ? i : origin;
  }
  for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
    const double tick = x_.ticks[i];
    grid += "M" + Pixels(X(tick)) + " " + Pixels(top_) + "V" + Pixels(bottom);
    if ((i + stride - origin % stride) % stride == 0) {
      labels += Text(X(tick), bottom + 14, TickLabel(x_, tick), "middle", " class=\"tick\"");
    }
  }
  if (showY_) {
    for (const double tick : y_.ticks) {
      grid += "M" + Pixels(left_) + " " + Pixels(Y(tick)) + "H" + Pixels(right);
      labels += Text(left_ - kLabelGap, Y(tick) + 3.5, TickLabel(y_, tick), "end", " class=\"tick\"");
    }
  }
  svg += "<path class=\"grid\" d=\"" + grid + "\"/>";
  if (showY_ && y_.low < 0 && y_.high > 0) {
    svg += "<path class=\"zero\" d=\"M" + Pixels(left_) + " " + Pixels(Y(0)) + "H" + Pixels(right) + "\"/>";
  }
  if (x_.low < 0 && x_.high > 0) {
    svg += "<path class=\"zero\" d=\"M" + Pixels(X(0)) + " " + Pixels(top_) + "V" + Pixels(bottom) + "\"/>";
  }
  svg += body_;
  svg += "<rect class=\"frame\" x=\"" + Pixels(left_) + "\" y=\"" + Pixels(top_) + "\" width=\"" + Pixels(plotWidth_) +
         "\" height=\"" + Pixels(plotHeight_) + "\"/>";
  svg += labels;
  if (!x_.label.empty()) {
    svg += Text(left_ + plotWidth_ / 2, height_ - 6, x_.label, "middle", " class=\"label\"");
  }
  if (showY_ && !y_.label.empty()) {
    const std::string middle = Pixels(top_ + plotHeight_ / 2);
    svg += Text(13, top_ + plotHeight_ / 2, y_.label, "middle",
                " class=\"label\" transform=\"rotate(-90 13 " + middle + ")\"");
  }
  svg += key_;
  return svg + "</svg>";
}

Density::Density(const Chart& chart, double cell)
    : chart_(chart),
      cell_(cell),
      scale_(1 / cell),
      columns_(static_cast<std::size_t>(std::ceil(chart.PlotWidth() / cell))),
      rows_(static_cast<std::size_t>(std::ceil(chart.PlotHeight() / cell))),
      counts_(columns_ * rows_),
      stamps_(columns_ * rows_) {}

void Density::Begin() { ++shape_; }

std::size_t Density::Index(double px, double py) const {
  // Pixels lie within the plot, so that truncation is the floor but for the edges, which clamp.
  const auto column = static_cast<std::ptrdiff_t>((px - chart_.Left()) * scale_);
  const auto row = static_cast<std::ptrdiff_t>((py - chart_.Top()) * scale_);
  return static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(row, 0, static_cast<std::ptrdiff_t>(rows_) - 1)) *
             columns_ +
         static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(column, 0, static_cast<std::ptrdiff_t>(columns_) - 1));
}

void Density::Count(std::size_t i) {
  if (stamps_[i] != shape_) {
    stamps_[i] = shape_;
    max_ = std::max(max_, ++counts_[i]);
  }
}

void Density::Dot(float x, float y) {
  if (Finite(x, y)) {
    Count(Index(chart_.X(x), chart_.Y(y)));
  }
}

void Density::Line(std::span<const float> x, std::span<const float> y) {
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (!Finite(x[k], y[k])) {
      continue;
    }
    const double x1 = chart_.X(x[k]);
    const double y1 = chart_.Y(y[k]);
    if (k == 0 || !Finite(x[k - 1], y[k - 1])) {
      Count(Index(x1, y1));
      continue;
    }
    Segment(chart_.X(x[k - 1]), chart_.Y(y[k - 1]), x1, y1);
  }
}

void Density::Segment(double x0, double y0, double x1, double y1) {
  // In cells: from the cell of the start to that of the end, one step across a cell's side at a
  // time, taking the side the segment reaches first, so that every cell it crosses is counted.
  const double gx0 = (x0 - chart_.Left()) * scale_;
  const double gy0 = (y0 - chart_.Top()) * scale_;
  const double dx = (x1 - chart_.Left()) * scale_ - gx0;
  const double dy = (y1 - chart_.Top()) * scale_ - gy0;
  const std::size_t start = Index(x0, y0);
  const std::size_t end = Index(x1, y1);
  auto column = static_cast<std::ptrdiff_t>(start % columns_);
  auto row = static_cast<std::ptrdiff_t>(start / columns_);
  const auto lastColumn = static_cast<std::ptrdiff_t>(end % columns_);
  const auto lastRow = static_cast<std::ptrdiff_t>(end / columns_);
  const std::ptrdiff_t stepColumn = lastColumn > column ? 1 : -1;
  const std::ptrdiff_t stepRow = lastRow > row ? 1 : -1;
  // How far along the segment (0 to 1) the next side of each kind is, and how far apart sides are.
  constexpr double kNever = std::numeric_limits<double>::infinity();
  const double acrossColumn = dx == 0 ? kNever : 1 / std::fabs(dx);
  const double acrossRow = dy == 0 ? kNever : 1 / std::fabs(dy);
  const auto cellColumn = static_cast<double>(column);
  const auto cellRow = static_cast<double>(row);
  double nextColumn = dx == 0 ? kNever : (stepColumn > 0 ? cellColumn + 1 - gx0 : gx0 - cellColumn) * acrossColumn;
  double nextRow = dy == 0 ? kNever : (stepRow > 0 ? cellRow + 1 - gy0 : gy0 - cellRow) * acrossRow;
  Count(start);
  // Exactly this many steps lead to the end's cell, whatever rounding says about the sides.
  for (auto steps = std::abs(lastColumn - column) + std::abs(lastRow - row); steps > 0; --steps) {
    if (column != lastColumn && (row == lastRow || nextColumn < nextRow)) {
      column += stepColumn;
      nextColumn += acrossColumn;
    } else {
      row += stepRow;
      nextRow += acrossRow;
    }
    Count(static_cast<std::size_t>(row) * columns_ + static_cast<std::size_t>(column));
  }
}

}  // namespace orvane::check
