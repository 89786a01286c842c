#include "convert/bin_import_sections.h"

#include <string>
#include <string_view>

#include "convert/record_codes.h"
#include "convert/threshold_import.h"
#include "platform/utf.h"
#include "schema/attribute_values.h"
#include "schema/channel_references.h"
#include "schema/device_constants.h"
#include "schema/device_root.h"

namespace vrk {

bin::CODETABLE CodeTableOf(const bin::CTagBIN_CTAB& ctab) {
  return ctab.IsPresent() ? ctab.Record() : bin::ConstantCodeTable();
}

void ReadConfigHeader(CNodeTag_VRK_Device& root, const bin::CONFIGHEADER& record) {
  auto& header = root.Header;
  const std::u16string text = Utf8ToUtf16(Latin1ToUtf8(
      std::string_view(reinterpret_cast<const char*>(record.description.data()), record.description.size())));
  if (text.size() >= bin::kHeaderFieldLength) {
    header.device_description.SetValue(Utf16ToUtf8(text.substr(0, bin::kHeaderFieldLength)), {}, false);
    header.serial_number.SetValue(Utf16ToUtf8(text.substr(text.size() - bin::kHeaderFieldLength)), {}, false);
  }
  WriteInteger(header.HW_version, record.hwVersion, {});
  header.SW_version.SetValue(std::to_string(record.swVersionMajor) + "." + std::to_string(record.swVersionMinor),
                             {}, false);
}

void ReadTachoChannels(CNodeTag_VRK_Device& root, const bin::CTagBIN_DISC& disc, CThresholdReader& thresholds,
                       LevelScale scale) {
  auto& tacho = root.TachoChannels.TachoChannel;
  for (const bin::DISCRETGONFIG& record : RecordsOf(disc.List())) {
    const uint32_t n = record.number + 1u;
    const dom::Node at = Occurrence(tacho, {{true, n}});
    const double factor = TachoSpeedFactor(record.unitCode);
    WriteIntegerOn(tacho.number, n, at);
    WriteIntegerOn(tacho.unit, kTachoUnitPerMinute, at);
    WriteRealOn(tacho.minvalue, record.minValue * factor, 3, at);
    WriteRealOn(tacho.maxvalue, record.maxValue * factor, 3, at);
    WriteIntegerOn(tacho.trn_sens, record.trnSens, at);
    WriteRealOn(tacho.reductor_coeff, record.reductorCoeff, 4, at);
    const PhysicalRange range{ReadRealOn(tacho.minvalue, at), ReadRealOn(tacho.maxvalue, at)};
    const dom::Node start_stop = ChildOccurrence(tacho.start_stop_region, at);
    WriteRealOn(tacho.start_stop_region.start_level, DecodeLevel(record.startLevel, range, scale), 0, start_stop);
    WriteRealOn(tacho.start_stop_region.stop_level, DecodeLevel(record.stopLevel, range, scale), 0, start_stop);
    thresholds.ReadRegion(tacho, at, ChannelCodeOf(kTachoChannelCodeBase + n), 0, range, scale);
  }
}

}  // namespace vrk
