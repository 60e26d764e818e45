// One JSON document, written as the files are read: files, their blocks with values and findings,
// and the totals. Small objects stand on one line so that the document stays readable.
#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "keywords.h"
#include "output.h"

namespace orvane::check {

std::string JsonString(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return nlohmann::json(std::move(utf8)).dump(-1, ' ', true);
}

namespace {

// Numbers JSON has no literal for become strings.
std::string Number(const std::string& formatted) {
  if (formatted == "nan") {
    return "\"NaN\"";
  }
  if (formatted == "inf") {
    return "\"Infinity\"";
  }
  if (formatted == "-inf") {
    return "\"-Infinity\"";
  }
  return formatted;
}

bool Flat(const Value& value) {
  for (const Field& field : value.fields) {
    if (field.value.kind == Value::Kind::kList || (field.value.kind == Value::Kind::kObject && !Flat(field.value))) {
      return false;
    }
  }
  return true;
}

std::string Indent(int depth) { return std::string(static_cast<std::size_t>(depth) * 2, ' '); }

void Write(std::string& out, const Value& value, int depth) {
  switch (value.kind) {
    case Value::Kind::kInteger:
      out += std::to_string(value.integer);
      return;
    case Value::Kind::kSingle:
      out += Number(FormatSingle(static_cast<float>(value.real)));
      return;
    case Value::Kind::kDouble:
      out += Number(FormatDouble(value.real));
      return;
    case Value::Kind::kText:
      out += JsonString(value.text);
      return;
    case Value::Kind::kNumbers:
      out += '[';
      for (std::size_t i = 0; i < value.numbers.size(); ++i) {
        out += (i == 0 ? "" : ", ") + Number(FormatSingle(value.numbers[i]));
      }
      out += ']';
      return;
    case Value::Kind::kPairs:
      out += '[';
      for (std::size_t i = 0; i + 1 < value.numbers.size(); i += 2) {
        out += (i == 0 ? "[" : ", [") + Number(FormatSingle(value.numbers[i])) + ", " +
               Number(FormatSingle(value.numbers[i + 1])) + "]";
      }
      out += ']';
      return;
    case Value::Kind::kObject:
      if (Flat(value)) {
        out += '{';
        for (std::size_t i = 0; i < value.fields.size(); ++i) {
          out += (i == 0 ? "" : ", ") + JsonString(value.fields[i].name) + ": ";
          Write(out, value.fields[i].value, depth);
        }
        out += '}';
        return;
      }
      out += "{\n";
      for (std::size_t i = 0; i < value.fields.size(); ++i) {
        out += Indent(depth + 1) + JsonString(value.fields[i].name) + ": ";
        Write(out, value.fields[i].value, depth + 1);
        out += i + 1 < value.fields.size() ? ",\n" : "\n";
      }
      out += Indent(depth) + "}";
      return;
    case Value::Kind::kList:
      if (value.items.empty()) {
        out += "[]";
        return;
      }
      out += "[\n";
      for (std::size_t i = 0; i < value.items.size(); ++i) {
        out += Indent(depth + 1);
        Write(out, value.items[i], depth + 1);
        out += i + 1 < value.items.size() ? ",\n" : "\n";
      }
      out += Indent(depth) + "]";
      return;
  }
}

std::string Diagnostics(const std::vector<Diagnostic>& diagnostics, int depth) {
  if (diagnostics.empty()) {
    return "[]";
  }
  std::string out = "[\n";
  for (std::size_t i = 0; i < diagnostics.size(); ++i) {
    const Diagnostic& d = diagnostics[i];
    out += Indent(depth + 1) + "{\"line\": " + std::to_string(d.line) +
           ", \"column\": " + (d.columns ? std::to_string(d.columns->begin) : "null") +
           ", \"endColumn\": " + (d.columns ? std::to_string(d.columns->end) : "null") + ", \"severity\": \"" +
           std::string(SeverityName(d.severity)) + "\", \"rule\": " + JsonString(d.rule) +
           ", \"code\": " + (d.code ? std::to_string(*d.code) : "null") + ", \"message\": " + JsonString(d.message) +
           ", \"text\": " + (d.source ? JsonString(*d.source) : "null") + "}";
    out += i + 1 < diagnostics.size() ? ",\n" : "\n";
  }
  return out + Indent(depth) + "]";
}

class JsonOutput final : public Output {
 public:
  explicit JsonOutput(std::FILE* stream) : out_(stream) { std::fputs("{\n  \"files\": [", out_); }

  void BeginFile(const std::string& path) override {
    std::fprintf(out_, "%s\n    {\n      \"path\": %s,\n      \"blocks\": [", files_++ == 0 ? "" : ",",
                 JsonString(path).c_str());
    blocks_ = 0;
    fileDiagnostics_.clear();
  }

  void FileDiagnostic(const Diagnostic& diagnostic) override { fileDiagnostics_.push_back(diagnostic); }

  void WriteBlock(const Block& block, const BlockReport* report) override {
    std::string out = blocks_++ == 0 ? "\n" : ",\n";
    const std::string terminator = block.terminated ? std::to_string(block.line + block.dataLines + 1) : "null";
    const std::string head =
        "\"keyword\": " + JsonString(block.keyword) + ", \"line\": " + std::to_string(block.line) + ", \"reader\": ";
    if (report == nullptr) {
      out += Indent(4) + "{" + head + "null, \"dataLines\": " + std::to_string(block.dataLines) +
             ", \"terminator\": " + terminator + "}";
      std::fputs(out.c_str(), out_);
      return;
    }
    const std::string field = ",\n" + Indent(5);
    out += Indent(4) + "{\n" + Indent(5) + "\"keyword\": " + JsonString(block.keyword);
    out += field + "\"line\": " + std::to_string(block.line);
    out += field + "\"reader\": " + JsonString(ReaderName(block.reader));
    out += field + "\"dataLines\": " + std::to_string(block.dataLines);
    out += field + "\"terminator\": " + terminator;
    out += field + "\"status\": " + (report->status ? std::to_string(*report->status) : "null");
    out += field + "\"counts\": ";
    Write(out, report->counts, 5);
    out += field + "\"values\": ";
    Write(out, report->values, 5);
    out += field + "\"diagnostics\": " + Diagnostics(report->diagnostics, 5) + "\n" + Indent(4) + "}";
    std::fputs(out.c_str(), out_);
  }

  void EndFile(std::int64_t lines, const std::optional<std::string>& failure) override {
    const std::string close = blocks_ == 0 ? "" : "\n" + Indent(3);
    const std::string error = failure ? JsonString(*failure) : "null";
    std::fprintf(out_, "%s],\n      \"diagnostics\": %s,\n      \"lines\": %lld,\n      \"error\": %s\n    }",
                 close.c_str(), Diagnostics(fileDiagnostics_, 3).c_str(), static_cast<long long>(lines), error.c_str());
  }

  void Finish(const Totals& totals) override {
    std::fprintf(out_,
                 "%s],\n  \"blocksChecked\": %lld,\n  \"blocksNotChecked\": %lld,\n  \"errors\": %lld,\n"
                 "  \"warnings\": %lld,\n  \"lints\": %lld\n}\n",
                 files_ == 0 ? "" : "\n  ", static_cast<long long>(totals.checked),
                 static_cast<long long>(totals.notChecked), static_cast<long long>(totals.errors),
                 static_cast<long long>(totals.warnings), static_cast<long long>(totals.lints));
  }

 private:
  std::FILE* out_;
  int files_ = 0;
  std::int64_t blocks_ = 0;
  std::vector<Diagnostic> fileDiagnostics_;
};

}  // namespace

std::unique_ptr<Output> MakeJsonOutput(std::FILE* stream) { return std::make_unique<JsonOutput>(stream); }

}  // namespace orvane::check
