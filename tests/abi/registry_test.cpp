// The registry and the Example operations, through the exported functions.
#include <gtest/gtest.h>

#include <limits>

#include "abi/block.h"

namespace orvane::test {
namespace {

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { EmptyAll(); }
  void TearDown() override { EmptyAll(); }

  static void EmptyAll() {
    for (std::int32_t handle = 1; handle <= 3; ++handle) {
      lib.DeleteStorage(&handle);
    }
  }
  static std::int32_t Delete(std::int32_t handle) { return lib.DeleteStorage(&handle); }
  static std::int32_t Get(std::int32_t handle) { return lib.ExampleGet(&handle); }
  static void Set(std::int32_t handle, std::int32_t value) { lib.ExampleSet(&handle, &value); }

  static inline const Api& lib = Library::Get();
};

TEST_F(Registry, HandsOutTheLowestFreeSlotAndDeletesOnlyWhatExists) {
  EXPECT_EQ(lib.CreateStorage(), 1);
  EXPECT_EQ(lib.CreateStorage(), 2);
  EXPECT_EQ(lib.CreateStorage(), 3);
  EXPECT_EQ(lib.CreateStorage(), 0);
  Set(2, 55);
  EXPECT_EQ(Delete(2), 2);
  EXPECT_EQ(Delete(2), 0);  // handles that never named a slot: the sweep below
  EXPECT_EQ(lib.DeleteStorage(nullptr), 0);
  EXPECT_EQ(lib.CreateStorage(), 2);
  EXPECT_EQ(Get(2), 0) << "a reused slot holds a new object";
}

TEST_F(Registry, DeleteAllStopsAtTheFirstEmptySlot) {
  EXPECT_EQ(lib.DeleteAllStorage(), 1);
  for (int i = 0; i < 3; ++i) {
    lib.CreateStorage();
  }
  EXPECT_EQ(lib.DeleteAllStorage(), 3);
  EXPECT_EQ(lib.CreateStorage(), 1) << "all slots were emptied";
  lib.CreateStorage();
  lib.CreateStorage();
  Set(3, 33);
  ASSERT_EQ(Delete(2), 2);
  EXPECT_EQ(lib.DeleteAllStorage(), 2);
  EXPECT_EQ(Get(3), 33) << "slot 3 was left as it was";
  EXPECT_EQ(lib.CreateStorage(), 1);
  EXPECT_EQ(lib.CreateStorage(), 2);
}

TEST_F(Registry, ExamplePrintWritesTextDotValueAsOneRecord) {
  std::int32_t handle = lib.CreateStorage();
  Set(handle, -42);
  ::testing::internal::CaptureStdout();
  lib.ExamplePrint(&handle, "Value  ", 7);
  lib.ExamplePrint(&handle, "", 0);
  for (const std::int32_t missing : {0, -1, 4}) {
    lib.ExamplePrint(&missing, "text", 4);  // prints nothing
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Value  .-42\n.-42\n");
  EXPECT_EQ(lib.ExampleGet(nullptr), 0);
}

// Every handle a host could pass, sampled over the whole 32-bit range with a prime stride, and
// the handles of a deleted slot and of none: only the occupied slot is reached, and a refused
// call writes nothing.
TEST_F(Registry, OnlyOccupiedSlotsAreReached) {
  std::int32_t occupied = lib.CreateStorage();
  ASSERT_EQ(occupied, 1);
  ASSERT_EQ(lib.CreateStorage(), 2);
  ASSERT_EQ(Delete(2), 2);
  Set(occupied, 4711);
  std::vector<std::int64_t> handles = {-300, 300, std::numeric_limits<std::int32_t>::max()};
  for (std::int64_t h = std::numeric_limits<std::int32_t>::min(); h <= handles[2]; h += 65521) {
    handles.push_back(h);
  }
  for (std::int64_t h = handles[0]; h <= handles[1]; ++h) {
    handles.push_back(h);
  }
  Block block({"ENABLED=YES 0.5 0.25", "*END"});
  for (const std::int64_t wide : handles) {
    const auto handle = static_cast<std::int32_t>(wide);
    const bool valid = handle == occupied;
    Set(handle, 99);
    EXPECT_EQ(Get(handle), valid ? 99 : 0) << handle;
    Set(handle, 4711);
    std::int32_t enabled = -7;
    std::int32_t curves = -7;
    EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(&handle, &block.count, block.records.data(), block.messages.data(),
                                                 block.codes.data(), &block.status, &enabled, 80, 163),
              valid ? 0 : 1);
    EXPECT_EQ(lib.ReadPYMaxes01(&handle, &block.count, block.records.data(), block.codes.data(), &curves, &curves, 80),
              valid ? 0 : 1);
    if (!valid) {
      EXPECT_TRUE(enabled == -7 && curves == -7) << handle;
      EXPECT_EQ(Delete(handle), 0) << handle;
    }
  }
  EXPECT_EQ(Get(occupied), 4711);
  EXPECT_EQ(Delete(occupied), occupied);
}

TEST_F(Registry, ReadingExportsRefuseMissingArgumentsAndWriteNothing) {
  std::int32_t handle = lib.CreateStorage();
  Block block({"ENABLED=YES", "*END"});
  std::int32_t value = -7;
  EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(nullptr, &block.count, block.records.data(), block.messages.data(),
                                               block.codes.data(), &block.status, &value, 80, 163),
            1);
  EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(&handle, &block.count, block.records.data(), block.messages.data(),
                                               block.codes.data(), &block.status, nullptr, 80, 163),
            1);
  EXPECT_EQ(block.status, -99);
  EXPECT_EQ(block.Code(1), -99);
  EXPECT_EQ(block.Message(1), std::string(163, '#'));
}

}  // namespace
}  // namespace orvane::test
