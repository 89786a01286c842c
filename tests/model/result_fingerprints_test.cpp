// Fingerprints of what the whole operations produce: for every generated configuration size, every XML and image
// seed of the fuzzers, and every value of a small configuration made unreadable, out of range or absent, the
// documents, images, CRCs and error texts that loading, checking, exporting and importing give. The expected
// fingerprints were taken from a build known to be right; any change of a byte or of the first error a check
// reports shows here. Run with VRK_PRINT_FINGERPRINTS set to print the lines of result_fingerprints.txt for the
// current build.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "bench/config_generator.h"
#include "bin/seed_files.h"
#include "converter_fixture.h"

namespace vrk::test {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(VRK_SOURCE_DIR) / "fuzz" / "corpus";

// FNV-1a, 64 bits: stable across platforms and runs.
class Fingerprint {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes) hash_ = (hash_ ^ c) * 0x100000001b3ULL;
    hash_ = (hash_ ^ 0xFF) * 0x100000001b3ULL;  // separates consecutive parts
  }
  void Add(const std::vector<uint8_t>& bytes) {
    Add(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  uint64_t value() const { return hash_; }

 private:
  uint64_t hash_ = 0xcbf29ce484222325ULL;
};

class ResultFingerprints : public ConverterTest {
 protected:
  // The result of a call: its code and, on failure, the error text.
  void AddResult(Fingerprint& print, HRESULT hr) {
    print.Add(std::to_string(hr));
    if (FAILED(hr)) print.Add(error_);
  }

  // The document, the image with its CRC and the whole check of the held configuration.
  void AddHeld(Fingerprint& print) {
    print.Add(Xml());
    ULONG crc = 0;
    const std::vector<uint8_t> image = Image(&crc);
    print.Add(image);
    print.Add(std::to_string(crc));
    AddResult(print, error_.empty() ? S_OK : E_FAIL);
    BStr root("");
    AddResult(print, Track(cvt_->CheckNodeData(root.get(), nullptr)));
    if (image.empty()) return;
    // Back from the image, and out again.
    const HRESULT hr = PutImage(image);
    AddResult(print, hr);
    if (hr != S_OK) return;
    print.Add(Xml());
    print.Add(Image(&crc));
    print.Add(std::to_string(crc));
  }

  void AddXmlLoad(Fingerprint& print, const std::string& text) {
    const HRESULT hr = PutXml(text);
    AddResult(print, hr);
    if (hr == S_OK) AddHeld(print);
  }

  void AddImageLoad(Fingerprint& print, const std::vector<uint8_t>& image) {
    const HRESULT hr = PutImage(image);
    AddResult(print, hr);
    if (hr == S_OK) AddHeld(print);
  }

  // Every value of `text` in turn made unreadable, made too large, and taken away, loaded as XML.
  void AddEveryValueBroken(Fingerprint& print, const std::string& text) {
    for (std::size_t quote = text.find("=\""); quote != std::string::npos; quote = text.find("=\"", quote + 2)) {
      const std::size_t begin = quote + 2;
      const std::size_t end = text.find('"', begin);
      std::size_t name = quote;
      while (name > 0 && text[name - 1] != ' ') --name;
      if (name == 0 || text.compare(name, 7, "version") == 0 || text.compare(name, 8, "encoding") == 0) continue;
      for (const char* replacement : {"x", "4294967296"})
        AddXmlLoad(print, text.substr(0, begin) + replacement + text.substr(end));
      AddXmlLoad(print, text.substr(0, name - 1) + text.substr(end + 1));
    }
  }

  void Expect(const std::map<std::string, uint64_t>& expected, const std::string& name, const Fingerprint& print) {
    if (std::getenv("VRK_PRINT_FINGERPRINTS"))
      std::printf("%s 0x%016llx\n", name.c_str(), static_cast<unsigned long long>(print.value()));
    const auto found = expected.find(name);
    ASSERT_NE(found, expected.end()) << "no fingerprint for " << name;
    EXPECT_EQ(found->second, print.value()) << name;
  }
};

// The expected fingerprints, one "name 0x<hex>" line each, in the file beside this one.
std::map<std::string, uint64_t> ExpectedFingerprints() {
  std::istringstream in(SourceFileText("tests/model/result_fingerprints.txt"));
  std::map<std::string, uint64_t> expected;
  std::string name, value;
  while (in >> name >> value) expected[name] = std::stoull(value, nullptr, 16);
  return expected;
}

const std::map<std::string, uint64_t> kExpected = ExpectedFingerprints();

TEST_F(ResultFingerprints, GeneratedConfigurationsOfEverySizeAndFuzzSeeds) {
  for (int channels = bench::kMinVibroChannels; channels <= bench::kMaxVibroChannels; ++channels) {
    Fingerprint print;
    AddXmlLoad(print, bench::GenerateConfiguration(channels));
    Expect(kExpected, "generated_" + std::to_string(channels), print);
  }
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "xml")) seeds.push_back(entry.path());
  std::sort(seeds.begin(), seeds.end());
  for (const std::filesystem::path& seed : seeds) {
    const std::string bytes = FileText(seed);
    Fingerprint print;
    if (seed.extension() == ".xml")
      AddXmlLoad(print, bytes);
    else
      AddImageLoad(print, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    Expect(kExpected, seed.filename().string(), print);
  }
}

TEST_F(ResultFingerprints, EveryValueOfASmallConfigurationBroken) {
  Fingerprint print;
  AddEveryValueBroken(print, bench::GenerateConfiguration(1));
  Expect(kExpected, "broken_values", print);
}

}  // namespace
}  // namespace vrk::test
