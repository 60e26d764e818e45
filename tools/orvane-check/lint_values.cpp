// The values a reader stored, traced back to their lines: node numbers given twice, curves placed
// twice, points whose deflection does not increase.
#include <algorithm>
#include <bit>
#include <cmath>

#include "lint.h"
#include "toolkit/dataline.h"

namespace orvane::check {

namespace {

using Pairs = std::vector<std::pair<std::int32_t, std::int32_t>>;

// The first field read after `key` (' ': from column 1) on a record, as the reader splits it.
std::optional<Columns> FieldColumns(std::string_view record, char key) {
  const std::size_t start = toolkit::FieldStart(record, std::string_view(&key, 1));
  std::array<toolkit::FieldSpan, 1> field{};
  const toolkit::ScreenedLine line{toolkit::TrimTrailingBlanks(record), 0, record.size()};
  if (start == std::string_view::npos || toolkit::ScanFields(line, start, field) == 0) {
    return std::nullopt;
  }
  return Columns{static_cast<std::int32_t>(field[0].begin) + 1, static_cast<std::int32_t>(field[0].end) + 1};
}

// Reports every entry of `keyed` (a key and an index, in any order) whose key an earlier index has
// already: `again(index, first)`.
template <typename Again>
void Repeated(Pairs& keyed, Again again) {
  std::sort(keyed.begin(), keyed.end());
  for (std::size_t i = 1; i < keyed.size(); ++i) {
    std::size_t first = i - 1;
    while (i < keyed.size() && keyed[i].first == keyed[first].first) {
      again(keyed[i].second, keyed[first].second);
      ++i;
    }
  }
}

void DuplicateNodes(const Block& block, const NodeArrays& nodes, const TracedLines& traced, Pairs& keyed,
                    std::vector<Diagnostic>& out) {
  const std::size_t count = std::min(nodes.count, traced.entries.size());
  // Node numbers usually rise line by line, and then none repeats.
  if (std::adjacent_find(nodes.numbers, nodes.numbers + count, std::greater_equal<>()) == nodes.numbers + count) {
    return;
  }
  keyed.clear();
  for (std::size_t k = 0; k < count; ++k) {
    if (traced.entries[k] >= 0) {
      keyed.emplace_back(nodes.numbers[k], static_cast<std::int32_t>(k));
    }
  }
  Repeated(keyed, [&](std::int32_t k, std::int32_t first) {
    const std::int32_t record = traced.entries[static_cast<std::size_t>(k)];
    out.push_back(MakeLint(Lint::kDuplicateNode, block.LineOf(record),
                           "node " + std::to_string(nodes.numbers[k]) + " is given again; it was first given on line " +
                               std::to_string(block.LineOf(traced.entries[static_cast<std::size_t>(first)])),
                           std::string(toolkit::TrimTrailingBlanks(block.Record(record))),
                           FieldColumns(block.Record(record), ' ')));
  });
}

void CurvesTwice(const Block& block, const CurveArrays& curves, const TracedLines& traced, Pairs& keyed,
                 std::vector<Diagnostic>& out) {
  const std::size_t count = std::min(curves.count, traced.headers.size());
  for (const std::int32_t kind : {-1, 0}) {
    keyed.clear();
    for (std::size_t c = 0; c < count; ++c) {
      if (curves.kind[c] != kind) {
        continue;
      }
      const float depth = curves.depth[c] + 0.0F;  // -0 and 0 are one depth
      if (kind == -1 && !std::isnan(depth)) {
        keyed.emplace_back(std::bit_cast<std::int32_t>(depth), static_cast<std::int32_t>(c));
      } else if (kind == 0) {
        keyed.emplace_back(curves.node[4 * c], static_cast<std::int32_t>(c));
      }
    }
    Repeated(keyed, [&](std::int32_t c, std::int32_t first) {
      const auto at = static_cast<std::size_t>(c);
      const std::int32_t record = traced.headers[at];
      const std::string place =
          kind == -1 ? "DEPTH=" + FormatSingle(-curves.depth[at]) : "NODE=" + std::to_string(curves.node[4 * at]);
      out.push_back(MakeLint(Lint::kCurveTwice, block.LineOf(record),
                             "a curve at " + place + " is placed again; the first is on line " +
                                 std::to_string(block.LineOf(traced.headers[static_cast<std::size_t>(first)])),
                             std::string(toolkit::TrimTrailingBlanks(block.Record(record))),
                             FieldColumns(block.Record(record), kind == -1 ? 'H' : 'E')));
    });
  }
}

// The first point of each curve whose deflection does not increase, with how many more there are.
void DeflectionOrder(const Block& block, const CurveArrays& curves, const TracedLines& traced,
                     std::vector<Diagnostic>& out) {
  const std::size_t count = std::min(curves.count, traced.firstPoint.size());
  for (std::size_t c = 0; c < count; ++c) {
    const auto base = static_cast<std::size_t>(traced.firstPoint[c]);
    const std::size_t held = std::min(curves.Held(c), traced.points.size() - base);
    std::size_t first = 0;
    std::size_t more = 0;
    for (std::size_t p = 1; p < held; ++p) {
      const bool meant = traced.points[base + p] >= 0 && traced.points[base + p - 1] >= 0;
      if (!meant || curves.At(c, p, 0) > curves.At(c, p - 1, 0)) {
        continue;
      }
      if (first == 0) {
        first = p;
      } else {
        ++more;
      }
    }
    if (first == 0) {
      continue;
    }
    const std::int32_t record = traced.points[base + first];
    std::string message = "deflection " + FormatSingle(curves.At(c, first, 0)) + " does not increase on " +
                          FormatSingle(curves.At(c, first - 1, 0)) + ", the point before it (line " +
                          std::to_string(block.LineOf(traced.points[base + first - 1])) + ")";
    if (more > 0) {
      message += "; " + std::to_string(more) + " more point" + (more == 1 ? "" : "s") + " of this curve do" +
                 (more == 1 ? "es" : "") + " not increase either";
    }
    out.push_back(MakeLint(Lint::kDeflectionOrder, block.LineOf(record), std::move(message),
                           std::string(toolkit::TrimTrailingBlanks(block.Record(record))),
                           FieldColumns(block.Record(record), ' ')));
  }
}

}  // namespace

void LintValues(const Block& block, const BlockReport& report, const TracedLines& traced, const LintSet& on,
                Pairs& scratch, std::vector<Diagnostic>& out) {
  if (block.reader == Reader::kAxialLoad && on[Lint::kDuplicateNode]) {
    DuplicateNodes(block, report.arrays.nodes, traced, scratch, out);
  }
  if (block.reader == Reader::kPY && on[Lint::kCurveTwice]) {
    CurvesTwice(block, report.arrays.curves, traced, scratch, out);
  }
  if (block.reader == Reader::kPY && on[Lint::kDeflectionOrder]) {
    DeflectionOrder(block, report.arrays.curves, traced, out);
  }
}

}  // namespace orvane::check
