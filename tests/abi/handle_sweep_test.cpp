// Every handle a host could pass, sampled over the whole 32-bit range: nothing crashes, and only
// the handles of occupied slots reach an object.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "abi/guarded.h"

namespace orvane::test {
namespace {

std::vector<std::int32_t> SampledHandles() {
  std::vector<std::int32_t> handles;
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
  for (std::int64_t h = kLowest; h <= kHighest; h += 65521) {  // a prime stride visits every residue class
    handles.push_back(static_cast<std::int32_t>(h));
  }
  for (std::int64_t h = -300; h <= 300; ++h) {
    handles.push_back(static_cast<std::int32_t>(h));
  }
  for (const std::int64_t edge : {kLowest, kLowest + 1, kHighest - 1, kHighest, std::int64_t{1} << 31 >> 1}) {
    handles.push_back(static_cast<std::int32_t>(edge));
  }
  return handles;
}

TEST(HandleSweep, OnlyOccupiedSlotsAreReached) {
  const Api& lib = Library::Get();
  while (lib.DeleteAllStorage() == 3) {
  }
  for (std::int32_t h = 1; h <= 3; ++h) {
    lib.DeleteStorage(&h);
  }
  std::int32_t occupied = lib.CreateStorage();
  ASSERT_EQ(occupied, 1);
  const std::int32_t marker = 4711;
  lib.ExampleSet(&occupied, &marker);

  Block block({"ENABLED=YES", "*END"});
  for (const std::int32_t handle : SampledHandles()) {
    const bool valid = handle == occupied;
    const std::int32_t value = 99;
    lib.ExampleSet(&handle, &value);
    EXPECT_EQ(lib.ExampleGet(&handle), valid ? 99 : 0) << handle;
    lib.ExampleSet(&handle, &marker);
    std::int32_t enabled = -7;
    EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(&handle, &block.lineCount, block.records.data(), block.messages.data(),
                                                 block.codes.data(), &block.status, &enabled, block.lineLength,
                                                 block.messageLength),
              valid ? 0 : 1)
        << handle;
    EXPECT_EQ(enabled, valid ? 1 : -7) << handle;
    if (!valid) {
      EXPECT_EQ(lib.DeleteStorage(&handle), 0) << handle;
    }
  }
  EXPECT_EQ(lib.ExampleGet(&occupied), marker);
  EXPECT_EQ(lib.DeleteStorage(&occupied), occupied);
  block.ExpectIntact();
}

}  // namespace
}  // namespace orvane::test
