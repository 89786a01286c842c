// Long random sequences of edits, valid and invalid, inside and outside update brackets: after every failed
// edit the document text must be exactly what it was before it (before the bracket, for a failed bracket).
#include <random>

#include "converter_fixture.h"

namespace vrk::test {
namespace {

class RandomEdits : public ConverterTest {
 protected:
  std::mt19937 random_{20261205};

  uint32_t Pick(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(random_); }
  std::string Number(int low, int high) { return std::to_string(std::uniform_int_distribution<int>(low, high)(random_)); }

  // Two vibration channels with overall values, bands and a linearisation table, and two tachometer channels.
  void LoadChannels() {
    std::string channels;
    for (int n = 1; n <= 2; ++n) {
      const std::string number = std::to_string(n);
      channels += "<VibroChannel number=\"" + number + "\" unit=\"102\" trn_sens=\"7\" trn_offset=\"0\">"
                  "<param unit=\"102\"/><Peak number=\"1\" minvalue=\"0\" maxvalue=\"100\">"
                  "<abs_level_region high_warning_level=\"50\" high_alarm_level=\"80\"/></Peak>"
                  "<Absolute_bands><band number=\"2\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" "
                  "high_freq=\"1000\"/></Absolute_bands></VibroChannel>";
    }
    std::string document = Xml();
    document.replace(document.find("</VibroChannels>"), 0, channels);
    document.replace(document.find("<TachoChannels/>"), 16,
                     "<TachoChannels><TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"/>"
                     "<TachoChannel number=\"2\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"/></TachoChannels>");
    ASSERT_EQ(PutXml(document), S_OK) << error_;
  }

  Indexes Channel() { return {{true, 1 + Pick(2)}}; }
  Indexes Band() { return {{true, 1 + Pick(2)}, {false, Pick(2)}}; }

  HRESULT ChannelEdit() {
    const std::string channel = "VibroChannels\\VibroChannel\\";
    switch (Pick(8)) {
      case 0: return Set(channel + "trn_sens", Pick(3) ? Number(1, 30) : "0", Channel());
      case 1: return Set(channel + "Peak\\maxvalue", Number(-10, 500), Channel());
      case 2: return Set(channel + "Peak\\abs_level_region\\high_alarm_level", Number(0, 150), Channel());
      case 3: return Set(channel + "Absolute_bands\\band\\high_freq", Number(0, 5000), Band());
      case 4: return Set("VibroChannels\\wave_settings\\fmax", Pick(2) ? "8000" : Pick(2) ? "500" : "4000");
      case 5: return Create(channel + "Absolute_bands\\band\\", Band());
      case 6: return Delete(channel + "Absolute_bands\\band\\", Band());
      default: {
        BStr name(channel + "Linear\\");
        return Track(cvt_->ArrangeNodeData(name.get(), MakeIndexes(Channel()).get()));
      }
    }
  }

  // One random edit; returns its result.
  HRESULT RandomEdit() {
    if (Pick(3) == 0) return ChannelEdit();
    switch (Pick(10)) {
      case 0: return Set("Region_settings\\Hysteresis_percent", Number(-5, 120));
      case 1: return Set("Data_transfer_settings\\param_min_int", Number(0, 70000));
      case 2: return Set("Data_transfer_settings\\param_max_int", Number(0, 70000));
      case 3: return Set("Region_settings\\DelayUp_ms", Pick(4) == 0 ? "x" : Number(0, 4000000));
      case 4: return Create("Monitoring\\Element\\", Key(1 + Pick(5)));
      case 5: return Delete("Monitoring\\Element\\", At({Pick(4)}));
      case 6: {
        LONG offset = static_cast<LONG>(Pick(5)) - 2;
        return Move("Monitoring\\Element\\", At({Pick(4)}), offset);
      }
      case 7: return Set("TachoChannels\\TachoChannel\\maxvalue", Number(0, 70000), Key(1 + Pick(3)));
      case 8: return Set("TachoChannels\\TachoChannel\\start_stop_region\\stop_level", Number(0, 20000), Key(1 + Pick(3)));
      default: return Set("Header\\device_description", Pick(2) ? "Стенд " + Number(0, 9) : "");
    }
  }
};

TEST_F(RandomEdits, FailedEditsLeaveTheDocumentAsItWas) {
  LoadDefault();
  LoadChannels();
  int failures = 0;
  for (int step = 0; step < 600; ++step) {
    const std::string before = Xml();
    if (Pick(8) == 0) {
      // A bracket of a few edits: a failure anywhere restores the state before the bracket.
      ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
      bool failed = false;
      for (uint32_t k = 1 + Pick(4); k > 0 && !failed; --k) failed = FAILED(RandomEdit());
      if (failed) {
        EXPECT_EQ(Xml(), before) << "step " << step << ": " << error_;
        EXPECT_EQ(cvt_->EndUpdate(), S_OK);  // nothing was kept, nothing is checked
        ++failures;
        continue;
      }
      if (FAILED(Track(cvt_->EndUpdate()))) {
        EXPECT_EQ(Xml(), before) << "step " << step << ": " << error_;
        ++failures;
      }
      continue;
    }
    if (FAILED(RandomEdit())) {
      EXPECT_EQ(Xml(), before) << "step " << step << ": " << error_;
      ++failures;
    }
    if (HasFailure()) break;
  }
  EXPECT_GT(failures, 50);  // the sequence really exercised rollback
}

}  // namespace
}  // namespace vrk::test
