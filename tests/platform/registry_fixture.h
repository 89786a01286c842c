// A registry of its own for each test: a fresh folder, with VRK5420_REGISTRY_FILE pointing into it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/registry_file.h"

namespace vrk::testing_support {

class RegistryFixture : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vrk-registry-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    if (const char* old = std::getenv(registry::kRegistryFileVariable)) saved_ = old;
    UseFile(folder_ / "registry");
  }
  void TearDown() override {
    if (saved_)
      setenv(registry::kRegistryFileVariable, saved_->c_str(), 1);
    else
      unsetenv(registry::kRegistryFileVariable);
    std::filesystem::remove_all(folder_);
  }

  void UseFile(const std::filesystem::path& file) {
    file_ = file;
    setenv(registry::kRegistryFileVariable, file.c_str(), 1);
  }
  // The registry file's bytes; empty when it does not exist.
  std::string FileText() const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteFileText(const std::string& text) const { std::ofstream(file_, std::ios::binary) << text; }

  std::filesystem::path folder_;
  std::filesystem::path file_;

 private:
  std::optional<std::string> saved_;
};

}  // namespace vrk::testing_support
