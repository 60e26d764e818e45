// The values a block gave, as a small tree that both the text and the JSON output can print:
// scalars, lists of numbers or number pairs, objects and lists of objects.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::check {

struct Field;

struct Value {
  enum class Kind { kInteger, kSingle, kDouble, kText, kNumbers, kPairs, kObject, kList };

  Kind kind = Kind::kObject;
  std::int64_t integer = 0;
  double real = 0;             // kSingle holds a float exactly
  std::string text;            // kText: the text; kInteger: what the number means, shown beside it
  std::vector<float> numbers;  // kNumbers, and kPairs two by two
  std::vector<Field> fields;   // kObject
  std::vector<Value> items;    // kList, of objects
  std::string itemName;        // kList: what one item is called in the text output

  static Value Integer(std::int64_t value, std::string meaning = {});
  static Value Single(float value);
  static Value Double(double value);
  static Value Text(std::string value);
  static Value Numbers();
  static Value Pairs();
  static Value Object();
  static Value List(std::string itemName);

  [[nodiscard]] bool IsScalar() const;
  Value& Add(std::string name, Value value);  // to an object; returns the value added
};

struct Field {
  std::string name;
  Value value;
};

// The shortest text that reads back as exactly `value`: "0.05", "150", "1e-10", "-0"; "nan", "inf"
// and "-inf" for the values that are not numbers.
std::string FormatSingle(float value);
// A double that a float holds exactly is written as that float; others in full.
std::string FormatDouble(double value);

// A scalar as the outputs show it: "3 (EXTENDED)", "0.05", "SAND" (text as read, unescaped).
std::string ScalarText(const Value& value);

// Whether Printable shows a byte as it is: printable ASCII and TAB; every other byte as \xNN.
bool ShownAsIs(char c);
// A line of input as it can be shown: bytes outside printable ASCII (TAB apart) as \xNN.
std::string Printable(std::string_view text);

// A block's values as the text output shows them: the scalars on the first line ("enabled = 1
// (YES)", or "no values"), then one line per list item and per other field.
std::vector<std::string> ValueLines(const Value& values);

// The smallest and largest of the values added, NaNs passed over: an object with "min" and "max",
// or an empty object when nothing was added. Floats and 32-bit integers are both held exactly.
class Extent {
 public:
  explicit Extent(bool integral) : integral_(integral) {}
  void Add(double value);
  [[nodiscard]] Value ToValue() const;

 private:
  bool integral_;
  bool any_ = false;
  double low_ = 0;
  double high_ = 0;
};

}  // namespace orvane::check
