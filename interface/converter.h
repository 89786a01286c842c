// CVRK5420CfgConverter: the automation object callers drive. It holds at most one version-7 configuration with
// its undo journal, and maps every method onto the model through three skeletons: reads, edits (all-or-nothing,
// counted) and loads (replace the configuration).
#pragma once

#include <memory>

#include "editing/undo_journal.h"
#include "interface/module_lock.h"
#include "interface/vrk5420_interfaces.h"
#include "schema/device_v7.h"

namespace vrk {

class CVRK5420CfgConverter final : public IVRK5420CfgConverter, public ISupportErrorInfo {
 public:
  // Creates an object with one reference. With a non-null `outer` the object is aggregated: it delegates its
  // IUnknown to `outer`, and only IUnknown may be asked for (CLASS_E_NOAGGREGATION otherwise).
  static HRESULT Create(IUnknown* outer, REFIID riid, void** object);

  // IUnknown (delegating when aggregated).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: late binding from the dispatch table; no type library is carried, so no type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* arg_err) override;

  // ISupportErrorInfo: S_OK for IVRK5420CfgConverter, S_FALSE otherwise.
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  // IVRK5420CfgConverter.
  HRESULT STDMETHODCALLTYPE get_XML(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE put_XML(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_BIN(SAFEARRAY** data) override;
  HRESULT STDMETHODCALLTYPE put_BIN(SAFEARRAY* data) override;
  HRESULT STDMETHODCALLTYPE GetBIN(SAFEARRAY** data, ULONG* crc32) override;
  HRESULT STDMETHODCALLTYPE CreateNewCfg() override;
  HRESULT STDMETHODCALLTYPE GetValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes,
                                           VRK5420CfgConDataRange* ranges) override;
  HRESULT STDMETHODCALLTYPE GetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE SetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE CreateNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) override;
  HRESULT STDMETHODCALLTYPE DeleteNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) override;
  HRESULT STDMETHODCALLTYPE MoveNode(BSTR name, IVRK5420CfgConValueIndexes* indexes, LONG* offset) override;
  HRESULT STDMETHODCALLTYPE GetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE SetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR text) override;
  HRESULT STDMETHODCALLTYPE CheckValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE BeginUpdate() override;
  HRESULT STDMETHODCALLTYPE EndUpdate() override;
  HRESULT STDMETHODCALLTYPE GetNodesCount(BSTR name, IVRK5420CfgConValueIndexes* indexes, ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetChanged(ULONG* counter, LONG* changed) override;
  HRESULT STDMETHODCALLTYPE get_IdenticalVibroBands(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_IdenticalVibroBands(LONG value) override;
  HRESULT STDMETHODCALLTYPE FlushUndoRedo(ULONG size) override;
  HRESULT STDMETHODCALLTYPE SetSavePoint() override;
  HRESULT STDMETHODCALLTYPE get_ImperialSystemMeasurement(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_ImperialSystemMeasurement(LONG value) override;
  HRESULT STDMETHODCALLTYPE ArrangeNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) override;
  HRESULT STDMETHODCALLTYPE CheckNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) override;
  HRESULT STDMETHODCALLTYPE get_CompatibilityThrsSCADA21(LONG* value) override;
  HRESULT STDMETHODCALLTYPE put_CompatibilityThrsSCADA21(LONG value) override;

 private:
  // The object's own IUnknown, which the outer object of an aggregate holds.
  class InnerUnknown final : public IUnknown {
   public:
    explicit InnerUnknown(CVRK5420CfgConverter* owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    CVRK5420CfgConverter* owner_;
  };

  explicit CVRK5420CfgConverter(IUnknown* outer);
  ~CVRK5420CfgConverter();

  // Skeleton of reads: a configuration is required; `body` runs guarded.
  template <typename Body>
  HRESULT Read(Body&& body);
  // Skeleton of edits: `body` runs inside the current undo group and returns the checks it leaves; a failure
  // rolls the group back; success counts as one change (once per bracket inside one).
  template <typename Body>
  HRESULT Edit(Body&& body);
  // The end of an edit that ran as `hr`: a failure rolls the current group back; success counts as one change
  // (or marks the bracket changed).
  HRESULT SettleEdit(HRESULT hr);
  // Undoes the current group, keeping the failure already reported.
  void RollbackQuietly();
  // Skeleton of loads: the held configuration goes, `build` makes the new one; the counter always moves and
  // the save point follows it.
  template <typename Build>
  HRESULT Load(Build&& build);
  // Destroys the held configuration and what the journal holds of it.
  void DropConfiguration();
  HRESULT NoConfiguration();

  InnerUnknown inner_;
  IUnknown* outer_;  // the controlling unknown: `outer` when aggregated, else `inner_`
  ULONG references_ = 1;
  ModuleLockHolder module_lock_;

  std::unique_ptr<CNodeTag_VRK_DeviceV7> root_;
  CUndoJournal journal_;
  bool imperial_ = false;
  bool changed_in_bracket_ = false;
  uint32_t change_counter_ = 0;
  uint32_t save_point_ = 0;
};

}  // namespace vrk
