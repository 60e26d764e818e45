// The HTML report: what it holds of a large input by default, and text made safe for the page.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "report.h"

namespace orvane::check {

// Without --values the report stays a size a browser opens at once, whatever the input holds.
struct HtmlLimits {
  std::size_t curvesDrawn = 48;     // P-Y curves of one block with a chart of their own; the rest summarised
  std::size_t charts = 1000;        // charts in the whole report; later blocks are summarised
  std::size_t rows = 1000;          // rows of the diagnostics table and of a file's single-line blocks
  std::size_t vectorPoints = 1500;  // points one chart draws one by one; more are shaded by density
};

inline constexpr HtmlLimits kDefaultHtmlLimits{};
inline constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);
inline constexpr HtmlLimits kNoHtmlLimits{kUnlimited, kUnlimited, kUnlimited, kDefaultHtmlLimits.vectorPoints};

// Text for the page: &, <, >, " and ' as character references, and every byte outside printable
// ASCII (TAB apart) as \xNN, so that any input line makes valid UTF-8 and no markup.
std::string Escaped(std::string_view text);

// "1 curve", "3 curves".
std::string Counted(std::size_t n, std::string_view noun);

// The charts of the whole report, counted against its limit.
class ChartBudget {
 public:
  explicit ChartBudget(std::size_t limit) : limit_(limit) {}
  // Whether one more chart fits; it is counted when it does.
  bool Take() { return used_ < limit_ ? (++used_, true) : false; }
  // What stands in a block's place when no more charts fit.
  [[nodiscard]] std::string Spent() const;

 private:
  std::size_t limit_;
  std::size_t used_ = 0;
};

// The figures of a block, appended to `out`, which can grow large with --values.
// A P-Y block: the curves overlaid, each curve on its own (the first ones, and the first that turn
// back), curves that turn back named, and the rest summarised.
void CurveFigures(const CurveArrays& curves, const HtmlLimits& limits, ChartBudget& budget, std::string& out);
// An axial load block: each value column against node number.
void NodeFigures(const NodeArrays& nodes, const HtmlLimits& limits, ChartBudget& budget, std::string& out);
// A wave-general block's selected frequencies, as strokes along one axis.
void FrequencyFigure(std::span<const float> frequencies, const HtmlLimits& limits, ChartBudget& budget,
                     std::string& out);

}  // namespace orvane::check
