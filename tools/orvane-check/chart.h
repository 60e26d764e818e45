// Charts as inline SVG, drawn here without any script or library: axes whose tick labels are the
// shortest text of the float each tick stands at, lines through marked points, points alone, tick
// strips, and, where the data hold more points than a page can carry, a density picture whose size
// does not grow with the data.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::check {

// The smallest and largest finite values added; empty until one is.
struct Bounds {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  void Add(double value) {
    if (std::isfinite(value)) {
      low = std::min(low, value);
      high = std::max(high, value);
    }
  }
  [[nodiscard]] bool Empty() const { return low > high; }
};

struct Axis {
  double low = 0;
  double high = 1;
  std::vector<double> ticks;  // each a float's value, or an integer on an integral axis
  bool integral = false;      // node numbers: ticks at integers, written as integers
  std::string label;
};

// An axis that holds `bounds` (of floats) between ticks at a multiple of 1, 2 or 5 times a power of ten, with
// about `count` ticks. With `zero`, a range whose ends lie on one side of zero is stretched to zero
// when that less than doubles it, so that curves through the origin show it. Empty bounds give 0 to 1.
Axis MakeAxis(Bounds bounds, int count, bool integral, bool zero, std::string label);

// The text of a tick: the shortest that reads back as the float it stands at, or the integer.
std::string TickLabel(const Axis& axis, double value);

// A number of an SVG coordinate, to a tenth of a pixel: "12.5", "40", "-3.2".
std::string Pixels(double value);

struct Style {
  std::string_view colour = "#2f6db5";
  double width = 1.5;
  bool markers = true;  // a dot at every point
  bool dashed = false;
};

class Density;

class Chart {
 public:
  // A chart of `width` by `height` pixels; the margins are made to fit the tick labels.
  Chart(int width, int height, Axis x, Axis y, bool showY = true);

  // A line through the points in order, broken where a point is not finite. `tip` names the line
  // when the pointer rests on it; with `pointTips`, each dot also names its point as "tip, point k:
  // first, second".
  void Line(std::span<const float> x, std::span<const float> y, const Style& style, std::string_view tip,
            bool pointTips);
  // Dots alone, each named by tips[k] when the pointer rests on it.
  void Dots(std::span<const float> x, std::span<const float> y, const Style& style,
            const std::vector<std::string>& tips);
  // A vertical stroke across the plot at each value, named by tips[k] (when there are tips).
  void Strokes(std::span<const float> x, const Style& style, const std::vector<std::string>& tips);
  // Makes room for the key of Shade(); call before making the Density, as it narrows the plot.
  void ReserveKey();
  // A density picture: cells shaded by how many shapes pass through them, with a key named
  // `keyLabel` unless that is empty.
  void Shade(const Density& density, std::string_view keyLabel);
  // A line of text in the middle of the plot, for a chart with nothing to draw.
  void Message(std::string_view text);
  // A key of named colours to the right of the plot; call before drawing, as it narrows the plot.
  void Key(const std::vector<std::pair<std::string, std::string>>& entries);
  // A key of a colour ramp from `first` to `last` to the right of the plot; call before drawing.
  void RampKey(std::string_view first, std::string_view last, std::string_view label);

  // The whole <svg> element with class `cssClass`; `label` is what it shows, for assistive tools.
  [[nodiscard]] std::string Svg(std::string_view cssClass, std::string_view label) const;

  [[nodiscard]] double X(double value) const;
  [[nodiscard]] double Y(double value) const;
  [[nodiscard]] double Left() const { return left_; }
  [[nodiscard]] double Top() const { return top_; }
  [[nodiscard]] double PlotWidth() const { return plotWidth_; }
  [[nodiscard]] double PlotHeight() const { return plotHeight_; }

 private:
  void Place(double keyWidth);

  int width_;
  int height_;
  Axis x_;
  Axis y_;
  bool showY_;
  double left_ = 0;
  double top_ = 0;
  double plotWidth_ = 0;
  double plotHeight_ = 0;
  std::string key_;
  std::string body_;
};

// Counts, on a grid of square cells over a chart's plot, how many shapes pass through each cell
// (a shape that crosses a cell twice counts once), so that any number of curves or points makes a
// picture of the same bounded size.
class Density {
 public:
  Density(const Chart& chart, double cell);

  // Starts a new shape: the cells it touches are counted once more.
  void Begin();
  void Line(std::span<const float> x, std::span<const float> y);
  void Dot(float x, float y);

  [[nodiscard]] std::size_t Columns() const { return columns_; }
  [[nodiscard]] std::size_t Rows() const { return rows_; }
  [[nodiscard]] double Cell() const { return cell_; }
  [[nodiscard]] std::size_t At(std::size_t column, std::size_t row) const { return counts_[row * columns_ + column]; }
  [[nodiscard]] std::size_t Max() const { return max_; }

 private:
  [[nodiscard]] std::size_t Index(double px, double py) const;
  void Count(std::size_t index);
  void Segment(double x0, double y0, double x1, double y1);

  const Chart& chart_;
  double cell_;
  double scale_;  // cells a pixel
  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::size_t> counts_;
  std::vector<std::size_t> stamps_;  // the shape that last counted each cell
  std::size_t shape_ = 0;
  std::size_t max_ = 0;
};

// The colour of item `index` of `count` on a ramp from blue through green to yellow.
std::string RampColour(std::size_t index, std::size_t count);

// Ten colours that stay apart for most eyes.
inline constexpr std::string_view kPalette[] = {"#4e79a7", "#f28e2b", "#59a14f", "#b07aa1", "#76b7b2",
                                                "#edc948", "#9c755f", "#ff9da7", "#bab0ac", "#e15759"};

}  // namespace orvane::check
