// CTagBIN_CONF: the root tag "CONF" of an image. Its record is the root header with the version word; its two
// children are the configuration header "CFGH" and the configuration body "CFGB", and it keeps the configuration
// CRC: on writing "CFGH" comes first and holds the CRC of the "CFGB" tag that follows it; on reading the CRC is
// checked the way the image's version computed it.
#pragma once

#include <cstdint>
#include <functional>

#include "bin/data_tag_bin.h"
#include "bin/records_v1.h"
#include "bin/tag_format.h"

namespace vrk::bin {

// How a version checks the configuration CRC on reading.
enum class ConfigCrcCheck {
  // Versions 6 and 7: every byte from "CFGB" to the end of the root's content, before "CFGB" is parsed.
  kRawBody,
  // Version 2: what the parse of "CFGB" reads (headers and records through their masks), after the parse.
  kParsedBody,
  // Version 1: as kParsedBody, or else LegacyBodyCrc of the raw "CFGB" tag.
  kParsedOrLegacyBody,
};

using CConfigHeaderTagBIN = CDataTagBIN<CONFIGHEADER>;

// Reads "CFGH" and "CFGB" from the root's content and checks the CRC; throws kMsgCrcError on a mismatch, and whatever
// the two tags raise.
void ReadConfiguration(CConfigHeaderTagBIN& cfgh, CNodeTagBIN& cfgb, TagCursor& cursor, ConfigCrcCheck check);
// Writes "CFGB" after the room of "CFGH", then "CFGH" holding the CRC of "CFGB". Throws kMsgTagDataUnwritable when
// "CFGH" has no record, and whatever the two tags raise.
void WriteConfiguration(CConfigHeaderTagBIN& cfgh, CNodeTagBIN& cfgb, TagWriteCursor& cursor);

// The CRC that version-1 devices computed over a "CFGB" tag (`body`: its header and content): the tag up to its
// child "ANLG", then "ANLG" with bytes 4..11 of each item left out, then the rest shifted 12 bytes back. Stays
// inside `body` whatever its sizes say.
uint32_t LegacyBodyCrc(ByteReader body);

template <class ROOTHEADER, class CFGH, class CFGB, ConfigCrcCheck CHECK>
class CTagBIN_CONF : public CDataTagBIN<ROOTHEADER> {
 public:
  CTagBIN_CONF() : CDataTagBIN<ROOTHEADER>(kTagCONF) { this->SetMandatory(true); }

  CFGH& ConfigHeader() { return cfgh_; }
  const CFGH& ConfigHeader() const { return cfgh_; }
  CFGB& ConfigBody() { return cfgb_; }
  const CFGB& ConfigBody() const { return cfgb_; }

  // The version word of the root record.
  uint32_t Version() const { return this->Record().version; }
  // The configuration CRC held in "CFGH": after reading, the stored one; after writing, the one computed.
  uint32_t ConfigCrc() const { return cfgh_.Record().crc; }

  void ReadChildren(TagCursor& cursor) override { ReadConfiguration(cfgh_, cfgb_, cursor, CHECK); }
  void WriteChildren(TagWriteCursor& cursor) override { WriteConfiguration(cfgh_, cfgb_, cursor); }
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    visit(cfgh_);
    visit(cfgb_);
  }

 private:
  CFGH cfgh_;
  CFGB cfgb_;
};

}  // namespace vrk::bin
