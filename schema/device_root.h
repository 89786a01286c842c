// CNodeTag_VRK_Device: the configuration root. It owns the XML document and the whole descriptor tree of one
// configuration version, and is the descriptor of the document element. Version roots add their own sections
// after the common ones and implement the whole-configuration hooks.
#pragma once

#include <memory>
#include <string>

#include "editing/undo_group.h"
#include "platform/dom/dom.h"
#include "schema/common_sections.h"
#include "schema/diagnoses.h"
#include "schema/parameter_sections.h"
#include "schema/tacho_channels.h"

namespace vrk {

class CUndoXMLGroup;
class CUndoXMLOperation;

class CNodeTag_VRK_Device : public CNodeTagInfoXML {
 public:
  using CVersionInfo = vrk::CVersionInfo;
  using CCfg = vrk::CCfg;
  using CHeader = vrk::CHeader;
  using CData_transfer_settings = vrk::CData_transfer_settings;
  using CRegion_settings = vrk::CRegion_settings;
  using CBlackBox = vrk::CBlackBox;
  using Ccurrent_outputs = vrk::Ccurrent_outputs;
  using CMonitoring = vrk::CMonitoring;
  using CDiagnoses = vrk::CDiagnoses;
  using CTachoChannels = vrk::CTachoChannels;

  CNodeTag_VRK_Device();
  ~CNodeTag_VRK_Device() override;

  // The document element; consumes no index entry. Throws CConvException with an empty message when no document
  // is attached, kMsgNoRootTag when the document has no document element.
  dom::Node GetNode(CIndexList& indexes, bool create) override;

  // Rewrites the values derived from other parts of the configuration before the document is handed out.
  virtual void RefreshDerivedValues();
  // Whole-configuration hooks of a version.
  // Brings a freshly loaded document to the current conventions (units, numbering).
  virtual void NormalizeLoaded() = 0;
  // Adds what a loaded document lacks and the version needs.
  virtual void CompleteLoaded() = 0;
  // Rules that span elements, checked for `element` at `indexes` after its own attributes and children: unique
  // and gapless keys, exact child counts of the common sections (a version adds its own and calls these).
  virtual void CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool full_rules);
  // Limits that level attributes must respect, given the measuring range of their parameter.
  virtual void CheckLevelLimits(CNodeAttrInfoXML& attribute, const CIndexList& indexes) = 0;
  // Brings ranges that depend on other values up to date before `attribute` is checked or reported.
  virtual void PrepareRanges(CNodeAttrInfoXML& attribute, int reserved, const CIndexList& indexes) = 0;
  // The stored text a value written through the interface becomes: values the device keeps in whole cycles or
  // spectral lines are moved onto them. Texts that do not parse pass unchanged (validation reports them).
  virtual std::string SnapWrittenValue(CNodeAttrInfoXML& attribute, const std::string& stored,
                                       const CIndexList& indexes);
  // Puts the data of the occurrence of `element` at `indexes` in order (recorded like any edit); nothing for
  // elements that have no order to keep.
  virtual void ArrangeNodeData(CNodeTagInfoXML& element, const CIndexList& indexes);
  // Further checks after a written attribute passed its own (values that decide a whole channel's validity).
  virtual void AfterAttributeCheck(CNodeAttrInfoXML& attribute, const CIndexList& indexes);
  // The check after `element` was removed, for elements whose removal needs no check of the parent or a check
  // of its own; false when the parent's check applies.
  virtual bool HandleRemovalCheck(CNodeTagInfoXML& element, const CIndexList& indexes);

  // Attaches a parsed document, dropping every cached node of the tree.
  void AttachDocument(dom::Document document);
  const dom::Document& document() const { return document_; }

  // The undo group that records document changes; null when nothing records.
  CUndoXMLGroup* recording() const { return recording_; }
  void SetRecording(CUndoXMLGroup* group) { recording_ = group; }
  // Records the change just made (or about to be made) as an undo entry OP made of `args`; nothing when nothing
  // records. An entry that cannot be stored, for want of memory, undoes its change at once and the failure goes
  // on: the group then still covers every change, so that the failed edit's rollback leaves nothing behind.
  template <class OP, class... Args>
  void Record(Args&&... args);

  // The stored text of `attribute` as the caller sees it (imperial units when that mode is on).
  std::string ToDisplay(const CNodeAttrInfoXML& attribute, const std::string& stored) const;
  // The caller's text converted to the stored (metric) form.
  std::string FromDisplay(const CNodeAttrInfoXML& attribute, const std::string& display) const;

  bool imperial() const { return imperial_; }
  void SetImperial(bool on) { imperial_ = on; }
  bool compatibility_scada21() const { return compatibility_scada21_; }
  void SetCompatibilityScada21(bool on) { compatibility_scada21_ = on; }

  // A check pass (the outermost check of an element) only reads the document, so values derived from it may be
  // kept until the pass ends. Passes nest; check_pass() numbers the outermost ones and is 0 outside any.
  void BeginCheckPass() {
    if (check_depth_++ == 0) ++check_pass_serial_;
  }
  void EndCheckPass() { --check_depth_; }
  uint64_t check_pass() const { return check_depth_ > 0 ? check_pass_serial_ : 0; }

  // The index list the binary exporter holds while it builds the records of one channel; empty otherwise.
  const CIndexList& stored_indexes() const { return stored_indexes_; }
  void SetStoredIndexes(CIndexList indexes) { stored_indexes_ = std::move(indexes); }

  CVersionInfo VersionInfo;
  CCfg Cfg;
  CHeader Header;
  CData_transfer_settings Data_transfer_settings;
  CRegion_settings Region_settings;
  CBlackBox BlackBox;
  Ccurrent_outputs current_outputs;
  CMonitoring Monitoring;
  CDiagnoses Diagnoses;
  CTachoChannels TachoChannels;

 protected:
  // Sets owner and parent pointers of the whole tree; the most derived root calls it once its sections exist.
  void FinishTree() { SetTree(this, nullptr); }

 private:
  dom::Document document_;
  CIndexList stored_indexes_;
  CUndoXMLGroup* recording_ = nullptr;
  uint32_t check_depth_ = 0;
  uint64_t check_pass_serial_ = 0;
  bool imperial_ = false;
  bool compatibility_scada21_ = false;
};

template <class OP, class... Args>
void CNodeTag_VRK_Device::Record(Args&&... args) {
  if (recording_ == nullptr) return;
  OP entry(std::forward<Args>(args)...);
  try {
    recording_->Reserve();
    recording_->Append(std::make_unique<OP>(std::move(entry)));
  } catch (...) {
    entry.Undo();
    throw;
  }
}

}  // namespace vrk
