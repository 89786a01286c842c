// Files of the source tree that tests read, and the committed fuzzing seeds that the tests make themselves: with VRK_WRITE_CORPUS set to a directory they are
// written there first; then each committed seed must hold exactly the bytes the code makes today, so that a change
// of a layout also refreshes the seeds.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace vrk::test {

// The bytes of a file; empty when it cannot be read.
inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
// The bytes of a file of the source tree, `relative` to its root.
inline std::string SourceFileText(const std::string& relative) {
  return FileText(std::filesystem::path(VRK_SOURCE_DIR) / relative);
}

// Checks `seeds` (file name and bytes) against fuzz/corpus, and hands each to `check` as well.
template <class Check>
void CheckCommittedSeeds(const std::map<std::string, std::vector<uint8_t>>& seeds, Check check) {
  const std::filesystem::path corpus = std::filesystem::path(VRK_SOURCE_DIR) / "fuzz" / "corpus";
  const char* target = std::getenv("VRK_WRITE_CORPUS");
  if (target) std::filesystem::create_directories(target);
  for (const auto& [name, bytes] : seeds) {
    if (target) {
      std::ofstream out(std::filesystem::path(target) / name, std::ios::binary);
      ASSERT_TRUE(out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())).good()) << name;
    }
    std::ifstream in(corpus / name, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing seed " << name;
    EXPECT_EQ(std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), bytes)
        << name;
    check(name, bytes);
  }
}

}  // namespace vrk::test
