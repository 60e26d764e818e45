#include "lint_file.h"

#include <algorithm>

#include "keywords.h"

namespace orvane::check {

namespace {

constexpr std::string_view kDirective = "orvane-check:";
constexpr std::string_view kIgnore = "ignore";
constexpr std::string_view kBlanks = " \t";

std::string_view SkipBlanks(std::string_view text) {
  return text.substr(std::min(text.find_first_not_of(kBlanks), text.size()));
}

}  // namespace

std::string IgnoreComment(std::string_view rule) {
  return "C " + std::string(kDirective) + " " + std::string(kIgnore) + " " + std::string(rule);
}

bool ReachedByIgnore(std::string_view text) {
  return !IsComment(text) && text.find_first_not_of(kBlanks) != std::string_view::npos;
}

void FileLints::BeginFile() {
  keywords_.clear();
  pending_.reset();
  silenced_.clear();
  findings_.clear();
}

void FileLints::Line(const SourceLine& line) {
  const std::string_view text = line.text;
  if (IsComment(text)) {
    std::string_view rest = SkipBlanks(text.substr(1));
    if (!rest.starts_with(kDirective) || !SkipBlanks(rest.substr(kDirective.size())).starts_with(kIgnore)) {
      return;
    }
    rest = SkipBlanks(rest.substr(kDirective.size())).substr(kIgnore.size());
    constexpr std::string_view kParts = " \t,";
    for (std::size_t at = rest.find_first_not_of(kParts); at != std::string_view::npos;
         at = rest.find_first_not_of(kParts, at)) {
      const std::string_view id = rest.substr(at, rest.find_first_of(kParts, at) - at);
      if (const auto lint = FindLint(id)) {
        pending_.set(static_cast<std::size_t>(*lint));
      } else if (on_[Lint::kIgnoreUnknown]) {
        const auto column = static_cast<std::int32_t>(id.data() - text.data()) + 1;
        findings_.push_back(MakeLint(
            Lint::kIgnoreUnknown, line.number, InBackquotes(id) + " is not a lint, so nothing is silenced by it",
            std::string(text), Columns{column, column + static_cast<std::int32_t>(id.size())}));
      }
      at += id.size();
    }
    return;
  }
  if (pending_.any() && ReachedByIgnore(text)) {
    silenced_.emplace_back(line.number, pending_);
    pending_.reset();
  }
}

void FileLints::Block(const check::Block& block, std::vector<Diagnostic>& diagnostics) {
  if (block.reader != Reader::kPY && on_[Lint::kKeywordTwice]) {
    const std::string name = NormalizeName(KeywordName(block.keyword));
    const auto first = std::find_if(keywords_.begin(), keywords_.end(), [&](const auto& k) { return k.first == name; });
    if (first == keywords_.end()) {
      keywords_.emplace_back(name, block.line);
    } else {
      diagnostics.insert(diagnostics.begin(),
                         MakeLint(Lint::kKeywordTwice, block.line,
                                  "*" + std::string(KeywordName(block.keyword)) +
                                      " is given again; it was first given on line " + std::to_string(first->second),
                                  block.keyword, Columns{1, static_cast<std::int32_t>(block.keyword.size()) + 1}));
    }
  }
  const std::int64_t end = block.line + block.dataLines;  // the block's last data line
  const auto inside = std::stable_partition(findings_.begin(), findings_.end(),
                                            [&](const Diagnostic& d) { return d.line <= block.line || d.line > end; });
  if (inside != findings_.end()) {
    diagnostics.insert(diagnostics.end(), std::make_move_iterator(inside), std::make_move_iterator(findings_.end()));
    findings_.erase(inside, findings_.end());
    std::stable_sort(diagnostics.begin(), diagnostics.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  }
  std::erase_if(diagnostics, [this](const Diagnostic& d) { return Silenced(d); });
  std::erase_if(silenced_, [&](const auto& s) { return s.first <= end; });
}

std::vector<Diagnostic> FileLints::TakeFileFindings(std::int64_t line) {
  std::vector<Diagnostic> taken;
  const auto after =
      std::stable_partition(findings_.begin(), findings_.end(), [&](const Diagnostic& d) { return d.line < line; });
  taken.assign(std::make_move_iterator(findings_.begin()), std::make_move_iterator(after));
  findings_.erase(findings_.begin(), after);
  return taken;
}

bool FileLints::Silenced(const Diagnostic& diagnostic) const {
  if (silenced_.empty() || diagnostic.severity != Severity::kLint) {
    return false;
  }
  const auto lint = FindLint(diagnostic.rule);
  return lint && std::any_of(silenced_.begin(), silenced_.end(), [&](const auto& s) {
           return s.first == diagnostic.line && s.second.test(static_cast<std::size_t>(*lint));
         });
}

}  // namespace orvane::check
