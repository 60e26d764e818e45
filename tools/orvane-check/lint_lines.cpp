// A block's lines followed the way its reader takes them, with the toolkit's own screening, prefix
// tests and option values: what each line is to the reader decides what the lints look at.
#include "lint_lines.h"

#include <array>
#include <utility>

namespace orvane::check {

namespace {

using toolkit::StartsWithIgnoreCase;
using toolkit::Text;

constexpr std::int32_t kLongestValue = static_cast<std::int32_t>(kRecordWidth);

// What a line behind leading blanks would have been in column 1: a comment (a C and then a blank or
// nothing), a keyword or a section ('*' or '$'); else none.
std::optional<Lint> Shifted(Text justified, std::size_t first) {
  if (first == 0 || justified.empty()) {
    return std::nullopt;
  }
  const char c = justified.front();
  if ((c == 'C' || c == 'c') && (justified.size() == 1 || justified[1] == ' ')) {
    return Lint::kCommentShifted;
  }
  if (c == '*' || c == '$') {
    return Lint::kKeywordShifted;
  }
  return std::nullopt;
}

class LineWalk {
 public:
  LineWalk(const Block& block, const LintSet& on, std::vector<Diagnostic>& out)
      : block_(block), on_(on), fields_(on, out) {}

  // Hands each data line to `handle` up to the terminator.
  template <typename Handle>
  void DataLines(Handle handle) {
    for (std::int32_t i = 0; i < block_.RecordCount(); ++i) {
      const Text record = block_.Record(i);
      std::int32_t code = 0;
      const toolkit::LineClass kind = toolkit::ClassifyLine(record, message_, code);
      if (kind.state == toolkit::LineState::Skip) {
        continue;
      }
      toolkit::ScreenedLine screened{record.substr(0, kind.length), kind.first, record.size()};
      if (kind.state == toolkit::LineState::NeedsCleaning) {
        std::copy(record.begin(), record.end(), work_.begin());
        toolkit::CleanLine(work_, message_, code);
        const Text cleaned(work_.data(), record.size());
        screened.text = toolkit::TrimTrailingBlanks(cleaned);
        screened.first = screened.text.size() - toolkit::SkipLeadingBlanks(screened.text).size();
      }
      const Text text = screened.text;
      if (!text.empty() && (text.front() == '*' || text.front() == '$')) {
        return;
      }
      const Text justified = text.substr(screened.first);
      DataLine line{i, block_.LineOf(i), screened, justified, record, false};
      const std::size_t first = screened.first;
      if (const auto shifted = Shifted(justified, first)) {
        line.shifted = true;
        if (on_[*shifted]) {
          fields_.Report(*shifted, line,
                         "this `" + std::string(1, justified.front()) + "` in column " + std::to_string(first + 1) +
                             (*shifted == Lint::kCommentShifted ? " makes no comment" : " starts no keyword") +
                             " (only column 1 does): the line is read as data",
                         Columns{static_cast<std::int32_t>(first) + 1, static_cast<std::int32_t>(first) + 2});
        }
      }
      handle(line);
    }
  }

  // The fields `read` takes from `line`, linted unless the line is a comment or keyword moved off
  // column 1, about which one lint is enough.
  void Fields(const DataLine& line, const FieldRead& read) {
    if (!line.shifted) {
      fields_.Check(line, read);
    }
  }

  // An option's value compared on its first characters only (the words in the reader's order):
  // a longer word is taken for the one it begins with.
  void ValuePrefix(const DataLine& line, char key, std::initializer_list<Text> words) {
    if (!on_[Lint::kValuePrefix]) {
      return;
    }
    std::array<char, kRecordWidth> value{};
    toolkit::ExtractOptionValue(line.Padded(), key, value, kLongestValue);
    const Text written = toolkit::TrimTrailingBlanks(Text(value.data(), value.size()));
    for (const Text word : words) {
      if (StartsWithIgnoreCase(written, word)) {
        if (written.size() > word.size()) {
          // Where ExtractOptionValue took the value from: past the first key and "=", and the blanks
          // and commas after them.
          const std::size_t begin = line.Text().find_first_not_of(" ,", line.Text().find(std::string{key, '='}) + 2);
          fields_.Report(
              Lint::kValuePrefix, line,
              InBackquotes(written) + " is read as " + std::string(word) + ": only its first " +
                  std::to_string(word.size()) + " characters count",
              Columns{static_cast<std::int32_t>(begin) + 1, static_cast<std::int32_t>(begin + written.size()) + 1});
        }
        return;
      }
    }
  }

  void Ignored(const DataLine& line, const std::string& why) {
    if (on_[Lint::kLineIgnored]) {
      fields_.Report(Lint::kLineIgnored, line, why, std::nullopt);
    }
  }

 private:
  const Block& block_;
  const LintSet& on_;
  FieldLinter fields_;
  std::array<char, kRecordWidth> work_{};
  std::array<char, 200> message_{};  // screening's messages, which the library reports itself
};

void SingleLine(LineWalk& walk, const FieldRead& read) {
  bool first = true;
  walk.DataLines([&](const DataLine& line) {
    if (std::exchange(first, false)) {
      walk.Fields(line, read);
    }
  });
}

void Damping(LineWalk& walk) {
  bool first = true;
  walk.DataLines([&](const DataLine& line) {
    if (std::exchange(first, false) && !line.shifted) {
      walk.ValuePrefix(line, 'D', {"YES", "NO"});
    }
  });
}

void AxialLoad(LineWalk& walk, TracedLines& traced) {
  walk.DataLines([&](const DataLine& line) {
    traced.entries.push_back(line.shifted ? ~line.record : line.record);
    walk.Fields(line, {' ', 4, "a node line", true});
  });
}

// The options of ranks 2 to 7, in rank order, then FREQUENCIES=SELECTED (8) and ORIGIN= (9).
void WaveGeneral(LineWalk& walk, TracedLines& traced) {
  bool inList = false;
  walk.DataLines([&](const DataLine& line) {
    const Text w = line.justified;
    const bool option = StartsWithIgnoreCase(w, "SEED=") || StartsWithIgnoreCase(w, "OPTION=") ||
                        StartsWithIgnoreCase(w, "WAVEZONE=") || StartsWithIgnoreCase(w, "FLOAT_CONVOLUTION=") ||
                        StartsWithIgnoreCase(w, "FLOAT_RAO_FORCES=") || StartsWithIgnoreCase(w, "FLOAT_QTF_FORCES=");
    if (option) {
      inList = false;
      if (StartsWithIgnoreCase(w, "OPTION=")) {
        walk.ValuePrefix(line, 'N', {"SUPERPOSITION", "MWL", "EXTENDED"});
      } else if (StartsWithIgnoreCase(w, "WAVEZONE=")) {
        walk.Fields(line, {'E', 1, "WAVEZONE="});
      } else if (StartsWithIgnoreCase(w, "FLOAT_CONVOLUTION=")) {
        walk.ValuePrefix(line, 'N', {"YES", "NO"});
      } else if (!StartsWithIgnoreCase(w, "SEED=")) {
        walk.ValuePrefix(line, 'S', {"YES", "NO"});
      }
    } else if (!inList && StartsWithIgnoreCase(w, "FREQUENCIES=SELECTED")) {
      inList = true;
    } else if (inList) {
      if (line.Text().find('=') != Text::npos) {
        // Until a frequency is stored the library reports the line; whether one was is for its codes
        // to say.
        traced.listEquals.push_back(line.record);
        walk.Ignored(line, "a line with `=` among the selected frequencies is ignored once one is stored");
      } else {
        traced.frequencies.push_back(line.record);
        walk.Fields(line, {' ', 1, "a frequency line"});
      }
    } else if (StartsWithIgnoreCase(w, "ORIGIN=")) {
      walk.Fields(line, {'N', 2, "ORIGIN="});
    } else if (!line.shifted) {
      walk.Ignored(line, "this line is no *WAVE-GENERAL option and stands outside a frequency list: it is ignored");
    }
  });
}

void PY(LineWalk& walk, TracedLines& traced) {
  bool scourSeen = false;
  walk.DataLines([&](const DataLine& line) {
    const Text w = line.justified;
    if (StartsWithIgnoreCase(w, "SET=")) {
      scourSeen = false;
    } else if (StartsWithIgnoreCase(w, "SCOUR=")) {
      if (!std::exchange(scourSeen, true)) {
        walk.Fields(line, {'R', 1, "SCOUR="});
      }
    } else if (StartsWithIgnoreCase(w, "DEPTH=")) {
      traced.headers.push_back(line.record);
      traced.firstPoint.push_back(static_cast<std::int32_t>(traced.points.size()));
      walk.Fields(line, {'H', 1, "DEPTH="});
    } else if (StartsWithIgnoreCase(w, "NODE=")) {
      traced.headers.push_back(line.record);
      traced.firstPoint.push_back(static_cast<std::int32_t>(traced.points.size()));
      walk.Fields(line, {'E', 1, "NODE=", true});
    } else {
      traced.points.push_back(line.shifted ? ~line.record : line.record);
      walk.Fields(line, {' ', 2, "a point line"});
    }
  });
}

}  // namespace

void LintLines(const Block& block, const LintSet& on, TracedLines& traced, std::vector<Diagnostic>& out) {
  LineWalk walk(block, on, out);
  switch (block.reader) {
    case Reader::kNonOrthogonalDamping:
      Damping(walk);
      break;
    case Reader::kReferenceDiameter:
      SingleLine(walk, {' ', 1, "the diameter"});
      break;
    case Reader::kHigherHarmonics:
      SingleLine(walk, {' ', 2, "the factor and threshold"});
      break;
    case Reader::kAxialLoad:
      AxialLoad(walk, traced);
      break;
    case Reader::kWaveGeneral:
      WaveGeneral(walk, traced);
      break;
    case Reader::kPY:
      PY(walk, traced);
      break;
    case Reader::kNone:
      break;
  }
}

}  // namespace orvane::check
