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

}  // namespace orvane::check
