// Documents of every configuration version, built from the schema each version has: a minimal one (only what
// is mandatory) and a full one (tachometer, two vibration channels with measured values, bands and a phase,
// references from monitoring and outputs, and the values the load passes normalise: a tachometer in revolutions
// per second and Profibus settings in the header).
#pragma once

#include <cstdint>
#include <string>

namespace vrk::test {

enum class DocumentSize { kMinimal, kFull };

inline std::string VibroChannelOf(uint16_t version, uint32_t number, const char* unit, bool full) {
  const std::string n = std::to_string(number);
  std::string text = "<VibroChannel number=\"" + n + "\" unit=\"" + unit + "\" trn_sens=\"7\">";
  if (version == 1) {
    text += "<param minvalue=\"0\" maxvalue=\"100\" sp_window=\"2\"/>";
    if (full)
      text +=
          "<Average><abs_level_region high_warning_level=\"50\" high_alarm_level=\"80\"/></Average><PeakPeak/>"
          "<Overall_RMS low_freq=\"10\" high_freq=\"1000\"/>"
          "<Absolute_bands><band number=\"1\" low_freq=\"20\" high_freq=\"500\">"
          "<cutting_rel_bands><cutting_band number=\"2\"/></cutting_rel_bands></band></Absolute_bands>"
          "<Relative_bands><band number=\"2\" shaft=\"1\" factor=\"1.0\" ranges_type=\"2\" lower_bound=\"5\" "
          "upper_bound=\"5\"><phase><abs_level_region high_warning_level=\"10\"/></phase></band></Relative_bands>";
  } else {
    text += std::string("<param unit=\"") + unit + "\" sp_window=\"2\"/>";
    if (full)
      text +=
          "<Average number=\"1\" minvalue=\"0\" maxvalue=\"100\"><abs_level_region high_warning_level=\"50\" "
          "high_alarm_level=\"80\"/></Average><PeakPeak number=\"2\" minvalue=\"0\" maxvalue=\"100\"/>"
          "<Absolute_bands><band number=\"3\" minvalue=\"0\" maxvalue=\"100\" low_freq=\"20\" high_freq=\"500\"/>"
          "</Absolute_bands><Relative_bands><band number=\"4\" minvalue=\"0\" maxvalue=\"100\" shaft=\"1\" "
          "factor=\"1\" ranges_type=\"2\" lower_bound=\"5\" upper_bound=\"5\"><phase number=\"5\"/></band>"
          "</Relative_bands>";
  }
  return text + "</VibroChannel>";
}

// The document of `version` (1, 2, 3, 6 or 7).
inline std::string OlderDocument(uint16_t version, DocumentSize size) {
  const bool full = size == DocumentSize::kFull;
  const std::string v = std::to_string(version);
  std::string text = "<?xml version=\"1.0\"?><VRK-Device><VersionInfo version=\"" + v +
                     "\"/><Cfg CfgId=\"\" DeviceType=\"1\"/>";
  text += std::string("<Header device_description=\"ABCD\" HW_version=\"2\" SW_version=\"3.12\" serial_number=\"1234\"") +
          (full ? " profibus_address=\"5\" baudrate=\"9600\"" : "") + "/>";
  text +=
      "<data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>"
      "<region_settings base_interval_s=\"60\" Hysteresis_percent=\"5\" DelayUp_ms=\"1000\" DelayDn_ms=\"5000\"/>"
      "<VibroChannels><wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/><spectrum_settings lines=\"1600\"/>";
  if (full) text += VibroChannelOf(version, 1, "102", true) + VibroChannelOf(version, 2, "103", false);
  text += "</VibroChannels><TachoChannels>";
  if (full)
    text +=
        "<TachoChannel number=\"1\" unit=\"201\" minvalue=\"10\" maxvalue=\"100\"><start_stop_region "
        "start_level=\"20\" stop_level=\"15\"/></TachoChannel>";
  text += "</TachoChannels><Monitoring>";
  // Version-1 references count Average, PeakPeak and Overall_RMS from 0, then absolute and relative bands.
  if (full)
    text += std::string("<Element Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"") + (version == 1 ? "20" : "3") +
            "\"/></Element>";
  text += "</Monitoring><current-outputs>";
  if (full) text += "<Output Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"1\"/></Output>";
  text +=
      "</current-outputs><Modbus used=\"0\" type=\"0\" DataValidityTime_s=\"1\" param_min_int=\"3000\" "
      "param_max_int=\"28000\"><RS422 baudrate=\"19200\" databits=\"4\" stopbits=\"0\" parity=\"0\"/><Slave_outputs>";
  if (full)
    text += std::string("<Output Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"0\"") +
            (version >= 3 ? " ParamMin=\"100\" ParamMax=\"200\" ParamDef=\"300\"" : "") + "/></Output>";
  text +=
      "</Slave_outputs><Tables><Table type=\"1\" count=\"0\" address=\"0\"/><Table type=\"2\" count=\"0\" "
      "address=\"0\"/><Table type=\"3\" count=\"0\" address=\"0\"/><Table type=\"4\" count=\"37\" address=\"0\"/>"
      "</Tables>";
  if (version >= 3) text += "<ExchangeCycle/>";
  text += "</Modbus><BlackBox decimation_coeff=\"0\"/><Diagnoses/>";
  if (version >= 3) {
    text +=
        "<Test used=\"0\" TG0=\"0\" TG1=\"0\" TG2=\"0\" TGE0=\"0\" TGE1=\"0\" TGE2=\"2\" Relay1=\"0\" Relay2=\"1\" "
        "Relay3=\"2\" Relay4=\"2\"/><Relay><WarningDelay On_ms=\"0\" Off_ms=\"0\"/>";
    if (full) text += "<AlarmDelay On_ms=\"0\" Off_ms=\"0\"/>";
    text += "</Relay><Readiness used=\"0\"/>";
  }
  if (version >= 6) text += "<modbus-inputs/>";
  return text + "</VRK-Device>";
}

// `document` with the first occurrence of `from` replaced by `to`; unchanged when `from` does not occur.
inline std::string Replaced(std::string document, const std::string& from, const std::string& to) {
  const std::size_t at = document.find(from);
  if (at != std::string::npos) document.replace(at, from.size(), to);
  return document;
}

}  // namespace vrk::test
