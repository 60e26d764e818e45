// The registry and the Example operations, through the exported functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "abi/guarded.h"

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

TEST_F(Registry, HandsOutTheLowestFreeSlot) {
  EXPECT_EQ(lib.CreateStorage(), 1);
  EXPECT_EQ(lib.CreateStorage(), 2);
  EXPECT_EQ(lib.CreateStorage(), 3);
  EXPECT_EQ(lib.CreateStorage(), 0);
  Set(2, 55);
  EXPECT_EQ(Delete(2), 2);
  EXPECT_EQ(lib.CreateStorage(), 2);
  EXPECT_EQ(Get(2), 0) << "a reused slot holds a new object";
}

TEST_F(Registry, DeletesOnlyWhatExists) {
  ASSERT_EQ(lib.CreateStorage(), 1);
  EXPECT_EQ(Delete(1), 1);
  EXPECT_EQ(Delete(1), 0);  // handles that never named a slot: the handle sweep
  EXPECT_EQ(lib.DeleteStorage(nullptr), 0);
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

TEST_F(Registry, ObjectsKeepTheirOwnExampleValues) {
  const std::int32_t a = lib.CreateStorage();
  const std::int32_t b = lib.CreateStorage();
  EXPECT_EQ(Get(a), 0);
  for (const std::int32_t value :
       {-5, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
    Set(a, value);
    Set(b, 7);
    EXPECT_EQ(Get(a), value);
    EXPECT_EQ(Get(b), 7);
  }
}

TEST_F(Registry, ExampleCallsOnAMissingObjectDoNothing) {
  for (const std::int32_t handle : {0, -1, 1, 4, std::numeric_limits<std::int32_t>::min()}) {
    Set(handle, 9);
    EXPECT_EQ(Get(handle), 0) << handle;
    ::testing::internal::CaptureStdout();
    lib.ExamplePrint(&handle, "text", 4);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << handle;
  }
  EXPECT_EQ(lib.ExampleGet(nullptr), 0);
}

TEST_F(Registry, ExamplePrintWritesTextDotValueAsOneRecord) {
  std::int32_t handle = lib.CreateStorage();
  Set(handle, -42);
  ::testing::internal::CaptureStdout();
  lib.ExamplePrint(&handle, "Value  ", 7);
  lib.ExamplePrint(&handle, "", 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Value  .-42\n.-42\n");
}

// The handle sweep tries every handle on one reader; here a deleted slot and no slot, on a maxes
// reader and a data reader of other shapes: nothing is touched.
TEST_F(Registry, ReadingExportsRefuseBadHandlesAndWriteNothing) {
  ASSERT_EQ(lib.CreateStorage(), 1);
  ASSERT_EQ(lib.CreateStorage(), 2);
  ASSERT_EQ(Delete(2), 2);
  for (const std::int32_t handle : {0, 2}) {
    Block block({"1 2", "*END"});
    std::int32_t curves = -7;
    std::int32_t points = -7;
    EXPECT_EQ(lib.ReadPYMaxes01(&handle, &block.lineCount, block.records.data(), block.codes.data(), &curves, &points,
                                block.lineLength),
              1);
    double factor = -7.0;
    double threshold = -7.0;
    EXPECT_EQ(lib.ReadHigherHarmonicsData01(&handle, &block.lineCount, block.records.data(), block.messages.data(),
                                            block.codes.data(), &block.status, &factor, &threshold, block.lineLength,
                                            block.messageLength),
              1);
    EXPECT_TRUE(curves == -7 && points == -7 && factor == -7.0 && threshold == -7.0);
    EXPECT_EQ(block.status, -99);
    EXPECT_EQ(block.Code(1), -99);
    EXPECT_EQ(block.Message(1), std::string(163, '#'));
    block.ExpectIntact();
  }
}

TEST_F(Registry, ReadingExportsRefuseMissingArguments) {
  std::int32_t handle = lib.CreateStorage();
  Block block({"ENABLED=YES", "*END"});
  std::int32_t value = -7;
  EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(nullptr, &block.lineCount, block.records.data(), block.messages.data(),
                                               block.codes.data(), &block.status, &value, 80, 163),
            1);
  EXPECT_EQ(lib.ReadNonOrthogonalDampingData01(&handle, &block.lineCount, block.records.data(), block.messages.data(),
                                               block.codes.data(), &block.status, nullptr, 80, 163),
            1);
  EXPECT_EQ(block.status, -99);
  EXPECT_EQ(block.Code(1), -99);
}

}  // namespace
}  // namespace orvane::test
