// One self-contained HTML page: the totals, every diagnostic in a table linked to its block, then
// each file's blocks: the single-line blocks as a table, and the P-Y, axial load and wave-general
// blocks with their values and charts. The diagnostics come first on the page but last from the
// reader, so the page is assembled when the run finishes; the limits keep it a size a browser opens
// at once.
#include <cinttypes>
#include <string_view>
#include <vector>

#include "chart.h"
#include "html.h"
#include "keywords.h"
#include "output.h"

namespace orvane::check {

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : Printable(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

namespace {

constexpr const char* kSeverity[] = {"note", "warning", "error"};
constexpr std::size_t kListed = 20;            // curves named in a list of curves that turn back
constexpr std::size_t kNotCheckedShown = 200;  // names in a file's list of blocks not checked
constexpr std::size_t kNavShown = 300;         // links in a file's list of blocks

constexpr const char* kStyle = R"(
:root{--ink:#1d2430;--muted:#5b6472;--line:#d9dde3;--bg:#f4f5f7;--error:#b42318;--warning:#9a5a00;--note:#1d5bbf;--ok:#067647}
*{box-sizing:border-box}
body{margin:0;font:14px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif;color:var(--ink);background:var(--bg)}
main{max-width:1240px;margin:0 auto;padding:20px 28px 40px}
h1{font-size:22px;margin:0 0 2px}h2{font-size:18px;margin:0 0 10px}h3{font-size:15.5px;margin:0 0 6px}
a{color:#1d5bbf;text-decoration:none}a:hover{text-decoration:underline}
.sub{color:var(--muted);margin:0 0 10px}
.totals{margin:8px 0 0;padding:0}
.totals li{display:inline-block;padding:2px 11px;border-radius:999px;background:#e6e9ee;margin:0 6px 4px 0;font-weight:600;font-size:13px}
.totals .errors{background:#fde3e1;color:var(--error)}.totals .warnings{background:#fdf0cf;color:var(--warning)}.totals .clean{background:#dcf5e6;color:var(--ok)}
.card{background:#fff;border:1px solid var(--line);border-radius:8px;padding:14px 18px;margin:16px 0}
.block{border-top:1px solid var(--line);padding:14px 0 4px;margin-top:12px}
.where{color:var(--muted);font-weight:400;font-size:13px;margin-left:6px}
.status{font-size:12px;font-weight:600;margin-left:8px;padding:1px 8px;border-radius:999px;background:#e6e9ee}
.status.stopped{background:#fde3e1;color:var(--error)}
.facts{margin:0 0 8px;padding:0}.facts li{display:inline-block;margin:0 14px 2px 0}.facts b{font-weight:600;color:var(--muted)}
.nav{margin:0 0 6px;padding:0}.nav li{display:inline-block;margin:0 6px 6px 0}
.nav a{display:inline-block;padding:1px 8px;border:1px solid var(--line);border-radius:5px;font-size:12.5px;color:var(--ink)}
.nav a.error{border-color:#f3a59d;background:#fff3f1}.nav a.warning{border-color:#f1cf7e;background:#fffaeb}
table{border-collapse:collapse;width:100%;font-size:13px}
th,td{text-align:left;padding:4px 8px;border-bottom:1px solid #eceef1;vertical-align:top}
th{font-weight:600;color:var(--muted);background:#f8f9fb}
td.num,th.num{text-align:right;font-variant-numeric:tabular-nums}
code{font-family:"DejaVu Sans Mono",ui-monospace,Menlo,Consolas,monospace;font-size:12px;white-space:pre}
.sev{font-weight:700;text-transform:uppercase;font-size:11px;letter-spacing:.04em}
.sev.error{color:var(--error)}.sev.warning{color:var(--warning)}.sev.note{color:var(--note)}
tr.more td{color:var(--muted);font-style:italic}
.diagnostics{table-layout:fixed}.diagnostics td{overflow-wrap:anywhere}
.diagnostics .file{width:15%;color:var(--muted)}.diagnostics .line{width:5%}.diagnostics .severity{width:8%}
.diagnostics .message{width:42%}.diagnostics .input{width:30%}.diagnostics code{white-space:pre-wrap}
tr.note td{color:var(--muted)}
.count{font-weight:600}.count.error{color:var(--error)}.count.warning{color:var(--warning)}
.settings{width:auto;min-width:420px;margin-bottom:8px}
caption{text-align:left;font-weight:600;padding:4px 0;white-space:nowrap}.settings td{font-variant-numeric:tabular-nums}
.charts{display:grid;grid-template-columns:repeat(auto-fill,minmax(300px,1fr));gap:10px;margin:10px 0}
.multiples{display:grid;grid-template-columns:repeat(auto-fill,minmax(236px,1fr));gap:10px;margin:10px 0}
figure{margin:0;border:1px solid var(--line);border-radius:6px;padding:6px 6px 2px;background:#fff}
figure.turns-back{border-color:#e5484d;box-shadow:inset 0 0 0 1px #e5484d}
figcaption{font-size:13px;font-weight:600;padding:0 2px}
figcaption .n{color:var(--muted);font-weight:400;margin-left:6px}
.mark{display:block;color:var(--error);font-weight:600;font-size:12px}
.note{color:var(--muted);font-size:13px;margin:6px 0}
svg.chart{display:block;width:100%;height:auto}svg.overlay,svg.strip{max-width:1100px}
svg text{font-family:inherit}.tick{font-size:11px;fill:#5b6472}.label{font-size:12px;fill:#1d2430}.key{font-size:11px;fill:#1d2430}
.plot{fill:#fff}.frame{fill:none;stroke:#9aa3af}.grid{fill:none;stroke:#eceef2}.zero{fill:none;stroke:#b9c0c9}
h4{font-size:14px;margin:12px 0 4px}
footer{color:var(--muted);font-size:12px;margin-top:24px}
)";

std::string Counted(std::size_t n, std::string_view noun) {
  return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}

// A scalar as the text output shows it: "3 (EXTENDED)", "0.05", "SAND".
std::string Shown(const Value& value) {
  switch (value.kind) {
    case Value::Kind::kInteger:
      return std::to_string(value.integer) + (value.text.empty() ? "" : " (" + value.text + ")");
    case Value::Kind::kSingle:
      return FormatSingle(static_cast<float>(value.real));
    case Value::Kind::kDouble:
      return FormatDouble(value.real);
    case Value::Kind::kText:
      return value.text;
    default:
      return {};
  }
}

// The block's scalar values as a list of "name value" items.
std::string Facts(const Value& values) {
  std::string items;
  for (const Field& field : values.fields) {
    if (field.value.IsScalar()) {
      items += "<li><b>" + Escaped(field.name) + "</b> " + Escaped(Shown(field.value)) + "</li>";
    }
  }
  return items.empty() ? "<p class=\"note\">The block set no values.</p>" : "<ul class=\"facts\">" + items + "</ul>";
}

// The worst severity among the block's findings, or "" when it has none that matter.
std::string_view Worst(const BlockReport& report) {
  return report.Count(Severity::kError) > 0 ? "error" : report.Count(Severity::kWarning) > 0 ? "warning" : "";
}

std::string Findings(const BlockReport& report) {
  const auto errors = static_cast<std::size_t>(report.Count(Severity::kError));
  const auto warnings = static_cast<std::size_t>(report.Count(Severity::kWarning));
  if (errors + warnings == 0) {
    return "none";
  }
  std::string text;
  if (errors > 0) {
    text += "<span class=\"count error\">" + Counted(errors, "error") + "</span>";
  }
  if (warnings > 0) {
    text += std::string(errors > 0 ? ", " : "") + "<span class=\"count warning\">" + Counted(warnings, "warning") +
            "</span>";
  }
  return text;
}

std::string StatusBadge(const BlockReport& report) {
  if (!report.status) {
    return "<span class=\"status stopped\">not read</span>";
  }
  return *report.status == -1 ? "<span class=\"status stopped\">status -1</span>"
                              : "<span class=\"status\">status " + std::to_string(*report.status) + "</span>";
}

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

class HtmlOutput final : public Output {
 public:
  HtmlOutput(std::FILE* stream, const HtmlLimits& limits) : out_(stream), limits_(limits) {}

  void BeginFile(const std::string& path) override {
    ++fileIndex_;
    blockIndex_ = 0;
    path_ = path;
    paths_.push_back(path);
    file_.clear();
    nav_.clear();
    singles_.clear();
    notChecked_.clear();
    notCheckedCount_ = 0;
    singleCount_ = 0;
    navCount_ = 0;
    fileFindings_.clear();
  }

  void FileDiagnostic(const Diagnostic& diagnostic) override {
    Row(diagnostic, FileAnchor());
    if (diagnostic.severity != Severity::kNote) {
      fileFindings_ +=
          "<li><span class=\"sev " + std::string(kSeverity[static_cast<std::size_t>(diagnostic.severity)]) + "\">" +
          kSeverity[static_cast<std::size_t>(diagnostic.severity)] + "</span> " + Escaped(diagnostic.message) + "</li>";
    }
  }

  void WriteBlock(const Block& block, const BlockReport* report) override {
    ++blockIndex_;
    if (report == nullptr) {
      if (notCheckedCount_++ < kNotCheckedShown) {
        notChecked_ += std::string(notChecked_.empty() ? "" : ", ") + "<code>" + Escaped(block.keyword) +
                       "</code> (line " + std::to_string(block.line) + ")";
      }
      return;
    }
    const bool single =
        block.reader != Reader::kPY && block.reader != Reader::kAxialLoad && block.reader != Reader::kWaveGeneral;
    // A single-line block beyond the table's rows has no place of its own: its findings link to its file.
    const bool placed = !single || singleCount_++ < limits_.rows;
    const std::string anchor = placed ? BlockAnchor() : FileAnchor();
    for (const Diagnostic& diagnostic : report->diagnostics) {
      Row(diagnostic, anchor);
    }
    if (navCount_++ < kNavShown) {
      nav_ += "<li><a href=\"#" + anchor + "\" class=\"" + std::string(Worst(*report)) + "\"><code>" +
              Escaped(block.keyword) + "</code> " + std::to_string(block.line) + "</a></li>";
    }
    switch (block.reader) {
      case Reader::kPY:
        Section(block, *report, "py", PYCharts(*report));
        break;
      case Reader::kAxialLoad:
        Section(block, *report, "axial", AxialCharts(*report));
        break;
      case Reader::kWaveGeneral:
        Section(block, *report, "wave", WaveCharts(*report));
        break;
      default:
        if (placed) {
          SingleLine(block, *report);
        }
    }
  }

  void EndFile(std::int64_t lines, const std::optional<std::string>& failure) override {
    std::string& s = body_;
    s += "<section class=\"card file\" id=\"" + FileAnchor() + "\"><h2>" + Escaped(path_) + "</h2>";
    s += "<p class=\"sub\">" + Counted(static_cast<std::size_t>(lines), "line") + ", " +
         Counted(static_cast<std::size_t>(blockIndex_), "block") + "</p>";
    if (failure) {
      s += "<p class=\"mark\">Not checked: " + Escaped(*failure) + "</p>";
    }
    if (!fileFindings_.empty()) {
      s += "<ul class=\"facts\">" + fileFindings_ + "</ul>";
    }
    if (!nav_.empty()) {
      s += "<ul class=\"nav\">" + nav_;
      if (navCount_ > kNavShown) {
        s += "<li>and " + std::to_string(navCount_ - kNavShown) + " more</li>";
      }
      s += "</ul>";
    }
    if (!singles_.empty()) {
      s += "<h3>Single-line blocks</h3><table class=\"singles\"><thead><tr><th>Keyword</th><th class=\"num\">Line"
           "</th><th>Values</th><th>Status</th><th>Findings</th></tr></thead><tbody>" +
           singles_;
      if (singleCount_ > limits_.rows) {
        s += "<tr class=\"more\"><td colspan=\"5\">" + Counted(singleCount_ - limits_.rows, "more single-line block") +
             "; --values lists them all</td></tr>";
      }
      s += "</tbody></table>";
    }
    s += file_;
    if (notCheckedCount_ > 0) {
      s += "<p class=\"note\">Not checked: " + notChecked_;
      if (notCheckedCount_ > kNotCheckedShown) {
        s += " and " + std::to_string(notCheckedCount_ - kNotCheckedShown) + " more";
      }
      s += ".</p>";
    }
    s += "</section>\n";
    file_.clear();
    file_.shrink_to_fit();
  }

  void Finish(const Totals& totals) override {
    std::string names;
    for (const std::string& path : paths_) {
      names += (names.empty() ? "" : ", ") + path;
    }
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<title>orvane-check: " +
        Escaped(names) + "</title><style>" + kStyle + "</style></head><body><main>\n";
    page += "<header><h1>orvane-check report</h1><p class=\"sub\">" + Escaped(names) + "</p><ul class=\"totals\">";
    page += "<li>" + Counted(static_cast<std::size_t>(totals.checked), "block") + " checked</li>";
    page += "<li>" + std::to_string(totals.notChecked) + " not checked</li>";
    page += "<li class=\"" + std::string(totals.errors > 0 ? "errors" : "clean") + "\">" +
            Counted(static_cast<std::size_t>(totals.errors), "error") + "</li>";
    page += "<li class=\"" + std::string(totals.warnings > 0 ? "warnings" : "clean") + "\">" +
            Counted(static_cast<std::size_t>(totals.warnings), "warning") + "</li></ul></header>\n";
    page += "<section class=\"card\" id=\"diagnostics\"><h2>Diagnostics</h2>";
    if (rowsShown_ + rowsLeft_[0] + rowsLeft_[1] + rowsLeft_[2] == 0) {
      page += "<p class=\"note\">No errors, warnings or notes.</p>";
    } else {
      page +=
          "<table class=\"diagnostics\"><thead><tr><th class=\"file\">File</th><th class=\"num line\">Line</th>"
          "<th class=\"severity\">Severity</th><th class=\"message\">Message</th><th class=\"input\">Input line</th>"
          "</tr></thead><tbody>";
      page += rows_;
      if (const std::size_t left = rowsLeft_[0] + rowsLeft_[1] + rowsLeft_[2]; left > 0) {
        page += "<tr class=\"more\"><td colspan=\"5\">" + Counted(left, "more diagnostic") + " (" +
                Counted(rowsLeft_[2], "error") + ", " + Counted(rowsLeft_[1], "warning") + ", " +
                Counted(rowsLeft_[0], "note") + "); --values lists them all</td></tr>";
      }
      page += "</tbody></table>";
    }
    page += "</section>\n";
    std::fwrite(page.data(), 1, page.size(), out_);
    std::fwrite(body_.data(), 1, body_.size(), out_);
    const std::string end = "<footer>Written by orvane-check " ORVANE_CHECK_VERSION
                            ". Numbers are shown in the shortest form that reads back as the same "
                            "single-precision value.</footer>\n</main></body></html>\n";
    std::fwrite(end.data(), 1, end.size(), out_);
  }

 private:
  [[nodiscard]] std::string FileAnchor() const { return "f" + std::to_string(fileIndex_); }
  [[nodiscard]] std::string BlockAnchor() const { return FileAnchor() + "-b" + std::to_string(blockIndex_); }

  void Row(const Diagnostic& d, const std::string& anchor) {
    const auto severity = static_cast<std::size_t>(d.severity);
    if (rowsShown_ >= limits_.rows) {
      ++rowsLeft_[severity];
      return;
    }
    ++rowsShown_;
    const std::string name = kSeverity[severity];
    rows_ += "<tr class=\"diagnostic " + name + "\"><td class=\"file\">" + Escaped(path_) +
             "</td><td class=\"num\"><a href=\"#" + anchor + "\">" + (d.line > 0 ? std::to_string(d.line) : "file") +
             "</a></td><td><span class=\"sev " + name + "\">" + name + "</span></td><td>" + Escaped(d.message) +
             "</td><td>" + (d.source ? "<code>" + Escaped(*d.source) + "</code>" : "") + "</td></tr>\n";
  }

  void SingleLine(const Block& block, const BlockReport& report) {
    std::string values;
    for (const Field& field : report.values.fields) {
      values += (values.empty() ? "" : "<br>") + Escaped(field.name) + " = " + Escaped(Shown(field.value));
    }
    singles_ +=
        "<tr id=\"" + BlockAnchor() + "\"><td><code>" + Escaped(block.keyword) + "</code></td><td class=\"num\">" +
        std::to_string(block.line) + "</td><td>" + (values.empty() ? "no values" : values) + "</td><td>" +
        (report.status ? std::to_string(*report.status) : "not read") + "</td><td>" + Findings(report) + "</td></tr>\n";
  }

  void Section(const Block& block, const BlockReport& report, std::string_view kind, const std::string& charts) {
    std::string& s = file_;
    s += "<section class=\"block " + std::string(kind) + "\" id=\"" + BlockAnchor() + "\"><h3><code>" +
         Escaped(block.keyword) + "</code><span class=\"where\">line " + std::to_string(block.line) + ", " +
         Counted(static_cast<std::size_t>(block.dataLines), "data line") + "</span>" + StatusBadge(report) + "</h3>";
    if (kind != "wave") {  // its values make the settings table
      s += Facts(report.values);
    }
    std::string counts;
    for (const Field& field : report.counts.fields) {
      counts += (counts.empty() ? "" : ", ") + Escaped(field.name) + " " + Escaped(Shown(field.value));
    }
    const std::string findings = Findings(report);
    s += "<p class=\"note\">" + (counts.empty() ? "" : "Counting pass: " + counts + ". ") + "Findings: " + findings +
         (findings == "none" ? "" : " (see <a href=\"#diagnostics\">Diagnostics</a>)") + ".</p>";
    s += charts + "</section>\n";
  }

  // Whether one more chart fits in the report.
  bool Budget() {
    if (charts_ >= limits_.charts) {
      return false;
    }
    ++charts_;
    return true;
  }

  [[nodiscard]] std::string Spent() const {
    return "<p class=\"note\">No more charts: the report already holds " + std::to_string(limits_.charts) +
           "; --values draws them all.</p>";
  }

  std::string PYCharts(const BlockReport& report);
  std::string Overlay(const CurveArrays& curves, const std::vector<std::size_t>& turning);
  std::string CurveChart(const CurveArrays& curves, std::size_t c, std::size_t turnsBack);
  std::string AxialCharts(const BlockReport& report);
  std::string WaveCharts(const BlockReport& report);

  std::FILE* out_;
  HtmlLimits limits_;
  std::string rows_;
  std::size_t rowsShown_ = 0;
  std::size_t rowsLeft_[3] = {0, 0, 0};  // by severity
  std::size_t charts_ = 0;
  std::string body_;
  std::vector<std::string> paths_;

  int fileIndex_ = 0;
  std::int64_t blockIndex_ = 0;
  std::string path_;
  std::string file_;  // the sections of the file's multi-line blocks
  std::string nav_;
  std::string singles_;
  std::string notChecked_;
  std::size_t notCheckedCount_ = 0;
  std::size_t singleCount_ = 0;
  std::size_t navCount_ = 0;
  std::string fileFindings_;

  std::vector<float> first_;  // one curve's points, gathered from the strided arrays
  std::vector<float> second_;
};

// One curve's points into the two gathering buffers.
void Gather(const CurveArrays& curves, std::size_t c, std::vector<float>& first, std::vector<float>& second) {
  const std::size_t held = curves.Held(c);
  first.resize(held);
  second.resize(held);
  for (std::size_t p = 0; p < held; ++p) {
    first[p] = curves.At(c, p, 0);
    second[p] = curves.At(c, p, 1);
  }
}

std::string HtmlOutput::PYCharts(const BlockReport& report) {
  const CurveArrays& curves = report.arrays.curves;
  if (curves.count == 0) {
    return "<p class=\"note\">No curve to draw.</p>";
  }
  std::vector<std::size_t> turning(curves.count);  // the point at which each curve turns back, or 0
  std::vector<std::size_t> turned;
  for (std::size_t c = 0; c < curves.count; ++c) {
    Gather(curves, c, first_, second_);
    turning[c] = TurnsBackAt(first_);
    if (turning[c] != 0) {
      turned.push_back(c);
    }
  }
  std::string s;
  if (!turned.empty()) {
    s += "<p class=\"mark\">" + Counted(turned.size(), "curve") + " whose first numbers do not increase: ";
    for (std::size_t i = 0; i < std::min(turned.size(), kListed); ++i) {
      const std::size_t c = turned[i];
      s += std::string(i == 0 ? "" : "; ") + "curve " + std::to_string(c + 1) + " (" + Escaped(CurveName(curves, c)) +
           ") at point " + std::to_string(turning[c]);
    }
    s += turned.size() > kListed ? "; and " + std::to_string(turned.size() - kListed) + " more.</p>" : ".</p>";
  }
  if (!Budget()) {
    return s + Spent();
  }
  s += Overlay(curves, turning);
  const std::size_t drawn = std::min(curves.count, limits_.curvesDrawn);
  std::size_t c = 0;
  std::string multiples;
  for (; c < drawn && Budget(); ++c) {
    multiples += CurveChart(curves, c, turning[c]);
  }
  s += "<div class=\"multiples\">" + multiples + "</div>";
  if (c == curves.count) {
    return s;
  }
  // Curves that turn back are what a reader looks for: the first of them get a chart of their own
  // wherever they stand.
  std::string later;
  std::size_t shown = 0;
  for (const std::size_t t : turned) {
    if (t >= c && shown < kListed && Budget()) {
      later += CurveChart(curves, t, turning[t]);
      ++shown;
    }
  }
  if (!later.empty()) {
    s += "<h4>Curves after curve " + std::to_string(c) + " that turn back</h4><div class=\"multiples\">" + later +
         "</div>";
  }
  // The curves after the first, in figures.
  Bounds depth;
  Bounds node;
  Bounds points;
  Bounds first;
  Bounds second;
  std::size_t byDepth = 0;
  std::size_t byNode = 0;
  for (std::size_t k = c; k < curves.count; ++k) {
    if (curves.kind[k] == -1) {
      depth.Add(-curves.depth[k]);
      ++byDepth;
    } else if (curves.kind[k] == 0) {
      node.Add(curves.node[4 * k]);
      ++byNode;
    }
    points.Add(static_cast<double>(curves.Held(k)));
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
  s += "<table class=\"settings summary\"><caption>Curves " + std::to_string(c + 1) + " to " +
       std::to_string(curves.count) + " in figures (--values draws a chart for each)</caption><tbody>" +
       row("curves", std::to_string(curves.count - c) + ": " + std::to_string(byDepth) + " by DEPTH=, " +
                         std::to_string(byNode) + " by NODE=") +
       row("DEPTH=", range(depth, false)) + row("NODE=", range(node, true)) +
       row("points a curve", range(points, true)) + row("first numbers", range(first, false)) +
       row("second numbers", range(second, false)) + "</tbody></table>";
  if (c < drawn) {
    s += Spent();
  }
  return s;
}

std::string HtmlOutput::Overlay(const CurveArrays& curves, const std::vector<std::size_t>& turning) {
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
  const bool vector = total <= limits_.vectorPoints && curves.count <= 60;
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
      Gather(curves, c, first_, second_);
      const std::string colour = named ? std::string(kPalette[c]) : RampColour(c, curves.count);
      chart.Line(first_, second_, {.colour = colour, .width = 1.8, .markers = total <= 400, .dashed = turning[c] != 0},
                 "curve " + std::to_string(c + 1) + " (" + CurveName(curves, c) + ")", false);
    }
  } else {
    chart.ReserveKey();
    Density density(chart, 3);
    for (std::size_t c = 0; c < curves.count; ++c) {
      Gather(curves, c, first_, second_);
      density.Begin();
      density.Line(first_, second_);
    }
    chart.Shade(density, "curves per cell");
    caption += ", shaded by how many pass through each spot";
    std::size_t traced = 0;
    for (std::size_t c = 0; c < curves.count && traced < kListed; ++c) {
      if (turning[c] != 0 && curves.Held(c) <= limits_.vectorPoints) {
        Gather(curves, c, first_, second_);
        chart.Line(first_, second_, {.colour = "#d6336c", .width = 1.4, .markers = false},
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

std::string HtmlOutput::CurveChart(const CurveArrays& curves, std::size_t c, std::size_t turnsBack) {
  Gather(curves, c, first_, second_);
  Bounds x;
  Bounds y;
  for (std::size_t p = 0; p < first_.size(); ++p) {
    x.Add(first_[p]);
    y.Add(second_[p]);
  }
  const std::string name = "curve " + std::to_string(c + 1);
  Chart chart(250, 180, MakeAxis(x, 4, false, true, "y"), MakeAxis(y, 4, false, true, "p"));
  if (first_.empty()) {
    chart.Message("no points");
  } else if (first_.size() <= limits_.vectorPoints) {
    chart.Line(first_, second_, {}, name, true);
    for (std::size_t p = 1; p < first_.size(); ++p) {
      if (!(first_[p] > first_[p - 1])) {
        const std::span<const float> a(first_.data() + p - 1, 2);
        const std::span<const float> b(second_.data() + p - 1, 2);
        chart.Line(a, b, {.colour = "#d6336c", .width = 2.6, .markers = false}, name + " turns back here", false);
      }
    }
  } else {
    Density density(chart, 2);
    density.Begin();
    density.Line(first_, second_);
    chart.Shade(density, "");
  }
  std::string held = Counted(first_.size(), "point");
  if (static_cast<std::size_t>(std::max(curves.pointCount[c], 0)) != first_.size()) {
    held = "pointCount " + std::to_string(curves.pointCount[c]) + ", " + std::to_string(first_.size()) + " held";
  }
  const std::string title = name + " \xC2\xB7 " + Escaped(CurveName(curves, c));
  std::string figure = std::string("<figure class=\"curve") + (turnsBack != 0 ? " turns-back" : "") +
                       "\"><figcaption>" + title + "<span class=\"n\">" + held + "</span>";
  if (turnsBack != 0) {
    figure += "<span class=\"mark\">first numbers do not increase at point " + std::to_string(turnsBack) + "</span>";
  }
  return figure + "</figcaption>" + chart.Svg("chart curve", name + " " + CurveName(curves, c)) + "</figure>";
}

std::string HtmlOutput::AxialCharts(const BlockReport& report) {
  const NodeArrays& nodes = report.arrays.nodes;
  if (nodes.count == 0) {
    return "<p class=\"note\">No node to draw.</p>";
  }
  const char* names[] = {"axialLoadColumn2", "axialLoadColumn3", "axialLoadColumn4"};
  std::vector<float> numbers(nodes.count);
  Bounds x;
  for (std::size_t k = 0; k < nodes.count; ++k) {
    numbers[k] = static_cast<float>(nodes.numbers[k]);
    x.Add(nodes.numbers[k]);
  }
  std::string s = "<div class=\"charts\">";
  for (std::size_t j = 0; j < 3; ++j) {
    if (!Budget()) {
      return s + "</div>" + Spent();
    }
    const std::span<const float> values(nodes.columns[j], nodes.count);
    Bounds y;
    for (const float v : values) {
      y.Add(v);
    }
    Chart chart(370, 230, MakeAxis(x, 5, true, false, "node number"), MakeAxis(y, 5, false, true, names[j]));
    if (nodes.count <= limits_.vectorPoints) {
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
  return s + "</div>";
}

std::string HtmlOutput::WaveCharts(const BlockReport& report) {
  std::string s;
  std::string rows;
  for (const Field& field : report.values.fields) {
    std::string shown = Shown(field.value);
    if (field.value.kind == Value::Kind::kNumbers) {
      for (const float number : field.value.numbers) {
        shown += (shown.empty() ? "" : " ") + FormatSingle(number);
      }
    } else if (field.value.kind == Value::Kind::kObject && field.value.fields.size() == 2) {
      shown = Shown(field.value.fields[0].value) + " to " + Shown(field.value.fields[1].value);
    }
    rows += "<tr><th>" + Escaped(field.name) + "</th><td>" + Escaped(shown) + "</td></tr>";
  }
  if (!rows.empty()) {
    s += "<table class=\"settings\"><tbody>" + rows + "</tbody></table>";
  }
  const std::span<const float> frequencies = report.arrays.frequencies;
  if (frequencies.empty()) {
    return s;
  }
  if (!Budget()) {
    return s + Spent();
  }
  Bounds x;
  for (const float f : frequencies) {
    x.Add(f);
  }
  Chart chart(1100, 96, MakeAxis(x, 10, false, true, "selected frequency"), Axis{}, false);
  std::vector<std::string> tips;
  if (frequencies.size() <= limits_.vectorPoints) {
    for (std::size_t k = 0; k < frequencies.size(); ++k) {
      tips.push_back("frequency " + std::to_string(k + 1) + ": " + FormatSingle(frequencies[k]));
    }
  }
  chart.Strokes(frequencies, {.colour = "#4e79a7", .width = 2}, tips);
  const std::string caption = frequencies.size() == 1
                                  ? std::string("The selected frequency")
                                  : "The " + std::to_string(frequencies.size()) + " selected frequencies";
  return s + "<figure class=\"strip\"><figcaption>" + caption + "</figcaption>" + chart.Svg("chart strip", caption) +
         "</figure>";
}

}  // namespace

std::unique_ptr<Output> MakeHtmlOutput(std::FILE* stream, const HtmlLimits& limits) {
  return std::make_unique<HtmlOutput>(stream, limits);
}

}  // namespace orvane::check
