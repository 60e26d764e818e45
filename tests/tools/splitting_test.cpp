// Reading lines, recognising keywords and splitting a file into blocks as a host does. Blocks in
// the usual arrangements, empty files, NUL bytes at the start, CR characters and the long line of
// the shipped example are left to the whole runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "keywords.h"
#include "source.h"
#include "splitter.h"

namespace orvane::check {
namespace {

TEST(Keywords, NamesMatchWhateverTheirCaseBlanksHyphensAndUnderscores) {
  const struct {
    const char* line;
    Reader reader;
  } cases[] = {
      {"*wave_general", Reader::kWaveGeneral},
      {"* Wave General  ", Reader::kWaveGeneral},
      {"*WAVEGENERAL, FORM=02", Reader::kWaveGeneral},
      {"*py\tcurves", Reader::kPY},
      {"**WAVE-GENERAL", Reader::kNone},  // a second asterisk is part of the name
      {"*WAVE-GENERALS", Reader::kNone},
      {"*AXIAL", Reader::kNone},
  };
  const KeywordTable table;
  for (const auto& c : cases) {
    EXPECT_EQ(table.Find(c.line), c.reader) << c.line;
  }
}

// New names and refused maps are whole runs; a built-in name can be redirected.
TEST(Keywords, ABuiltInNameCanBeMappedToAnotherReader) {
  KeywordTable table;
  EXPECT_TRUE(table.Map("AXIAL LOAD", "reference diameter"));
  EXPECT_EQ(table.Find("*AXIAL LOAD"), Reader::kReferenceDiameter);
}

struct ReadLine {
  std::string text;
  std::size_t length;
  std::size_t cut;
  bool crlf;
  bool strayCarriageReturn = false;
};

// Everything a reader makes of `bytes`, fed through a pipe as from standard input.
std::vector<ReadLine> ReadAll(const std::string& bytes, bool& binary) {
  int ends[2];
  EXPECT_EQ(pipe(ends), 0);
  EXPECT_EQ(write(ends[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(ends[1]);
  std::FILE* file = fdopen(ends[0], "rb");
  LineReader reader(file, 10);
  std::vector<ReadLine> lines;
  SourceLine line;
  while (reader.Next(line)) {
    EXPECT_EQ(line.number, static_cast<std::int64_t>(lines.size() + 1));
    lines.push_back({std::string(line.text), line.length, line.cutNonBlank, line.crlf, line.strayCarriageReturn});
  }
  std::fclose(file);
  binary = reader.Binary();
  return lines;
}

TEST(LineReader, SplitsLinesAndCountsWhatTheRecordWidthCuts) {
  const std::string longLine = std::string(600, 'x');
  const struct {
    const char* name;
    std::string bytes;
    std::vector<ReadLine> lines;
  } cases[] = {
      {"last line without an end", "a\nb", {{"a", 1, 0, false}, {"b", 1, 0, false}}},
      {"blanks and TABs past the width are not counted", "0123456789 \t \n", {{"0123456789 \t ", 13, 0, false}}},
      {"a CR LF just at the width", "0123456789\r\n", {{"0123456789", 10, 0, true}}},
      {"a long line is kept in part", longLine + "\r\n", {{longLine.substr(0, 512), 600, 590, true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool binary = true;
    const auto lines = ReadAll(c.bytes, binary);
    EXPECT_FALSE(binary);
    ASSERT_EQ(lines.size(), c.lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].text, c.lines[i].text) << i;
      EXPECT_EQ(lines[i].length, c.lines[i].length) << i;
      EXPECT_EQ(lines[i].cut, c.lines[i].cut) << i;
      EXPECT_EQ(lines[i].crlf, c.lines[i].crlf) << i;
      EXPECT_EQ(lines[i].strayCarriageReturn, c.lines[i].strayCarriageReturn) << i;
    }
  }
}

TEST(LineReader, ANulByteEarlyOnMakesTheFileBinary) {
  const struct {
    std::string bytes;
    bool binary;
  } cases[] = {
      {std::string(8191, 'a') + std::string(1, '\0'), true},
      {std::string(8192, 'a') + std::string(1, '\0'), false},  // past the probe: a NUL on a line
  };
  for (const auto& c : cases) {
    bool binary = false;
    const auto lines = ReadAll(c.bytes, binary);
    EXPECT_EQ(binary, c.binary) << c.bytes.size();
    EXPECT_EQ(lines.empty(), c.binary) << c.bytes.size();  // a binary file yields no line at all
  }
}

struct SplitBlock {
  std::string keyword;
  std::int64_t line;
  std::int64_t dataLines;
  bool terminated;
  std::vector<std::string> records;  // blank-padded to width 8
  std::vector<std::int32_t> longLines;
};

std::vector<SplitBlock> Split(const std::vector<std::string>& lines) {
  std::vector<SplitBlock> blocks;
  KeywordTable table;
  Splitter splitter(table, 8, [&blocks](const Block& block) {
    SplitBlock got{block.keyword, block.line, block.dataLines, block.terminated, {}, {}};
    for (std::int32_t i = 0; i < block.RecordCount(); ++i) {
      got.records.emplace_back(block.Record(i));
    }
    for (const LongLine& line : block.longLines) {
      got.longLines.push_back(line.index);
    }
    blocks.push_back(got);
  });
  std::int64_t number = 0;
  for (const std::string& text : lines) {
    SourceLine line;
    line.number = ++number;
    line.text = text;
    line.length = text.size();
    line.cutNonBlank = text.size() > 8 ? text.size() - 8 : 0;
    splitter.Add(line);
  }
  splitter.Finish();
  EXPECT_EQ(splitter.Blocks(), static_cast<std::int64_t>(blocks.size()));
  return blocks;
}

TEST(Splitter, BlocksAreTheLinesAfterAKeywordWithTheNextKeywordOrSectionLine) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    std::vector<SplitBlock> blocks;
  } cases[] = {
      {"lines before the first keyword belong to no block",
       {"C head", "0.5", "*REFERENCE DIAMETER", "0.75", "*END"},
       {{"*REFERENCE DIAMETER", 3, 1, true, {"0.75    ", "*END    "}, {}}, {"*END", 5, 0, false, {}, {}}}},
      {"a section line ends a block and its lines belong to none",
       {"*AXIAL LOAD", "1 2 3 4", "$ SOIL", "5 6 7 8", "*P-Y"},
       {{"*AXIAL LOAD", 1, 1, true, {"1 2 3 4 ", "$ SOIL  "}, {}}, {"*P-Y", 5, 0, false, {}, {}}}},
      {"long data lines are noted, long comments and terminators are not",
       {"*AXIAL LOAD", "1 2 3 4 5", "C comment", "c comment", "*A-LONG-ONE"},
       {{"*AXIAL LOAD", 1, 3, true, {"1 2 3 4 ", "C commen", "c commen", "*A-LONG-"}, {0}},
        {"*A-LONG-ONE", 5, 0, false, {}, {}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto blocks = Split(c.lines);
    ASSERT_EQ(blocks.size(), c.blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      EXPECT_EQ(blocks[i].keyword, c.blocks[i].keyword);
      EXPECT_EQ(blocks[i].line, c.blocks[i].line);
      EXPECT_EQ(blocks[i].dataLines, c.blocks[i].dataLines);
      EXPECT_EQ(blocks[i].terminated, c.blocks[i].terminated);
      EXPECT_EQ(blocks[i].records, c.blocks[i].records);
      EXPECT_EQ(blocks[i].longLines, c.blocks[i].longLines);
    }
  }
}

}  // namespace
}  // namespace orvane::check
