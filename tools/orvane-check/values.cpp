#include "values.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace orvane::check {

Value Value::Integer(std::int64_t value, std::string meaning) {
  Value v;
  v.kind = Kind::kInteger;
  v.integer = value;
  v.text = std::move(meaning);
  return v;
}

Value Value::Single(float value) {
  Value v;
  v.kind = Kind::kSingle;
  v.real = value;
  return v;
}

Value Value::Double(double value) {
  Value v;
  v.kind = Kind::kDouble;
  v.real = value;
  return v;
}

Value Value::Text(std::string value) {
  Value v;
  v.kind = Kind::kText;
  v.text = std::move(value);
  return v;
}

Value Value::Numbers() {
  Value v;
  v.kind = Kind::kNumbers;
  return v;
}

Value Value::Pairs() {
  Value v;
  v.kind = Kind::kPairs;
  return v;
}

Value Value::Object() { return Value{}; }

Value Value::List(std::string itemName) {
  Value v;
  v.kind = Kind::kList;
  v.itemName = std::move(itemName);
  return v;
}

bool Value::IsScalar() const {
  return kind == Kind::kInteger || kind == Kind::kSingle || kind == Kind::kDouble || kind == Kind::kText;
}

Value& Value::Add(std::string name, Value value) {
  fields.push_back({std::move(name), std::move(value)});
  return fields.back().value;
}

void Extent::Add(double value) {
  if (std::isnan(value)) {
    return;
  }
  low_ = any_ ? std::min(low_, value) : value;
  high_ = any_ ? std::max(high_, value) : value;
  any_ = true;
}

Value Extent::ToValue() const {
  Value range = Value::Object();
  if (any_) {
    const auto make = [this](double v) {
      return integral_ ? Value::Integer(static_cast<std::int64_t>(v)) : Value::Single(static_cast<float>(v));
    };
    range.Add("min", make(low_));
    range.Add("max", make(high_));
  }
  return range;
}

namespace {

template <class T>
std::string Shortest(T value) {
  if (std::isnan(value)) {
    return "nan";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-inf" : "inf";
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, result.ptr};
}

}  // namespace

std::string FormatSingle(float value) { return Shortest(value); }

std::string FormatDouble(double value) {
  if (std::isnan(value) || std::isinf(value)) {
    return Shortest(value);
  }
  if (std::fabs(value) <= FLT_MAX) {
    if (const auto narrow = static_cast<float>(value); static_cast<double>(narrow) == value) {
      return Shortest(narrow);
    }
  }
  return Shortest(value);
}

std::string ScalarText(const Value& value) {
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

bool ShownAsIs(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x20 && byte < 0x7F) || c == '\t';
}

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  if (std::all_of(text.begin(), text.end(), ShownAsIs)) {
    return std::string(text);
  }
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (ShownAsIs(c)) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  return shown;
}

namespace {

// Input text is shown with its unprintable bytes escaped.
std::string Scalar(const Value& value) {
  return value.kind == Value::Kind::kText ? Printable(value.text) : ScalarText(value);
}

std::string Inline(const Value& value);

// One field as it stands inside a line: "name = 1", "name: 1 2 3", "name: (1, 2) (3, 4)".
std::string InlineField(const Field& field) {
  if (field.value.IsScalar()) {
    return field.name + " = " + Scalar(field.value);
  }
  return field.name + ": " + Inline(field.value);
}

std::string Inline(const Value& value) {
  std::string text;
  const auto separate = [&text](std::string_view separator) {
    if (!text.empty()) {
      text += separator;
    }
  };
  switch (value.kind) {
    case Value::Kind::kNumbers:
      for (const float number : value.numbers) {
        separate(" ");
        text += FormatSingle(number);
      }
      break;
    case Value::Kind::kPairs:
      for (std::size_t i = 0; i + 1 < value.numbers.size(); i += 2) {
        separate(" ");
        text += "(" + FormatSingle(value.numbers[i]) + ", " + FormatSingle(value.numbers[i + 1]) + ")";
      }
      break;
    case Value::Kind::kObject:
      for (const Field& field : value.fields) {
        separate(", ");
        text += InlineField(field);
      }
      break;
    case Value::Kind::kList:
      for (std::size_t i = 0; i < value.items.size(); ++i) {
        separate("; ");
        text += value.itemName + " " + std::to_string(i + 1) + ": " + Inline(value.items[i]);
      }
      break;
    default:
      text = Scalar(value);
  }
  return text.empty() ? "none" : text;
}

}  // namespace

std::vector<std::string> ValueLines(const Value& values) {
  std::string head;
  for (const Field& field : values.fields) {
    if (field.value.IsScalar()) {
      head += (head.empty() ? "" : ", ") + InlineField(field);
    }
  }
  std::vector<std::string> lines{head.empty() ? "no values" : head};
  for (const Field& field : values.fields) {
    if (field.value.kind == Value::Kind::kList) {
      for (std::size_t i = 0; i < field.value.items.size(); ++i) {
        lines.push_back(field.value.itemName + " " + std::to_string(i + 1) + ": " + Inline(field.value.items[i]));
      }
    } else if (!field.value.IsScalar()) {
      lines.push_back(InlineField(field));
    }
  }
  return lines;
}

}  // namespace orvane::check
