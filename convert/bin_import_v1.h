// The importer of version-1 images.
#pragma once

#include "bin/tag_tree_v1.h"
#include "schema/device_v1.h"

namespace vrk {

// Fills `root` (on a copy of the default configuration) from a read version-1 tree: the header, Modbus, the slave and
// current outputs, monitoring, tachometer channels, and the vibration channels of "ANLG" with their linearisation and
// the levels of Average, PeakPeak and Overall_RMS. The 56 settings bytes of an "ANLG" record are read as: 0 u16 channel
// number - 1 | 2 u16 unit code | 4 f32 trn_sens | 8 f32 trn_offset (the calibration, outside the CRC) | 12 u16
// sp_window - 1 | 14 f32 param minvalue | 18 f32 param maxvalue | 22 f32 average_time_s | 26 u16 Overall_RMS low_freq |
// 28 u16 Overall_RMS high_freq | 30..55 unused; the twelve words after them are not read. The configuration body's 30
// bytes carry nothing the document keeps. Throws CConvException with the schema's messages and kMsgTagDataUnreadable
// naming "THRS" for thresholds that no document writes.
void ImportVersion1Image(CNodeTag_VRK_DeviceV1& root, const bin::CTagBIN_CONFv1& tree);

// The fields of the settings bytes of an "ANLG" record, with the values a new channel has.
struct AnalogSettingsV1 {
  uint16_t channel = 0;
  uint16_t unit = 102;
  float trn_sens = 7;
  float trn_offset = 0;
  uint16_t sp_window = 1;
  float minvalue = 0;
  float maxvalue = 100;
  float average_time_s = 1;
  uint16_t low_freq = 10;
  uint16_t high_freq = 1000;
};
AnalogSettingsV1 DecodeAnalogSettingsV1(const bin::ANALOGCONFIGv1& record);
// Writes `settings` into the settings bytes of `record`, as DecodeAnalogSettingsV1 reads them.
void EncodeAnalogSettingsV1(const AnalogSettingsV1& settings, bin::ANALOGCONFIGv1& record);

}  // namespace vrk
