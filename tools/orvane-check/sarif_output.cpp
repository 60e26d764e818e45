// SARIF 2.1.0, as code scanning reads it: every rule with its help in tool.driver.rules, then one
// result a finding, with its physical location and a fingerprint that stays when lines move.
#include <cinttypes>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>

#include "output.h"
#include "rules.h"

namespace orvane::check {

namespace {

std::string_view Level(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
    case Severity::kLint:
      return "warning";
    case Severity::kNote:
      break;
  }
  return "note";
}

// A path as a relative URI reference: every byte but the unreserved ones and '/' percent-encoded.
std::string Uri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~' || c == '/') {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0xF];
    }
  }
  return uri;
}

std::string Text(std::string_view text) { return nlohmann::json(std::string(text)).dump(); }

std::string RuleObject(const Rule& rule) {
  const std::string anchor = "docs/rules.md#" + [&] {
    std::string lower(rule.id);
    for (char& c : lower) {
      c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lower;
  }();
  std::string text = std::string(rule.meaning);
  std::string markdown = text;
  if (!rule.example.empty()) {
    text += "\n\nFor example:\n" + std::string(rule.example);
    markdown += "\n\n```\n" + std::string(rule.example) + "\n```";
  }
  text += "\n\nWhat to do: " + std::string(rule.action) + "\n\nSee " + anchor + ".";
  markdown += "\n\nWhat to do: " + std::string(rule.action) + "\n\nSee [" + anchor + "](" + anchor + ").";
  return "{\"id\": " + Text(rule.id) + ", \"shortDescription\": {\"text\": " + Text(rule.meaning) +
         "}, \"help\": {\"text\": " + Text(text) + ", \"markdown\": " + Text(markdown) +
         "}, \"defaultConfiguration\": {\"level\": \"" + std::string(Level(rule.severity)) + "\"}}";
}

// FNV-1a, 64 bits: a short, stable digest for fingerprints.
std::uint64_t Digest(std::string_view text, std::uint64_t hash = 0xcbf29ce484222325ULL) {
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  }
  return hash;
}

class SarifOutput final : public FindingsOutput {
 public:
  explicit SarifOutput(std::FILE* stream) : out_(stream) {
    std::string head =
        "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": \"2.1.0\",\n"
        "  \"runs\": [\n    {\n      \"tool\": {\n        \"driver\": {\n          \"name\": \"orvane-check\",\n"
        "          \"version\": \"" ORVANE_CHECK_VERSION "\",\n          \"rules\": [\n";
    const auto rules = AllRules();
    for (std::size_t i = 0; i < rules.size(); ++i) {
      index_.emplace(rules[i].id, i);
      head += "            " + RuleObject(rules[i]) + (i + 1 < rules.size() ? ",\n" : "\n");
    }
    head += "          ]\n        }\n      },\n      \"columnKind\": \"utf16CodeUnits\",\n      \"results\": [";
    std::fputs(head.c_str(), out_);
  }

  void Finish(const Totals& /*totals*/) override {
    std::fputs(results_ == 0 ? "]\n    }\n  ]\n}\n" : "\n      ]\n    }\n  ]\n}\n", out_);
  }

 private:
  void Write(const Diagnostic& d) override {
    // The rule, the file and the line's text, and how many findings of that rule came before on a
    // line of the same text: stable when lines are added or removed elsewhere in the file.
    const std::uint64_t where = Digest(d.source ? *d.source : d.message, Digest(d.file, Digest(d.rule)));
    const std::uint64_t fingerprint = Digest(std::to_string(seen_[where]++), where);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016" PRIx64, fingerprint);

    std::string region;
    if (d.line > 0) {
      region = ", \"region\": {\"startLine\": " + std::to_string(d.line);
      if (d.columns) {
        region += ", \"startColumn\": " + std::to_string(d.columns->begin) +
                  ", \"endColumn\": " + std::to_string(d.columns->end);
      }
      if (d.source) {
        region += ", \"snippet\": {\"text\": " + JsonString(*d.source) + "}";
      }
      region += "}";
    }
    const auto index = index_.find(d.rule);
    std::string result =
        std::string(results_++ == 0 ? "\n" : ",\n") + "        {\"ruleId\": " + Text(d.rule) +
        (index == index_.end() ? "" : ", \"ruleIndex\": " + std::to_string(index->second)) + ", \"level\": \"" +
        std::string(Level(d.severity)) + "\", \"message\": {\"text\": " + JsonString(d.message) +
        "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": " + Text(Uri(d.file)) +
        ", \"uriBaseId\": \"%SRCROOT%\"}" + region + "}}], \"partialFingerprints\": {\"orvane/v1\": \"" + hex + "\"}";
    if (d.code) {
      result += ", \"properties\": {\"code\": " + std::to_string(*d.code) + "}";
    }
    result += "}";
    std::fputs(result.c_str(), out_);
  }

  std::FILE* out_;
  std::unordered_map<std::string_view, std::size_t> index_;
  std::unordered_map<std::uint64_t, std::int64_t> seen_;
  std::int64_t results_ = 0;
};

}  // namespace

std::unique_ptr<Output> MakeSarifOutput(std::FILE* stream) { return std::make_unique<SarifOutput>(stream); }

}  // namespace orvane::check
