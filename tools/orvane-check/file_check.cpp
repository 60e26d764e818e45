#include "file_check.h"

namespace orvane::check {

FileCheck::FileCheck(const KeywordTable& keywords, Checker& checker, Output& output, Totals& totals)
    : checker_(checker),
      output_(output),
      totals_(totals),
      splitter_(keywords, static_cast<std::size_t>(kRecordWidth), [this](const Block& block) { Take(block); }) {}

void FileCheck::Add(const SourceLine& line) {
  if (line.crlf && !crlfNoted_) {
    output_.FileDiagnostic({line.number, Severity::kNote, std::nullopt,
                            "the file has CR LF line endings; the CR characters are dropped", std::nullopt});
    crlfNoted_ = true;
  }
  if (line.strayCarriageReturn && !strayNoted_) {
    Warn(line.number,
         "a CR character that is not followed by a line feed does not end a line; it is read as "
         "a stray character");
    strayNoted_ = true;
  }
  splitter_.Add(line);
}

void FileCheck::Finish(std::int64_t lines) {
  splitter_.Finish();
  if (lines == 0) {
    Warn(0, "the file is empty");
  } else if (splitter_.Blocks() == 0) {
    Warn(0, "no keyword line (a '*' in column 1) in this file");
  }
}

void FileCheck::Take(const Block& block) {
  if (block.reader == Reader::kNone) {
    ++totals_.notChecked;
    output_.WriteBlock(block, nullptr);
    return;
  }
  ++totals_.checked;
  checker_.Check(block, report_);
  totals_.errors += report_.Count(Severity::kError);
  totals_.warnings += report_.Count(Severity::kWarning);
  output_.WriteBlock(block, &report_);
}

void FileCheck::Warn(std::int64_t line, std::string message) {
  ++totals_.warnings;
  output_.FileDiagnostic({line, Severity::kWarning, std::nullopt, std::move(message), std::nullopt});
}

}  // namespace orvane::check
