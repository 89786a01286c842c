// The flat sections every configuration version shares: version, common properties, header, transfer and
// region settings, black box.
#pragma once

#include "schema/compared_attribute.h"

namespace vrk {

class CVersionInfo : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(Cversion, CNodeAttrInfoXML, "version", true, ValueRange::Integer(kTypeUnsigned16, 1, 7));
  CVersionInfo() : CNodeTagInfoXML("VersionInfo", true, false) { AddAttributes({&version}); }
  Cversion version;
};

class CCfg : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(CCfgId, CNodeAttrInfoXML, "CfgId", true, ValueRange::Unlimited(kTypeText));
  VRK_ATTRIBUTE(CDeviceType, CNodeAttrInfoXML, "DeviceType", true, ValueRange::Integer(kTypeUnsigned16, 0, 255));
  CCfg() : CNodeTagInfoXML("Cfg", true, false) { AddAttributes({&CfgId, &DeviceType}); }
  CCfgId CfgId;
  CDeviceType DeviceType;
};

class CHeader : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(Cprofibus_address, CNodeAttrInfoXML, "profibus_address", false,
                ValueRange::Integer(kTypeUnsigned16, 1, 126));
  VRK_ATTRIBUTE(Cdevice_description, CNodeAttrInfoXML, "device_description", true, ValueRange::Unlimited(kTypeText));
  VRK_ATTRIBUTE(CHW_version, CNodeAttrInfoXML, "HW_version", true, ValueRange::Unlimited(kTypeText));
  VRK_ATTRIBUTE(CSW_version, CNodeAttrInfoXML, "SW_version", true, ValueRange::Unlimited(kTypeText));
  VRK_ATTRIBUTE(Cserial_number, CNodeAttrInfoXML, "serial_number", true, ValueRange::Unlimited(kTypeText));
  VRK_ATTRIBUTE(Cbaudrate, CNodeAttrInfoXML, "baudrate", false,
                ValueRange::Dictionary(kTypeUnsigned32, "93750\n115200\n128000\n187500\n500000"));
  CHeader() : CNodeTagInfoXML("Header", true, false) {
    AddAttributes({&profibus_address, &device_description, &HW_version, &SW_version, &serial_number, &baudrate});
  }
  Cprofibus_address profibus_address;
  Cdevice_description device_description;
  CHW_version HW_version;
  CSW_version SW_version;
  Cserial_number serial_number;
  Cbaudrate baudrate;
};

class CData_transfer_settings : public CNodeTagInfoXML {
 public:
  // The minimum must stay below the maximum.
  CData_transfer_settings() : CNodeTagInfoXML("Data_transfer_settings", true, false) {
    AddAttributes({&param_min_int, &param_max_int});
    CompareAsBounds(param_min_int, param_max_int);
  }
  CComparedAttrInfoXML param_min_int{"param_min_int", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535)};
  CComparedAttrInfoXML param_max_int{"param_max_int", true, ValueRange::Integer(kTypeUnsigned16, 0, 65535)};
};

class CRegion_settings : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(Cbase_interval_s, CNodeAttrInfoXML, "base_interval_s", true,
                ValueRange::Integer(kTypeUnsigned16, 0, 36000));
  VRK_ATTRIBUTE(CHysteresis_percent, CNodeAttrInfoXML, "Hysteresis_percent", true,
                ValueRange::Integer(kTypeUnsigned16, 0, 90));
  VRK_ATTRIBUTE(CDelayUp_ms, CNodeAttrInfoXML, "DelayUp_ms", true, ValueRange::Integer(kTypeUnsigned32, 100, 3600000));
  VRK_ATTRIBUTE(CDelayDn_ms, CNodeAttrInfoXML, "DelayDn_ms", true, ValueRange::Integer(kTypeUnsigned32, 100, 3600000));
  CRegion_settings() : CNodeTagInfoXML("Region_settings", false, false) {
    AddAttributes({&base_interval_s, &Hysteresis_percent, &DelayUp_ms, &DelayDn_ms});
  }
  Cbase_interval_s base_interval_s;
  CHysteresis_percent Hysteresis_percent;
  CDelayUp_ms DelayUp_ms;
  CDelayDn_ms DelayDn_ms;
};

class CBlackBox : public CNodeTagInfoXML {
 public:
  VRK_ATTRIBUTE(Cdecimation_coeff, CNodeAttrInfoXML, "decimation_coeff", false,
                ValueRange::Integer(kTypeUnsigned16, 0, 10000));
  CBlackBox() : CNodeTagInfoXML("BlackBox", false, false) { AddAttributes({&decimation_coeff}); }
  Cdecimation_coeff decimation_coeff;
};

}  // namespace vrk
