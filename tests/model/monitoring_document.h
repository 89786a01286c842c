// A small version-7 document shared by the edit tests, early- and late-bound.
#pragma once

namespace vrk::test {

// A small version-7 document with three monitoring elements and one tachometer channel.
inline constexpr char kMonitoringDocument[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
    "<VRK_Device>\n"
    "\t<VersionInfo version=\"7\"/>\n"
    "\t<Cfg CfgId=\"\" DeviceType=\"1\"/>\n"
    "\t<Header device_description=\"Стенд\" HW_version=\"0\" SW_version=\"0.0\" serial_number=\"\"/>\n"
    "\t<Data_transfer_settings param_min_int=\"0\" param_max_int=\"65000\"/>\n"
    "\t<VibroChannels>\n"
    "\t\t<wave_settings samples=\"8192\" fmax=\"4000\" fmin=\"0\"/>\n"
    "\t</VibroChannels>\n"
    "\t<TachoChannels>\n"
    "\t\t<TachoChannel number=\"1\" unit=\"202\" minvalue=\"0\" maxvalue=\"12500\">\n"
    "\t\t\t<start_stop_region start_level=\"1200\" stop_level=\"900\"/>\n"
    "\t\t</TachoChannel>\n"
    "\t</TachoChannels>\n"
    "\t<Monitoring>\n"
    "\t\t<Element Number=\"1\"/>\n"
    "\t\t<Element Number=\"2\"/>\n"
    "\t\t<Element Number=\"3\"/>\n"
    "\t</Monitoring>\n"
    "</VRK_Device>\n";

}  // namespace vrk::test
