// Names under which the server's classes are registered.
#pragma once

namespace vrk {

inline constexpr char kConverterProgId[] = "VRK5420CfgConverter.VRK5420CfgConvert.1";
inline constexpr char kConverterIndependentProgId[] = "VRK5420CfgConverter.VRK5420CfgConverter";
inline constexpr char kConverterDescription[] = "VRK5420CfgConverter Class";
inline constexpr char kIndexesProgId[] = "VRK5420CfgConverter.VRK5420CfgConValu.1";
inline constexpr char kIndexesIndependentProgId[] = "VRK5420CfgConverter.VRK5420CfgConValueI";
inline constexpr char kIndexesDescription[] = "VRK5420CfgConValueIndexes Class";

}  // namespace vrk
