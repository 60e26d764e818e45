// The HTML report: what it holds of a large input by default, and text made safe for the page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

}  // namespace orvane::check
