#include "file_check.h"

namespace orvane::check {

FileCheck::FileCheck(const KeywordTable& keywords, Checker& checker, const LintSet& lints, Output& output,
                     Totals& totals, std::string_view path)
    : checker_(checker),
      lints_(lints),
      fileLints_(lints),
      output_(output),
      totals_(totals),
      path_(path),
      splitter_(keywords, static_cast<std::size_t>(kRecordWidth), [this](const Block& block) { Take(block); }) {
  fileLints_.BeginFile();
}

void FileCheck::Add(const SourceLine& line) {
  if (line.crlf && !crlfNoted_) {
    FileFinding(Finding(Severity::kNote, line.number, rules::kCarriageReturns,
                        "the file has CR LF line endings; the CR characters are dropped"));
    crlfNoted_ = true;
  }
  if (line.strayCarriageReturn && !strayNoted_) {
    FileLint(Lint::kStrayCarriageReturn, line.number,
             "a CR character that is not followed by a line feed does not end a line; it is read as "
             "a stray character");
    strayNoted_ = true;
  }
  fileLints_.Line(line);
  splitter_.Add(line);
}

void FileCheck::Finish(std::int64_t lines) {
  splitter_.Finish();
  for (Diagnostic& finding : fileLints_.TakeFileFindings(lines + 1)) {
    FileFinding(std::move(finding));
  }
  if (lines == 0) {
    FileLint(Lint::kFileEmpty, 0, "the file is empty");
  } else if (splitter_.Blocks() == 0) {
    FileLint(Lint::kNoKeyword, 0, "no keyword line (a '*' in column 1) in this file");
  }
}

void FileCheck::Take(const Block& block) {
  for (Diagnostic& finding : fileLints_.TakeFileFindings(block.line)) {
    FileFinding(std::move(finding));
  }
  if (block.reader == Reader::kNone) {
    ++totals_.notChecked;
    output_.WriteBlock(block, nullptr);
    return;
  }
  ++totals_.checked;
  checker_.Check(block, report_);
  fileLints_.Block(block, report_.diagnostics);
  for (Diagnostic& d : report_.diagnostics) {
    d.block = block.line;
    d.file = path_;
    totals_.Add(d.severity);
  }
  output_.WriteBlock(block, &report_);
}

void FileCheck::FileLint(Lint lint, std::int64_t line, std::string message) {
  if (lints_[lint]) {
    FileFinding(MakeLint(lint, line, std::move(message)));
  }
}

void FileCheck::FileFinding(Diagnostic diagnostic) {
  if (fileLints_.Silenced(diagnostic)) {
    return;
  }
  diagnostic.file = path_;
  totals_.Add(diagnostic.severity);
  output_.FileDiagnostic(diagnostic);
}

}  // namespace orvane::check
