// Every float written as a decimal, in the forms a data line may use, reads back as the same float;
// decimals next to a halfway point between two floats round to the nearer one, ties to even.
//
// Built with ORVANE_ROUNDTRIP_EXHAUSTIVE (the roundtrip_exhaustive target) it also sweeps all 2^32
// bit patterns, which takes minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "toolkit/dataline.h"

#ifdef ORVANE_ROUNDTRIP_EXHAUSTIVE
#include <cstdlib>
#include <iostream>
#include <thread>
#endif

namespace {

using orvane::toolkit::ConvertField;
using orvane::toolkit::FieldKind;

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// The outcome of many conversions: how many were made, how many failed, and the first failures.
struct Tally {
  std::uint64_t checked = 0;
  std::uint64_t failed = 0;
  std::vector<std::string> examples;

  void Check(std::string_view text, bool tooLarge, std::uint32_t bits) {
    ++checked;
    const auto got = ConvertField(text);
    const bool ok =
        tooLarge ? got.kind == FieldKind::TooLarge : got.kind == FieldKind::Number && Bits(got.value) == bits;
    if (!ok) {
      ++failed;
      if (examples.size() < 10) {
        examples.push_back(std::string(text) + " gave kind " + std::to_string(static_cast<int>(got.kind)) + " bits " +
                           std::to_string(Bits(got.value)));
      }
    }
  }
  void Add(const Tally& other) {
    checked += other.checked;
    failed += other.failed;
    for (const auto& example : other.examples) {
      if (examples.size() < 10) {
        examples.push_back(example);
      }
    }
  }
};

void ExpectNoFailures(const Tally& tally) {
  EXPECT_EQ(tally.failed, 0U) << "of " << tally.checked;
  for (const auto& example : tally.examples) {
    ADD_FAILURE() << example;
  }
}

// Rewrites the "e" of a scientific exponent as one of the other forms: D, q, or a bare sign.
std::string_view Restyle(char* text, std::size_t size, unsigned style) {
  char* e = std::find(text, text + size, 'e');
  if (e == text + size || style % 4 == 0) {
    return {text, size};
  }
  if (style % 4 == 3) {  // the sign always follows the letter, so it can stand alone
    std::copy(e + 1, text + size, e);
    return {text, size - 1};
  }
  *e = style % 4 == 1 ? 'D' : 'q';
  return {text, size};
}

// One bit pattern written three ways: shortest, 9 and 17 significant digits.
void CheckPattern(std::uint32_t bits, Tally& tally) {
  const auto value = std::bit_cast<float>(bits);
  if (std::isnan(value)) {
    return;
  }
  std::array<char, 64> buffer{};
  char* first = buffer.data();
  char* last = first + buffer.size();
  for (unsigned form = 0; form < 3; ++form) {
    std::to_chars_result end{};
    switch (form) {
      case 0:
        end = std::to_chars(first, last, value);
        break;
      case 1:
        end = std::to_chars(first, last, value, std::chars_format::general, 9);
        break;
      default:
        end = std::to_chars(first, last, value, std::chars_format::scientific, 16);
        break;
    }
    tally.Check(Restyle(first, static_cast<std::size_t>(end.ptr - first), bits + form), false, bits);
  }
}

TEST(RoundTrip, SampledBitPatternsComeBackUnchanged) {
  Tally tally;
  // A prime stride visits every exponent and a spread of mantissas, for both signs.
  constexpr std::uint64_t kStride = 409;
  for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << 32); bits += kStride) {
    CheckPattern(static_cast<std::uint32_t>(bits), tally);
  }
  // Where the rounding changes character: the ends of every binade (both signs), the smallest
  // subnormals, and the change from subnormal to normal.
  for (std::uint32_t sign : {0U, 0x80000000U}) {
    for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
      for (std::uint32_t mantissa = 0; mantissa < 256; ++mantissa) {
        CheckPattern(sign | exponent << 23 | mantissa, tally);
        CheckPattern(sign | exponent << 23 | (0x7FFFFFU - mantissa), tally);
      }
    }
    for (std::uint32_t bits = 0; bits < 0x20000; ++bits) {
      CheckPattern(sign | bits, tally);
    }
    for (std::uint32_t bits = 0x7E0000; bits < 0x820000; ++bits) {
      CheckPattern(sign | bits, tally);
    }
    CheckPattern(sign | 0x7F800000U, tally);  // infinity, written "inf"
  }
  EXPECT_GE(tally.checked, 30'000'000U);
  ExpectNoFailures(tally);
}

// A decimal d1.d2...dn x 10^exponent, written in one of several forms.
struct Decimal {
  std::string digits;
  int exponent;

  [[nodiscard]] std::string Written(unsigned form, bool negative) const {
    std::string text = negative ? "-" : "";
    const std::string sign = exponent < 0 ? "-" : "+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    switch (form % 6) {
      case 0:
        return text + digits[0] + "." + digits.substr(1) + "E" + sign + magnitude;
      case 1:
        return text + digits[0] + "." + digits.substr(1) + "d" + sign + magnitude;
      case 2:
        return text + digits[0] + "." + digits.substr(1) + "Q" + (exponent < 0 ? "-" : "") + magnitude;
      case 3:
        return text + digits[0] + "." + digits.substr(1) + sign + magnitude;  // bare sign
      case 4: {
        const int scaled = exponent - static_cast<int>(digits.size()) + 1;  // no point at all
        return text + digits + (scaled < 0 ? "-" : "+") + std::to_string(std::abs(scaled));
      }
      default:
        if (exponent < 0) {
          return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
        std::string whole = digits;
        whole.resize(std::max(whole.size(), static_cast<std::size_t>(exponent) + 1), '0');
        return text + whole.insert(static_cast<std::size_t>(exponent) + 1, ".");
    }
  }
};

// The exact decimal value of a double (a halfway point between floats is always one).
Decimal Exactly(double value) {
  std::array<char, 200> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific,
                                 150);  // more digits than any halfway point has: the tail is zeros
  const std::string text(buffer.data(), end.ptr);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  digits.erase(digits.find_last_not_of('0') + 1);
  return {digits, std::stoi(text.substr(e + 1))};
}

// `digits` less one unit of its last digit.
std::string MinusOneUnit(std::string digits) {
  std::size_t i = digits.size() - 1;
  for (; digits[i] == '0'; --i) {
    digits[i] = '9';
  }
  --digits[i];
  return digits;
}

// The halfway point between `lower` and the next float up, and its neighbours: on it (ties to
// even); one unit above and below in the digit after its tenth significant digit (or after its
// last, when it has more), always less than half the spacing of floats; and one unit ten digits
// further on, past the last digit that any halfway point has.
void CheckHalfway(std::uint32_t lowerBits, unsigned form, Tally& tally) {
  const std::uint32_t upperBits = lowerBits + 1;
  const bool upperOverflows = upperBits == 0x7F800000U;
  const double lower = std::bit_cast<float>(lowerBits);
  const double halfUnit = upperOverflows ? std::ldexp(1.0, 103) : (std::bit_cast<float>(upperBits) - lower) / 2;
  const Decimal half = Exactly(lower + halfUnit);
  std::string padded = half.digits;
  padded.resize(std::max<std::size_t>(padded.size(), 10), '0');
  const int e = half.exponent;
  const Decimal nearAbove{padded + "1", e};
  const Decimal nearBelow{MinusOneUnit(padded + "0"), e};
  const Decimal farAbove{padded + "0000000001", e};
  const Decimal farBelow{MinusOneUnit(padded + "0000000000"), e};
  const std::uint32_t even = (lowerBits & 1U) == 0 ? lowerBits : upperBits;

  for (const bool negative : {false, true}) {
    const std::uint32_t sign = negative ? 0x80000000U : 0U;
    const auto expect = [&](const Decimal& decimal, std::uint32_t bits) {
      tally.Check(decimal.Written(form, negative), bits == 0x7F800000U, sign | bits);
    };
    expect(half, even);
    expect(nearAbove, upperBits);
    expect(farAbove, upperBits);
    expect(nearBelow, lowerBits);
    expect(farBelow, lowerBits);
  }
}

TEST(RoundTrip, DecimalsNearAHalfwayPointRoundToTheNearerFloat) {
  Tally tally;
  unsigned form = 0;
  for (std::uint32_t bits = 0; bits < 0x7F7FFFFFU; bits += 16381) {
    CheckHalfway(bits, form++, tally);
  }
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (std::uint32_t mantissa : {0U, 1U, 2U, 0x7FFFFEU, 0x7FFFFFU}) {
      if ((exponent << 23 | mantissa) < 0x7F7FFFFFU) {
        CheckHalfway(exponent << 23 | mantissa, form++, tally);
      }
    }
  }
  for (unsigned each = 0; each < 6; ++each) {
    CheckHalfway(0x7F7FFFFFU, each, tally);  // above the largest float lies only infinity
    CheckHalfway(0, each, tally);            // below the smallest subnormal lies only zero
  }
  EXPECT_GE(tally.checked, 1'000'000U);
  ExpectNoFailures(tally);
}

#ifdef ORVANE_ROUNDTRIP_EXHAUSTIVE
std::uint64_t Setting(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text == nullptr ? otherwise : std::strtoull(text, nullptr, 0);
}

// All 2^32 patterns, or those from ORVANE_SWEEP_FROM up to ORVANE_SWEEP_TO (exclusive; hex
// allowed), on ORVANE_SWEEP_THREADS threads (all cores unless set).
TEST(RoundTrip, EveryBitPattern) {
  constexpr std::uint64_t kAll = std::uint64_t{1} << 32;
  const std::uint64_t from = Setting("ORVANE_SWEEP_FROM", 0);
  const std::uint64_t to = std::min(Setting("ORVANE_SWEEP_TO", kAll), kAll);
  const auto threads = static_cast<unsigned>(
      std::max<std::uint64_t>(1, Setting("ORVANE_SWEEP_THREADS", std::thread::hardware_concurrency())));
  std::vector<Tally> tallies(threads);
  std::vector<std::uint64_t> nans(threads);
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([=, &tallies, &nans] {
      const std::uint64_t span = to > from ? to - from : 0;
      for (std::uint64_t bits = from + span * t / threads; bits < from + span * (t + 1) / threads; ++bits) {
        const auto pattern = static_cast<std::uint32_t>(bits);
        nans[t] += std::isnan(std::bit_cast<float>(pattern)) ? 1 : 0;
        CheckPattern(pattern, tallies[t]);
      }
    });
  }
  Tally total;
  std::uint64_t totalNans = 0;
  for (unsigned t = 0; t < threads; ++t) {
    workers[t].join();
    total.Add(tallies[t]);
    totalNans += nans[t];
  }
  EXPECT_EQ(total.checked, 3 * (to - std::min(from, to) - totalNans));
  if (from == 0 && to == kAll) {
    EXPECT_EQ(totalNans, 2 * ((std::uint64_t{1} << 23) - 1));
  }
  ExpectNoFailures(total);
  std::cout << total.checked << " conversions\n";
}
#endif

}  // namespace
