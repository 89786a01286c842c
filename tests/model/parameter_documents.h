// Test helpers for the editing of channel parameters: small documents with vibration channels, bands and the
// sections that refer to parameters, and compact readings of numbers and references through the converter.
#pragma once

#include <string>

#include "converter_fixture.h"

namespace vrk::test {

inline std::string Quoted(const std::string& name, const std::string& value) { return " " + name + "=\"" + value + "\""; }

// An overall value (Average, Peak, PeakPeak, WaveRMS, Crest) with number `number`.
inline std::string Overall(const std::string& name, int number, const std::string& maxvalue = "100") {
  return "<" + name + Quoted("number", std::to_string(number)) + Quoted("minvalue", "0") + Quoted("maxvalue", maxvalue) +
         "/>";
}
inline std::string AbsoluteBand(int number) {
  return "<band" + Quoted("number", std::to_string(number)) +
         " minvalue=\"0\" maxvalue=\"100\" low_freq=\"10\" high_freq=\"1000\"/>";
}
// A relative band on `shaft`, with a phase numbered `phase` when that is not 0.
inline std::string RelativeBand(int number, int shaft, const std::string& factor = "1", int phase = 0) {
  return "<band" + Quoted("number", std::to_string(number)) + " minvalue=\"0\" maxvalue=\"100\"" +
         Quoted("shaft", std::to_string(shaft)) + Quoted("factor", factor) +
         " ranges_type=\"2\" lower_bound=\"5\" upper_bound=\"5\">" +
         (phase ? "<phase" + Quoted("number", std::to_string(phase)) + "/>" : std::string()) + "</band>";
}
// `content` inside an element `name`.
inline std::string Section(const std::string& name, const std::string& content) {
  return "<" + name + ">" + content + "</" + name + ">";
}
inline std::string Absolute(const std::string& bands) { return "<Absolute_bands>" + bands + "</Absolute_bands>"; }
inline std::string Relative(const std::string& bands) { return "<Relative_bands>" + bands + "</Relative_bands>"; }

inline std::string Vibro(int number, const std::string& parameters, const std::string& trn_sens = "7") {
  return "<VibroChannel" + Quoted("number", std::to_string(number)) + " unit=\"102\"" + Quoted("trn_sens", trn_sens) +
         " trn_offset=\"0\"><param unit=\"102\"/>" + parameters + "</VibroChannel>";
}
inline std::string Tacho(int number) {
  return "<TachoChannel" + Quoted("number", std::to_string(number)) +
         " unit=\"202\" minvalue=\"0\" maxvalue=\"12500\"><start_stop_region start_level=\"1200\" stop_level=\"900\"/>"
         "</TachoChannel>";
}

inline std::string Tag(int channel, int parameter) {
  return "<Tag" + Quoted("ChannelNum", std::to_string(channel)) + Quoted("ParamNum", std::to_string(parameter)) + "/>";
}
inline std::string CurrentOutput(int number, int channel, int parameter) {
  return "<Output" + Quoted("Number", std::to_string(number)) + ">" + Tag(channel, parameter) + "</Output>";
}
inline std::string MonitoringElement(int number, const std::string& tags) {
  return "<Element" + Quoted("Number", std::to_string(number)) + ">" + tags + "</Element>";
}
// A diagnoses element whose one diagnose is described as "for <number>".
inline std::string DiagnosesElement(int number) {
  return "<Element" + Quoted("Number", std::to_string(number)) + "><Diagnose Number=\"1\"" +
         Quoted("Description", "for " + std::to_string(number)) + " Conclusion=\"c\"/></Element>";
}
inline std::string SlaveOutput(int number, int channel, int parameter) {
  return "<Output" + Quoted("Number", std::to_string(number)) + "><Tag" +
         Quoted("ChannelNum", std::to_string(channel)) + Quoted("ParamNum", std::to_string(parameter)) +
         " ParamMin=\"819\" ParamMax=\"4096\" ParamDef=\"65535\"/></Output>";
}
// A Modbus slave publishing `outputs`.
inline std::string Modbus(const std::string& outputs) {
  return "<Modbus used=\"1\" type=\"0\" DataValidityTime_s=\"5\" param_min_int=\"0\" param_max_int=\"65535\">"
         "<RS422 baudrate=\"57600\" databits=\"3\" stopbits=\"1\" parity=\"2\"/><Tables>"
         "<Table type=\"1\" address=\"0\" count=\"0\"/><Table type=\"2\" address=\"100\" count=\"0\"/>"
         "<Table type=\"3\" address=\"200\" count=\"0\"/><Table type=\"4\" address=\"300\" count=\"37\"/></Tables>"
         "<Slave_outputs>" + outputs + "</Slave_outputs></Modbus>";
}

// A valid version-7 document: `channels` in VibroChannels, `tachos` in TachoChannels, then `rest`.
inline std::string Document(const std::string& channels, const std::string& tachos = "", const std::string& rest = "") {
  return "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<VRK_Device>\n"
         "<VersionInfo version=\"7\"/>\n<Cfg CfgId=\"\" DeviceType=\"1\"/>\n"
         "<Header device_description=\"\" HW_version=\"0\" SW_version=\"0.0\" serial_number=\"\"/>\n"
         "<Data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>\n"
         "<Region_settings base_interval_s=\"60\" Hysteresis_percent=\"5\" DelayUp_ms=\"1000\" DelayDn_ms=\"5000\"/>\n"
         "<VibroChannels><wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/><spectrum_settings lines=\"1600\"/>" +
         channels + "</VibroChannels>\n<TachoChannels>" + tachos + "</TachoChannels>\n" + rest +
         "\n<Relay><WarningDelay On_ms=\"0\" Off_ms=\"0\"/><AlarmDelay On_ms=\"0\" Off_ms=\"0\"/></Relay>\n"
         "</VRK_Device>\n";
}

inline constexpr char kChannelPath[] = "VibroChannels\\VibroChannel\\";
inline constexpr char kAbsoluteBandPath[] = "VibroChannels\\VibroChannel\\Absolute_bands\\band\\";
inline constexpr char kRelativeBandPath[] = "VibroChannels\\VibroChannel\\Relative_bands\\band\\";

class ParameterEditTest : public ConverterTest {
 protected:

  // The parameters of vibration channel `channel` in visiting order, each as a letter and its number: A Average,
  // P Peak, PP PeakPeak, W WaveRMS, C Crest, a absolute band, r relative band, "/n" its phase.
  std::string Numbers(uint32_t channel) {
    std::string text;
    auto add = [&](const std::string& item) { text += (text.empty() ? "" : " ") + item; };
    const Indexes at = Key(channel);
    for (auto [name, letter] : {std::pair{"Average", "A"}, {"Peak", "P"}, {"PeakPeak", "PP"}, {"WaveRMS", "W"},
                                {"Crest", "C"}})
      if (Count(std::string(kChannelPath) + name + "\\", at) != 0)
        add(letter + Get(std::string(kChannelPath) + name + "\\number", at));
    for (uint32_t k = 0, n = Count(kAbsoluteBandPath, at); k < n; ++k)
      add("a" + Get(std::string(kAbsoluteBandPath) + "number", {{true, channel}, {false, k}}));
    for (uint32_t k = 0, n = Count(kRelativeBandPath, at); k < n; ++k) {
      const Indexes band = {{true, channel}, {false, k}};
      std::string item = "r" + Get(std::string(kRelativeBandPath) + "number", band);
      if (Count(std::string(kRelativeBandPath) + "phase\\", band) != 0)
        item += "/" + Get(std::string(kRelativeBandPath) + "phase\\number", band);
      add(item);
    }
    return text;
  }

  // The references in document order: "O<n>=c:p" current outputs, "M<n>=c:p,c:p" monitoring elements,
  // "D<n>" diagnoses elements, "S<n>=c:p" slave outputs.
  std::string References() {
    std::string text;
    auto add = [&](const std::string& item) { text += (text.empty() ? "" : " ") + item; };
    auto pair = [&](const std::string& tag, const Indexes& at) {
      return Get(tag + "ChannelNum", at) + ":" + Get(tag + "ParamNum", at);
    };
    for (uint32_t i = 0, n = Count("current-outputs\\Output\\"); i < n; ++i)
      add("O" + Get("current-outputs\\Output\\Number", At({i})) + "=" + pair("current-outputs\\Output\\Tag\\", At({i})));
    for (uint32_t i = 0, n = Count("Monitoring\\Element\\"); i < n; ++i) {
      std::string item = "M" + Get("Monitoring\\Element\\Number", At({i})) + "=";
      for (uint32_t j = 0, m = Count("Monitoring\\Element\\Tag\\", At({i})); j < m; ++j)
        item += (j ? "," : "") + pair("Monitoring\\Element\\Tag\\", At({i, j}));
      add(item);
    }
    for (uint32_t i = 0, n = Count("Diagnoses\\Element\\"); i < n; ++i)
      add("D" + Get("Diagnoses\\Element\\Number", At({i})));
    for (uint32_t i = 0, n = Count("Modbus\\Slave_outputs\\Output\\"); i < n; ++i)
      add("S" + Get("Modbus\\Slave_outputs\\Output\\Number", At({i})) + "=" +
          pair("Modbus\\Slave_outputs\\Output\\Tag\\", At({i})));
    return text;
  }

  HRESULT SetIdentical(LONG on) { return Track(cvt_->put_IdenticalVibroBands(on)); }
  HRESULT SetCompatible(LONG on) { return Track(cvt_->put_CompatibilityThrsSCADA21(on)); }
  LONG Compatible() {
    LONG value = -1;
    EXPECT_EQ(cvt_->get_CompatibilityThrsSCADA21(&value), S_OK);
    return value;
  }
  LONG Identical() {
    LONG value = -1;
    EXPECT_EQ(cvt_->get_IdenticalVibroBands(&value), S_OK);
    return value;
  }
};

}  // namespace vrk::test
