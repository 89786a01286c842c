// The numbers of the binary image in one place: tag identifiers, the header, record sizes, count offsets and the
// few codes the tag layer itself interprets. Readers, writers and records take them from here, never as literals.
#pragma once

#include <cstdint>

namespace vrk::bin {

// A tag identifier is four ASCII letters stored in reading order, compared as one little-endian 32-bit word.
constexpr uint32_t MakeTagId(const char (&letters)[5]) {
  return uint32_t(uint8_t(letters[0])) | uint32_t(uint8_t(letters[1])) << 8 | uint32_t(uint8_t(letters[2])) << 16 |
         uint32_t(uint8_t(letters[3])) << 24;
}

inline constexpr uint32_t kTagCONF = MakeTagId("CONF");
inline constexpr uint32_t kTagCFGH = MakeTagId("CFGH");
inline constexpr uint32_t kTagCFGB = MakeTagId("CFGB");
inline constexpr uint32_t kTagPBUS = MakeTagId("PBUS");
inline constexpr uint32_t kTagMBUS = MakeTagId("MBUS");
inline constexpr uint32_t kTagMCYC = MakeTagId("MCYC");
inline constexpr uint32_t kTagDATA = MakeTagId("DATA");
inline constexpr uint32_t kTagALNR = MakeTagId("ALNR");
inline constexpr uint32_t kTagLNRC = MakeTagId("LNRC");
inline constexpr uint32_t kTagASNS = MakeTagId("ASNS");
inline constexpr uint32_t kTagANLG = MakeTagId("ANLG");
inline constexpr uint32_t kTagACFG = MakeTagId("ACFG");
inline constexpr uint32_t kTagACHN = MakeTagId("ACHN");
inline constexpr uint32_t kTagPRMS = MakeTagId("PRMS");
inline constexpr uint32_t kTagDISC = MakeTagId("DISC");
inline constexpr uint32_t kTagCOUT = MakeTagId("COUT");
inline constexpr uint32_t kTagTHRS = MakeTagId("THRS");
inline constexpr uint32_t kTagRGPA = MakeTagId("RGPA");
inline constexpr uint32_t kTagCTAB = MakeTagId("CTAB");
inline constexpr uint32_t kTagMOUT = MakeTagId("MOUT");
inline constexpr uint32_t kTagMBMC = MakeTagId("MBMC");
inline constexpr uint32_t kTagMCMD = MakeTagId("MCMD");
inline constexpr uint32_t kTagTEST = MakeTagId("TEST");
inline constexpr uint32_t kTagTSTM = MakeTagId("TSTM");
inline constexpr uint32_t kTagRELE = MakeTagId("RELE");
inline constexpr uint32_t kTagDLWA = MakeTagId("DLWA");
inline constexpr uint32_t kTagMBIN = MakeTagId("MBIN");

// Tag header: identifier, content size (data plus children, header excluded), data size; three u32 words.
inline constexpr uint32_t kTagHeaderSize = 12;
inline constexpr uint32_t kHeaderIdOffset = 0;
inline constexpr uint32_t kHeaderContentSizeOffset = 4;
inline constexpr uint32_t kHeaderDataSizeOffset = 8;

// Record sizes in the image.
inline constexpr uint32_t kSizeROOTHEADERv1 = 1;
inline constexpr uint32_t kSizeROOTHEADER = 4;  // versions 2, 6, 7 and the version probe
inline constexpr uint32_t kSizeCONFIGHEADER = 26;
inline constexpr uint32_t kSizeCONFIGBODYv1 = 30;
inline constexpr uint32_t kSizeCONFIGBODYv2 = 30;
inline constexpr uint32_t kSizePROFIBUS = 14;
inline constexpr uint32_t kSizeMODBUS = 36;
inline constexpr uint32_t kSizeMODBUSCYCLE = 14;
inline constexpr uint32_t kSizeMODBUSCOMMAND = 10;
inline constexpr uint32_t kSizeLINEARHEADER = 2;
inline constexpr uint32_t kSizeLINEARCONFIG = 6;
inline constexpr uint32_t kSizeLINEARPOINT = 8;
inline constexpr uint32_t kSizeASENSHEAD = 2;
inline constexpr uint32_t kSizeSENSECONFIG = 10;
inline constexpr uint32_t kSizeANALOGHEADERv1 = 2;
inline constexpr uint32_t kSizeANALOGCONFIGv1 = 80;
inline constexpr uint32_t kSizeANALOGHEADERv2 = 2;
inline constexpr uint32_t kSizeACHANCONFIGv2 = 14;
inline constexpr uint32_t kSizeACHANCONFIGv7 = 16;
inline constexpr uint32_t kSizePARAMSTRUCTv2 = 14;  // the fixed part; the extension follows
inline constexpr uint32_t kSizeDISCRETHEADER = 2;
inline constexpr uint32_t kSizeDISCRETGONFIG = 24;
inline constexpr uint32_t kSizeCURRENTOUTHEADER = 2;
inline constexpr uint32_t kSizeCURRENTOUTCONFIG = 6;
inline constexpr uint32_t kSizeTRESHOLDHEADER = 2;
inline constexpr uint32_t kSizeTRESHOLDCONFIG = 46;
inline constexpr uint32_t kSizeRECOMENDATIONHEADER = 2;
inline constexpr uint32_t kSizeRECOMENDATIONCONFIG = 66;
inline constexpr uint32_t kSizeCODETABLE = 28;
inline constexpr uint32_t kSizeMODBUSOUTHEADER = 2;
inline constexpr uint32_t kSizeMODBUSOUTCONFIG = 6;
inline constexpr uint32_t kSizeMODBUSOUTCONFIGv3 = 12;
inline constexpr uint32_t kSizeMODBUSCYCLEHEADER = 2;
inline constexpr uint32_t kSizeMODBUSCOMMANDv3 = 12;
inline constexpr uint32_t kSizeTESTHEADER = 8;
inline constexpr uint32_t kSizeTSTMHEADER = 2;
inline constexpr uint32_t kSizeTSTMOUTCONFIG = 4;
inline constexpr uint32_t kSizeDELAY = 4;
inline constexpr uint32_t kSizeMODBUSINPUTHEADER = 2;
inline constexpr uint32_t kSizeMODBUSINPUTCONFIGv6 = 14;

// Shortest records accepted on reading where older devices wrote a shorter layout; the missing tail keeps
// the record's default.
inline constexpr uint32_t kMinSizeDISCRETGONFIG = 20;
inline constexpr uint32_t kMinSizeANALOGCONFIGv1 = 56;

// u16 count fields inside a parent's record.
inline constexpr uint32_t kCountOffsetHeader = 0;  // every xxxHEADER/xxxHEAD record and ANALOGHEADERv2
inline constexpr uint32_t kCountOffsetLINEARCONFIG = 4;
inline constexpr uint32_t kCountOffsetMODBUSCYCLE = 12;
inline constexpr uint32_t kCountOffsetACHANCONFIG = 12;

// The configuration CRC sits in the first "CFGH" record.
inline constexpr uint32_t kConfigCrcOffset = 22;

// PARAMSTRUCTv2: the parameter code and the extension length inside the fixed part.
inline constexpr uint32_t kParamCodeOffset = 0;
inline constexpr uint32_t kParamExtensionLengthOffset = 12;

// The extension that follows a PARAMSTRUCTv2 is sized by its parameter code; the stored length is not trusted.
constexpr uint16_t ParamExtensionLength(uint16_t code) {
  switch (code) {
    case 5: case 7: case 8: case 10: return 6;
    case 6: case 9: case 11: return 8;
    default: return 0;
  }
}

// ANALOGCONFIGv1: bytes skipped by the CRC, and the twelve u16 words at the end that default to 3.
inline constexpr uint32_t kAnalogV1CrcSkipBegin = 4;
inline constexpr uint32_t kAnalogV1CrcSkipEnd = 12;
inline constexpr uint32_t kAnalogV1WordsOffset = 56;
inline constexpr uint32_t kAnalogV1WordCount = 12;
inline constexpr uint16_t kAnalogV1WordDefault = 3;

// Version words of the root record.
inline constexpr uint32_t kVersionWordV1Tree = 0;
inline constexpr uint32_t kVersionWordV2 = 1;
inline constexpr uint32_t kVersionWordV6 = 6;
inline constexpr uint32_t kVersionWordV7 = 7;

}  // namespace vrk::bin
