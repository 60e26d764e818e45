// A whole run of the checker in-process, and a scratch directory per test so that the paths in its
// output are short and fixed.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver.h"

namespace orvane::check {

struct Outcome {
  int exit;
  std::string out;
  std::string err;
};

inline Outcome RunChecker(const std::vector<std::string>& arguments, bool terminal = false,
                          const char* noColour = nullptr) {
  char* outText = nullptr;
  char* errText = nullptr;
  std::size_t outSize = 0;
  std::size_t errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  const int exit = Run(arguments, out, err, terminal, noColour);
  std::fclose(out);
  std::fclose(err);
  Outcome outcome{exit, {outText, outSize}, {errText, errSize}};
  std::free(outText);
  std::free(errText);
  return outcome;
}

class InScratchDirectory : public testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-check-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    std::filesystem::current_path(directory_);
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(directory_);
  }
  // A name ending in '/' makes a directory.
  static void Write(const std::string& name, const std::string& bytes) {
    if (name.back() == '/') {
      std::filesystem::create_directory(name);
    } else {
      std::ofstream(name, std::ios::binary) << bytes;
    }
  }
  static std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path home_;
  std::filesystem::path directory_;
};

}  // namespace orvane::check
