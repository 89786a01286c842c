#include "bench/config_generator.h"

#include <algorithm>

namespace vrk::bench {
namespace {

// The parameters of one vibration channel, numbered 1 ... kParameters in visiting order: the five overall
// values, the absolute bands, and the relative bands each followed by its phase.
constexpr int kAbsoluteBands = 8;
constexpr int kRelativeBands = 4;
constexpr int kFirstRelative = 6 + kAbsoluteBands;
constexpr int kParameters = 5 + kAbsoluteBands + 2 * kRelativeBands;

// `total` scaled to `channels` of 16, at least 1.
int Scaled(int total, int channels) {
  return std::max(1, (total * channels + kMaxVibroChannels - 1) / kMaxVibroChannels);
}

class Writer {
 public:
  // Opens a line at `depth` tabs.
  Writer& Line(int depth) {
    text_.append(static_cast<std::size_t>(depth), '\t');
    return *this;
  }
  Writer& Text(const std::string& s) {
    text_ += s;
    return *this;
  }
  Writer& Attr(const char* name, const std::string& value) {
    text_ += ' ';
    text_ += name;
    text_ += "=\"";
    text_ += value;
    text_ += '"';
    return *this;
  }
  Writer& Attr(const char* name, long long value) { return Attr(name, std::to_string(value)); }
  Writer& End() {
    text_ += '\n';
    return *this;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

void Overall(Writer& w, const char* name, int number, bool low_levels) {
  w.Line(3).Text("<").Text(name).Attr("number", number).Attr("minvalue", "0").Attr("maxvalue", "100").Text(">").End();
  w.Line(4).Text("<abs_level_region").Attr("low_inoperative_level", "2");
  if (low_levels) w.Attr("low_alarm_level", "5").Attr("low_warning_level", "10");
  w.Attr("high_warning_level", "40").Attr("high_alarm_level", "60").Attr("high_inoperative_level", "90");
  w.Attr("relay", "1").Text("/>").End();
  w.Line(3).Text("</").Text(name).Text(">").End();
}

void VibroChannel(Writer& w, int number) {
  w.Line(2).Text("<VibroChannel").Attr("number", number).Attr("unit", "102").Attr("trn_sens", "5.5");
  w.Attr("trn_offset", "0.5").Attr("hpf", "0").Text(">").End();
  w.Line(3).Text("<Linear type=\"0\">").End();
  for (int v : {-2000, -1000, 0, 1000, 2000})
    w.Line(4).Text("<Point").Attr("volt", v).Attr("value", v / 10).Text("/>").End();
  w.Line(3).Text("</Linear>").End();
  w.Line(3).Text("<param unit=\"103\" average_time_s=\"2.5\" sp_window=\"3\"/>").End();
  Overall(w, "Average", 1, true);
  Overall(w, "Peak", 2, false);
  Overall(w, "PeakPeak", 3, false);
  Overall(w, "WaveRMS", 4, false);
  Overall(w, "Crest", 5, false);
  w.Line(3).Text("<Absolute_bands>").End();
  for (int k = 0; k < kAbsoluteBands; ++k) {
    w.Line(4).Text("<band").Attr("number", 6 + k).Attr("value_type", 1 + k % 3).Attr("low_freq", 10 + 100 * k);
    w.Attr("high_freq", 100 + 100 * k).Attr("minvalue", "0").Attr("maxvalue", "100").Text(">").End();
    w.Line(5).Text("<abs_level_region high_warning_level=\"40\" high_alarm_level=\"60\"");
    w.Text(" high_inoperative_level=\"90\" low_inoperative_level=\"1\" relay=\"0\"/>").End();
    if (k == 0) {
      w.Line(5).Text("<cutting_rel_bands><cutting_band").Attr("number", kFirstRelative);
      w.Text("/></cutting_rel_bands>").End();
    }
    w.Line(4).Text("</band>").End();
  }
  w.Line(3).Text("</Absolute_bands>").End();
  w.Line(3).Text("<Relative_bands>").End();
  for (int k = 0; k < kRelativeBands; ++k) {
    w.Line(4).Text("<band").Attr("number", kFirstRelative + 2 * k).Attr("value_type", 1 + k % 2).Attr("shaft", 1);
    w.Attr("factor", 1 + k).Attr("ranges_type", "2").Attr("lower_bound", "5").Attr("upper_bound", "5");
    w.Attr("minvalue", "0").Attr("maxvalue", "50").Text(">").End();
    w.Line(5).Text("<abs_level_region high_warning_level=\"20\" high_alarm_level=\"30\" relay=\"1\"/>").End();
    w.Line(5).Text("<phase").Attr("number", kFirstRelative + 1 + 2 * k).Text("/>").End();
    w.Line(4).Text("</band>").End();
  }
  w.Line(3).Text("</Relative_bands>").End();
  w.Line(2).Text("</VibroChannel>").End();
}

void TachoChannel(Writer& w, int number) {
  w.Line(2).Text("<TachoChannel").Attr("number", number).Attr("unit", "202").Attr("minvalue", "0");
  w.Attr("maxvalue", "13000").Attr("trn_sens", "2").Attr("reductor_coeff", "1.5").Text(">").End();
  w.Line(3).Text("<abs_level_region high_warning_level=\"6000\" high_alarm_level=\"6500\" relay=\"1\"/>").End();
  w.Line(3).Text("<start_stop_region start_level=\"1300\" stop_level=\"650\"/>").End();
  w.Line(2).Text("</TachoChannel>").End();
}

// A reference to parameter `k` (counting from 0) over all channels and parameters, as ChannelNum and ParamNum.
void Tag(Writer& w, const ConfigurationShape& shape, int k) {
  w.Attr("ChannelNum", 1 + k % shape.vibro_channels).Attr("ParamNum", (k / shape.vibro_channels) % kParameters);
}

void Monitoring(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<Monitoring>").End();
  for (int k = 0; k < shape.monitoring; ++k) {
    w.Line(2).Text("<Element").Attr("Number", k + 1).Text(">").End();
    w.Line(3).Text("<Tag");
    Tag(w, shape, k);
    w.Text("/>").End();
    w.Line(3).Text("<Tag").Attr("ChannelNum", 50 + k % shape.tacho_channels).Attr("ParamNum", 0).Text("/>").End();
    w.Line(2).Text("</Element>").End();
  }
  w.Line(1).Text("</Monitoring>").End();
}

void CurrentOutputs(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<current-outputs>").End();
  for (int k = 0; k < shape.current_outputs; ++k) {
    w.Line(2).Text("<Output").Attr("Number", k + 1).Text("><Tag");
    Tag(w, shape, k);
    w.Text("/></Output>").End();
  }
  w.Line(1).Text("</current-outputs>").End();
}

void Modbus(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<Modbus used=\"1\" type=\"1\" DataValidityTime_s=\"5\"");
  w.Text(" param_min_int=\"100\" param_max_int=\"60000\">");
  w.End().Line(2).Text("<RS422 baudrate=\"38400\" databits=\"3\" stopbits=\"2\" parity=\"1\"/>").End();
  w.Line(2).Text("<Slave_outputs>").End();
  for (int k = 0; k < shape.slave_outputs; ++k) {
    w.Line(3).Text("<Output").Attr("Number", k + 1).Text(">").End();
    w.Line(4).Text("<Tag");
    Tag(w, shape, k);
    w.Text(" ParamMin=\"1000\" ParamMax=\"51000\" ParamDef=\"65535\"/>").End();
    w.Line(3).Text("</Output>").End();
  }
  w.Line(2).Text("</Slave_outputs>").End();
  w.Line(2).Text("<Tables>").End();
  w.Line(3).Text("<Table type=\"1\" count=\"10\" address=\"100\"/>").End();
  w.Line(3).Text("<Table type=\"2\" count=\"20\" address=\"200\"/>").End();
  w.Line(3).Text("<Table type=\"3\" count=\"5\" address=\"300\"/>").End();
  w.Line(3).Text("<Table type=\"4\" count=\"37\" address=\"400\"/>").End();
  w.Line(2).Text("</Tables>").End();
  w.Line(2).Text("<ExchangeCycle>").End();
  for (int c = 0; c < shape.cycles; ++c) {
    w.Line(3).Text("<Cycle").Attr("Number", c + 1).Attr("CycleTime", 15000 + 1000 * c).Attr("SlaveTimeOut", 1000);
    w.Attr("MasterMinDelay", 600).Text(">").End();
    w.Line(4).Text("<Commands>").End();
    for (int k = 0; k < shape.commands; ++k) {
      w.Line(5).Text("<Command").Attr("Number", k + 1).Attr("Function", k % 2 ? 16 : 3).Attr("SlaveAddress", 1 + k);
      w.Attr("AddressIn", 4 * k).Attr("AddressEx", 100 + 4 * k).Attr("Count", 2).Text("/>").End();
    }
    w.Line(4).Text("</Commands>").End();
    w.Line(3).Text("</Cycle>").End();
  }
  w.Line(2).Text("</ExchangeCycle>").End();
  w.Line(1).Text("</Modbus>").End();
}

void TestMode(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<Test used=\"1\" TG0=\"1\" TG1=\"2\" TG2=\"0\" TGE0=\"0\" TGE1=\"2\" TGE2=\"1\" Relay1=\"2\"");
  w.Text(" Relay2=\"1\" Relay3=\"0\" Relay4=\"2\">").End();
  w.Line(2).Text("<Parameters>").End();
  for (int k = 0; k < shape.test_parameters; ++k)
    w.Line(3).Text("<Parameter").Attr("Number", k + 1).Attr("OutputNumber", k + 1).Attr("Value", "50").Text("/>").End();
  w.Line(2).Text("</Parameters>").End();
  w.Line(1).Text("</Test>").End();
}

void Readiness(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<Readiness used=\"1\">").End();
  for (int k = 0; k < shape.diagnoses; ++k) {
    w.Line(2).Text("<Diagnose").Attr("Number", k + 1).Attr("ParamNumber", 1 + k % 9);
    w.Attr("low_inoperative_level", "100").Attr("high_inoperative_level", "4000").Text("/>").End();
  }
  w.Line(1).Text("</Readiness>").End();
}

void ModbusInputs(Writer& w, const ConfigurationShape& shape) {
  w.Line(1).Text("<modbus-inputs>").End();
  for (int k = 0; k < shape.modbus_inputs; ++k) {
    w.Line(2).Text("<Input").Attr("Number", k + 1).Attr("MinPhisValue", "-50").Attr("MaxPhisValue", "50");
    w.Attr("MinInputValue", "0").Attr("MaxInputValue", "4095").Text(">").End();
    w.Line(3).Text("<abs_level_region high_warning_level=\"30\" low_warning_level=\"-30\" relay=\"0\"/>").End();
    w.Line(2).Text("</Input>").End();
  }
  w.Line(1).Text("</modbus-inputs>").End();
}

}  // namespace

ConfigurationShape ShapeFor(int vibro_channels) {
  const int n = std::clamp(vibro_channels, kMinVibroChannels, kMaxVibroChannels);
  ConfigurationShape shape;
  shape.vibro_channels = n;
  shape.tacho_channels = Scaled(6, n);
  shape.slave_outputs = Scaled(100, n);
  shape.cycles = Scaled(4, n);
  shape.commands = Scaled(32, n);
  shape.monitoring = Scaled(16, n);  // the image has sixteen monitoring slots
  shape.current_outputs = std::min(n, 2);  // the device has two current outputs
  shape.diagnoses = n;
  shape.test_parameters = n;
  shape.modbus_inputs = n;
  return shape;
}

std::string GenerateConfiguration(const ConfigurationShape& shape) {
  Writer w;
  w.Text("<?xml version=\"1.0\" encoding=\"windows-1251\"?>").End();
  w.Text("<VRK_Device>").End();
  w.Line(1).Text("<VersionInfo version=\"7\"/>").End();
  w.Line(1).Text("<Cfg CfgId=\"0123abcd-4567-89ef-0123-456789abcdef\" DeviceType=\"1\"/>").End();
  w.Line(1).Text("<Header device_description=\"BNCH\" HW_version=\"2\" SW_version=\"3.12\" serial_number=\"0016\"/>");
  w.End().Line(1).Text("<Data_transfer_settings param_min_int=\"1000\" param_max_int=\"64000\"/>").End();
  w.Line(1).Text("<Region_settings base_interval_s=\"60\" Hysteresis_percent=\"10\" DelayUp_ms=\"600\"");
  w.Text(" DelayDn_ms=\"2000\"/>").End();
  w.Line(1).Text("<VibroChannels>").End();
  w.Line(2).Text("<wave_settings samples=\"16384\" fmax=\"4000\" fmin=\"0\"/>").End();
  w.Line(2).Text("<spectrum_settings lines=\"1600\"/>").End();
  for (int c = 1; c <= shape.vibro_channels; ++c) VibroChannel(w, c);
  w.Line(1).Text("</VibroChannels>").End();
  w.Line(1).Text("<TachoChannels>").End();
  for (int c = 1; c <= shape.tacho_channels; ++c) TachoChannel(w, c);
  w.Line(1).Text("</TachoChannels>").End();
  Monitoring(w, shape);
  CurrentOutputs(w, shape);
  Modbus(w, shape);
  w.Line(1).Text("<BlackBox decimation_coeff=\"3\"/>").End();
  w.Line(1).Text("<Diagnoses/>").End();
  TestMode(w, shape);
  w.Line(1).Text("<Relay><WarningDelay On_ms=\"400\" Off_ms=\"0\"/>");
  w.Text("<AlarmDelay On_ms=\"1000\" Off_ms=\"200\"/></Relay>");
  w.End();
  Readiness(w, shape);
  ModbusInputs(w, shape);
  w.Text("</VRK_Device>").End();
  return w.Take();
}

}  // namespace vrk::bench
