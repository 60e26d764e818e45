// One self-contained HTML page: the totals, every diagnostic in a table linked to its block, then
// each file's blocks: the single-line blocks as a table, and the P-Y, axial load and wave-general
// blocks with their values and charts. The diagnostics come first on the page but last from the
// reader, so the page is assembled when the run finishes; the limits keep it a size a browser opens
// at once.
#include <cinttypes>
#include <string_view>
#include <vector>

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

std::string Counted(std::size_t n, std::string_view noun) {
  return std::to_string(n) + " " + std::string(noun) + (n == 1 ? "" : "s");
}

std::string ChartBudget::Spent() const {
  return "<p class=\"note\">No more charts: the report already holds " + std::to_string(limit_) +
         "; --values draws them all.</p>";
}

namespace {

constexpr std::size_t kNotCheckedShown = 200;  // names in a file's list of blocks not checked
constexpr std::size_t kNavShown = 300;         // links in a file's list of blocks

constexpr const char* kStyle = R"(
:root{--ink:#1d2430;--muted:#5b6472;--line:#d9dde3;--bg:#f4f5f7;--error:#b42318;--warning:#9a5a00;--note:#1d5bbf;--lint:#6941c6;--ok:#067647}
*{box-sizing:border-box}
body{margin:0;font:14px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif;color:var(--ink);background:var(--bg)}
main{max-width:1240px;margin:0 auto;padding:20px 28px 40px}
h1{font-size:22px;margin:0 0 2px}h2{font-size:18px;margin:0 0 10px}h3{font-size:15.5px;margin:0 0 6px}
a{color:#1d5bbf;text-decoration:none}a:hover{text-decoration:underline}
.sub{color:var(--muted);margin:0 0 10px}
.totals{margin:8px 0 0;padding:0}
.totals li{display:inline-block;padding:2px 11px;border-radius:999px;background:#e6e9ee;margin:0 6px 4px 0;font-weight:600;font-size:13px}
.totals .errors{background:#fde3e1;color:var(--error)}.totals .warnings{background:#fdf0cf;color:var(--warning)}.totals .lints{background:#ece6fb;color:var(--lint)}.totals .clean{background:#dcf5e6;color:var(--ok)}
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
.sev.error{color:var(--error)}.sev.warning{color:var(--warning)}.sev.note{color:var(--note)}.sev.lint{color:var(--lint)}
tr.more td{color:var(--muted);font-style:italic}
.diagnostics{table-layout:fixed}.diagnostics td{overflow-wrap:anywhere}
.diagnostics .file{width:15%;color:var(--muted)}.diagnostics .line{width:5%}.diagnostics .severity{width:8%}
.diagnostics .message{width:42%}.diagnostics .input{width:30%}.diagnostics code{white-space:pre-wrap}
tr.note td{color:var(--muted)}
.count{font-weight:600}.count.error{color:var(--error)}.count.warning{color:var(--warning)}.count.lint{color:var(--lint)}
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

// The values of a block as a table of names and values; lists as their numbers or their range.
std::string Settings(const Value& values) {
  std::string rows;
  for (const Field& field : values.fields) {
    std::string shown = ScalarText(field.value);
    if (field.value.kind == Value::Kind::kNumbers) {
      for (const float number : field.value.numbers) {
        shown += (shown.empty() ? "" : " ") + FormatSingle(number);
      }
    } else if (field.value.kind == Value::Kind::kObject && field.value.fields.size() == 2) {
      shown = ScalarText(field.value.fields[0].value) + " to " + ScalarText(field.value.fields[1].value);
    }
    rows += "<tr><th>" + Escaped(field.name) + "</th><td>" + Escaped(shown) + "</td></tr>";
  }
  return rows.empty() ? "" : "<table class=\"settings\"><tbody>" + rows + "</tbody></table>";
}

// The block's scalar values as a list of "name value" items.
std::string Facts(const Value& values) {
  std::string items;
  for (const Field& field : values.fields) {
    if (field.value.IsScalar()) {
      items += "<li><b>" + Escaped(field.name) + "</b> " + Escaped(ScalarText(field.value)) + "</li>";
    }
  }
  return items.empty() ? "<p class=\"note\">The block set no values.</p>" : "<ul class=\"facts\">" + items + "</ul>";
}

// The worst severity among the block's findings, or "" when it has none that matter.
std::string_view Worst(const BlockReport& report) {
  return report.Count(Severity::kError) > 0 ? "error" : report.Count(Severity::kWarning) > 0 ? "warning" : "";
}

std::string Findings(const BlockReport& report) {
  std::string text;
  for (const Severity severity : {Severity::kError, Severity::kWarning, Severity::kLint}) {
    if (const auto n = static_cast<std::size_t>(report.Count(severity)); n > 0) {
      const std::string name(SeverityName(severity));
      text +=
          std::string(text.empty() ? "" : ", ") + "<span class=\"count " + name + "\">" + Counted(n, name) + "</span>";
    }
  }
  return text.empty() ? "none" : text;
}

std::string StatusBadge(const BlockReport& report) {
  if (!report.status) {
    return "<span class=\"status stopped\">not read</span>";
  }
  return *report.status == -1 ? "<span class=\"status stopped\">status -1</span>"
                              : "<span class=\"status\">status " + std::to_string(*report.status) + "</span>";
}

class HtmlOutput final : public Output {
 public:
  HtmlOutput(std::FILE* stream, const HtmlLimits& limits) : out_(stream), limits_(limits), budget_(limits.charts) {}

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
      const std::string name(SeverityName(diagnostic.severity));
      fileFindings_ += "<li><span class=\"sev " + name + "\">" + name + "</span> " + Escaped(diagnostic.message) +
                       " <code>" + std::string(diagnostic.rule) + "</code></li>";
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
        OpenSection(block, *report, "py");
        CurveFigures(report->arrays.curves, limits_, budget_, file_);
        file_ += "</section>\n";
        break;
      case Reader::kAxialLoad:
        OpenSection(block, *report, "axial");
        NodeFigures(report->arrays.nodes, limits_, budget_, file_);
        file_ += "</section>\n";
        break;
      case Reader::kWaveGeneral:
        OpenSection(block, *report, "wave");
        file_ += Settings(report->values);
        FrequencyFigure(report->arrays.frequencies, limits_, budget_, file_);
        file_ += "</section>\n";
        break;
      default:
        if (placed) {
          SingleLine(block, *report);
        }
    }
  }

  void EndFile(std::int64_t lines, const std::optional<std::string>& failure) override {
    std::string s = "<section class=\"card file\" id=\"" + FileAnchor() + "\"><h2>" + Escaped(path_) + "</h2>";
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
    // The block sections, which can be most of the page, are kept as they are rather than copied.
    body_.push_back(std::move(s));
    body_.push_back(std::move(file_));
    file_.clear();
    s.clear();
    if (notCheckedCount_ > 0) {
      s += "<p class=\"note\">Not checked: " + notChecked_;
      if (notCheckedCount_ > kNotCheckedShown) {
        s += " and " + std::to_string(notCheckedCount_ - kNotCheckedShown) + " more";
      }
      s += ".</p>";
    }
    s += "</section>\n";
    body_.push_back(std::move(s));
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
            Counted(static_cast<std::size_t>(totals.warnings), "warning") + "</li>";
    page += "<li class=\"" + std::string(totals.lints > 0 ? "lints" : "clean") + "\">" +
            Counted(static_cast<std::size_t>(totals.lints), "lint") + "</li></ul></header>\n";
    page += "<section class=\"card\" id=\"diagnostics\"><h2>Diagnostics</h2>";
    if (rowsShown_ + rowsLeft_[0] + rowsLeft_[1] + rowsLeft_[2] + rowsLeft_[3] == 0) {
      page += "<p class=\"note\">No errors, warnings, lints or notes.</p>";
    } else {
      page +=
          "<table class=\"diagnostics\"><thead><tr><th class=\"file\">File</th><th class=\"num line\">Line</th>"
          "<th class=\"severity\">Severity</th><th class=\"message\">Message</th><th class=\"input\">Input line</th>"
          "</tr></thead><tbody>";
      page += rows_;
      if (const std::size_t left = rowsLeft_[0] + rowsLeft_[1] + rowsLeft_[2] + rowsLeft_[3]; left > 0) {
        page += "<tr class=\"more\"><td colspan=\"5\">" + Counted(left, "more diagnostic") + " (" +
                Counted(rowsLeft_[3], "error") + ", " + Counted(rowsLeft_[2], "warning") + ", " +
                Counted(rowsLeft_[1], "lint") + ", " + Counted(rowsLeft_[0], "note") +
                "); --values lists them all</td></tr>";
      }
      page += "</tbody></table>";
    }
    page += "</section>\n";
    std::fwrite(page.data(), 1, page.size(), out_);
    for (const std::string& part : body_) {
      std::fwrite(part.data(), 1, part.size(), out_);
    }
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
    const std::string name(SeverityName(d.severity));
    rows_ += "<tr class=\"diagnostic " + name + "\"><td class=\"file\">" + Escaped(path_) +
             "</td><td class=\"num\"><a href=\"#" + anchor + "\">" + (d.line > 0 ? std::to_string(d.line) : "file") +
             "</a></td><td><span class=\"sev " + name + "\">" + name + "</span></td><td>" + Escaped(d.message) +
             " <code class=\"rule\">" + std::string(d.rule) + "</code></td><td>" +
             (d.source ? "<code>" + Escaped(*d.source) + "</code>" : "") + "</td></tr>\n";
  }

  void SingleLine(const Block& block, const BlockReport& report) {
    std::string values;
    for (const Field& field : report.values.fields) {
      values += (values.empty() ? "" : "<br>") + Escaped(field.name) + " = " + Escaped(ScalarText(field.value));
    }
    singles_ +=
        "<tr id=\"" + BlockAnchor() + "\"><td><code>" + Escaped(block.keyword) + "</code></td><td class=\"num\">" +
        std::to_string(block.line) + "</td><td>" + (values.empty() ? "no values" : values) + "</td><td>" +
        (report.status ? std::to_string(*report.status) : "not read") + "</td><td>" + Findings(report) + "</td></tr>\n";
  }

  // The heading of a block's section, its values, what the counting pass found and how many findings it has.
  void OpenSection(const Block& block, const BlockReport& report, std::string_view kind) {
    std::string& s = file_;
    s += "<section class=\"block " + std::string(kind) + "\" id=\"" + BlockAnchor() + "\"><h3><code>" +
         Escaped(block.keyword) + "</code><span class=\"where\">line " + std::to_string(block.line) + ", " +
         Counted(static_cast<std::size_t>(block.dataLines), "data line") + "</span>" + StatusBadge(report) + "</h3>";
    if (kind != "wave") {  // its values make the settings table
      s += Facts(report.values);
    }
    std::string counts;
    for (const Field& field : report.counts.fields) {
      counts += (counts.empty() ? "" : ", ") + Escaped(field.name) + " " + Escaped(ScalarText(field.value));
    }
    const std::string findings = Findings(report);
    s += "<p class=\"note\">" + (counts.empty() ? "" : "Counting pass: " + counts + ". ") + "Findings: " + findings +
         (findings == "none" ? "" : " (see <a href=\"#diagnostics\">Diagnostics</a>)") + ".</p>";
  }

  std::FILE* out_;
  HtmlLimits limits_;
  std::string rows_;
  std::size_t rowsShown_ = 0;
  std::size_t rowsLeft_[kSeverities] = {};  // by severity
  std::vector<std::string> body_;           // the files' sections, in parts
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

  ChartBudget budget_;
};

}  // namespace

std::unique_ptr<Output> MakeHtmlOutput(std::FILE* stream, const HtmlLimits& limits) {
  return std::make_unique<HtmlOutput>(stream, limits);
}

}  // namespace orvane::check
