// The converter object: every method is a short skeleton around one model operation.
#include "interface/converter.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "convert/bin_export.h"
#include "convert/bin_import.h"
#include "convert/xml_import.h"
#include "editing/band_set_modes.h"
#include "editing/change_hook.h"
#include "editing/element_removal.h"
#include "editing/element_replacement.h"
#include "editing/parameter_move.h"
#include "editing/recording_scope.h"
#include "editing/undo_group.h"
#include "interface/converter_dispatch.h"
#include "interface/error_report.h"
#include "interface/input_limits.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "platform/bstr.h"
#include "platform/safe_array.h"
#include "platform/utf.h"
#include "schema/element_edits.h"
#include "schema/node_check.h"
#include "schema/path_lookup.h"

#ifdef _WIN32
#include "platform/windows/type_info_dispatch.h"
#endif

namespace vrk {
namespace {

// Runs `call` on the dispatcher of the interface.
#ifdef _WIN32
// The system's standard dispatch over the type library embedded in the module.
template <class Call>
HRESULT WithDispatcher(Call&& call) {
  return call(TypeInfoDispatch<IVRK5420CfgConverter, IID_IVRK5420CfgConverter>{});
}
#else
// No system type library here: the component's own dispatch table, made on first use.
template <class Call>
HRESULT WithDispatcher(Call&& call) {
  return WithDispatchTable(&ConverterDispatch, std::forward<Call>(call));
}
#endif

// The caller's index list as the model takes it. A null list is empty; result codes are not checked, so a list
// object that fails its calls yields zeros for the entries it did not fill.
CIndexList ReadIndexes(IVRK5420CfgConValueIndexes* indexes) {
  CIndexList list;
  if (indexes == nullptr) return list;
  ULONG count = 0;
  indexes->get_Count(&count);
  for (ULONG i = 0; i < count; ++i) {
    LONG use_attr = 0;
    ULONG value = 0;
    indexes->get_UseAttr(i, &use_attr);
    indexes->get_Value(i, &value);
    list.PushBack({use_attr != 0, value});
  }
  return list;
}

std::string PathOf(BSTR name) {
  return Utf16ToUtf8(BstrView(name));
}

CNodeAttrInfoXML& AttributeAt(CNodeTag_VRK_Device& root, BSTR name) {
  const std::string path = PathOf(name);
  CNodeAttrInfoXML* attribute = FindAttrInfo(root, path);
  if (!attribute) ThrowMessage(kMsgInvalidAttributePath, path);
  return *attribute;
}

CNodeTagInfoXML& ElementAt(CNodeTag_VRK_Device& root, BSTR name) {
  const std::string path = PathOf(name);
  CNodeTagInfoXML* element = FindNodeInfo(root, path);
  if (!element) ThrowMessage(kMsgInvalidNodePath, path);
  return *element;
}

// Replaces the BSTR `*slot` holds (when `slot` is not null) by `text`, or by null when there is none.
void ReplaceText(BSTR* slot, const std::optional<std::string>& text) {
  if (slot == nullptr) return;
  BSTR fresh = text ? BStr(*text).release() : nullptr;
  SysFreeString(*slot);
  *slot = fresh;
}

// The caller's text as the model takes it; null for a null BSTR (or a null pointer to one).
std::optional<std::string> TextOf(const BSTR* value) {
  if (value == nullptr || *value == nullptr) return std::nullopt;
  return Utf16ToUtf8(BstrView(*value));
}

// The stored value of `attribute` at `indexes` as display text; null when it is absent.
std::optional<std::string> DisplayValueAt(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
  const std::optional<std::string> stored = attribute.FindValue(indexes);
  if (!stored) return std::nullopt;
  return attribute.owner()->ToDisplay(attribute, *stored);
}

// The caller's text as it will be stored: metric, and on whole device cycles or spectral lines where it must be.
std::string StoredForm(CNodeTag_VRK_Device& root, CNodeAttrInfoXML& attribute, const std::string& text,
                       const CIndexList& indexes) {
  return root.SnapWrittenValue(attribute, root.FromDisplay(attribute, text), indexes);
}

std::string DictionaryText(const ValueRange& range) {
  std::string text;
  for (const DictionaryEntry& entry : range.dictionary)
    text += entry.value + "|" + (entry.name_id != 0 ? LoadMessage(entry.name_id) : std::string()) + "\n";
  return text;
}

HRESULT NullPointer() { return ReportError(std::string(), std::string()); }

// Refuses, before anything is parsed, an input of more than kMaxInputSize units (characters of a text, bytes of
// an image): nothing that large is a configuration, and parsing it would cost memory in proportion.
void RefuseOversizedInput(uint64_t size, uint32_t message) {
  if (size > kMaxInputSize) ThrowMessageArgs(message, {std::to_string(kMaxInputSize)});
}

}  // namespace

// ---- Object identity ------------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::Create(IUnknown* outer, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr && !(riid == IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  CVRK5420CfgConverter* created = new (std::nothrow) CVRK5420CfgConverter(outer);
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = created->inner_.QueryInterface(riid, object);
  created->inner_.Release();
  return hr;
}

CVRK5420CfgConverter::CVRK5420CfgConverter(IUnknown* outer)
    : inner_(this), outer_(outer != nullptr ? outer : &inner_) {}

CVRK5420CfgConverter::~CVRK5420CfgConverter() { DropConfiguration(); }

HRESULT CVRK5420CfgConverter::InnerUnknown::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  CVRK5420CfgConverter* converter = owner_;
  if (riid == IID_IUnknown) {
    *object = static_cast<IUnknown*>(this);
  } else if (riid == IID_IVRK5420CfgConverter || riid == IID_IDispatch) {
    *object = static_cast<IVRK5420CfgConverter*>(converter);
  } else if (riid == IID_ISupportErrorInfo) {
    *object = static_cast<ISupportErrorInfo*>(converter);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*object)->AddRef();
  return S_OK;
}

ULONG CVRK5420CfgConverter::InnerUnknown::AddRef() { return ++owner_->references_; }

ULONG CVRK5420CfgConverter::InnerUnknown::Release() {
  CVRK5420CfgConverter* converter = owner_;
  const ULONG left = --converter->references_;
  if (left == 0) delete converter;
  return left;
}

HRESULT CVRK5420CfgConverter::QueryInterface(REFIID riid, void** object) {
  return outer_->QueryInterface(riid, object);
}
ULONG CVRK5420CfgConverter::AddRef() { return outer_->AddRef(); }
ULONG CVRK5420CfgConverter::Release() { return outer_->Release(); }

HRESULT CVRK5420CfgConverter::GetTypeInfoCount(UINT* count) {
  return WithDispatcher([&](auto&& dispatcher) { return dispatcher.GetTypeInfoCount(count); });
}

HRESULT CVRK5420CfgConverter::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
  return WithDispatcher([&](auto&& dispatcher) { return dispatcher.GetTypeInfo(index, lcid, info); });
}

HRESULT CVRK5420CfgConverter::GetIDsOfNames(REFIID riid, OLECHAR** names, UINT count, LCID, DISPID* ids) {
  return WithDispatcher([&](auto&& dispatcher) { return dispatcher.GetIDsOfNames(riid, names, count, ids); });
}

HRESULT CVRK5420CfgConverter::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* arg_err) {
  return WithDispatcher([&](auto&& dispatcher) {
    return dispatcher.Invoke(*this, id, riid, flags, params, result, excep, arg_err);
  });
}

HRESULT CVRK5420CfgConverter::InterfaceSupportsErrorInfo(REFIID riid) {
  return riid == IID_IVRK5420CfgConverter ? S_OK : S_FALSE;
}

// ---- Skeletons ------------------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::NoConfiguration() { return ReportMessage(kMsgNotLoaded); }

void CVRK5420CfgConverter::DropConfiguration() {
  journal_.Clear();
  root_.reset();
}

template <typename Body>
HRESULT CVRK5420CfgConverter::Read(Body&& body) {
  if (!root_) return NoConfiguration();
  return GuardCall(body);
}

template <typename Body>
HRESULT CVRK5420CfgConverter::Edit(Body&& body) {
  if (!root_) return NoConfiguration();
  return SettleEdit(GuardCall([&] {
    journal_.OpenEdit(*root_);
    journal_.CloseEdit(*root_, body());
  }));
}

HRESULT CVRK5420CfgConverter::SettleEdit(HRESULT hr) {
  if (FAILED(hr)) {
    RollbackQuietly();
    return hr;
  }
  if (journal_.depth() > 0)
    changed_in_bracket_ = true;
  else
    ++change_counter_;
  return S_OK;
}

void CVRK5420CfgConverter::RollbackQuietly() {
  if (!root_) return;
  // The failure is already reported; undoing must not replace that report.
  try {
    journal_.Rollback(*root_);
  } catch (...) {
  }
}

template <typename Build>
HRESULT CVRK5420CfgConverter::Load(Build&& build) {
  DropConfiguration();
  const HRESULT hr = GuardCall([&] {
    std::unique_ptr<CNodeTag_VRK_DeviceV7> root = build();
    journal_.Reset(*root, false);
    root_ = std::move(root);
  });
  if (FAILED(hr)) DropConfiguration();
  save_point_ = ++change_counter_;
  return hr;
}

// ---- Loading and producing ------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::get_XML(BSTR* text) {
  if (!root_) return NoConfiguration();
  if (text == nullptr) return NullPointer();
  return GuardCall([&] {
    {
      // Derived values are rewritten into the group still open (a bracket, a pending switch, a fresh load), so
      // that undoing it meets the document as its entries left it; with everything committed nothing refers to
      // the nodes and nothing records.
      RecordingScope recorded(*root_, journal_.OpenGroup());
      root_->RefreshDerivedValues();
    }
    const std::u16string document = root_->document().text();
    *text = BStr(std::u16string_view(document)).release();
  });
}

HRESULT CVRK5420CfgConverter::put_XML(BSTR text) {
  const std::u16string_view view = BstrView(text);
  return Load([&] {
    RefuseOversizedInput(view.size(), kMsgXmlTooLarge);
    return ImportXmlText(view, imperial_);
  });
}

HRESULT CVRK5420CfgConverter::get_BIN(SAFEARRAY** data) { return GetBIN(data, nullptr); }

HRESULT CVRK5420CfgConverter::put_BIN(SAFEARRAY* data) {
  LONG upper = 0, lower = 0;
  if (FAILED(SafeArrayGetUBound(data, 1, &upper)) || FAILED(SafeArrayGetLBound(data, 1, &lower))) return NullPointer();
  // Sizes in 64 bits: bounds near the ends of LONG must not wrap around.
  const int64_t elements = static_cast<int64_t>(upper) - static_cast<int64_t>(lower) + 1;
  const uint64_t size = elements > 0 ? static_cast<uint64_t>(elements) * SafeArrayGetElemsize(data) : 0;
  return Load([&] {
    RefuseOversizedInput(size, kMsgImageTooLarge);
    const uint8_t* bytes = static_cast<const uint8_t*>(data->pvData);
    if (size > 0 && bytes == nullptr) throw CConvException(std::string());
    return ImportBinImage(bytes, static_cast<std::size_t>(size), imperial_);
  });
}

HRESULT CVRK5420CfgConverter::GetBIN(SAFEARRAY** data, ULONG* crc32) {
  if (!root_) return NoConfiguration();
  if (data == nullptr) return NullPointer();
  BinImage image;
  const HRESULT hr = GuardCall([&] { image = ExportBinImage(*root_); });
  SafeArrayDestroy(*data);
  *data = nullptr;
  if (FAILED(hr)) return hr;
  if (image.bytes.size() > 0xFFFFFFFFu) return NullPointer();
  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(image.bytes.size())));
  if (!array) return NullPointer();
  std::copy(image.bytes.begin(), image.bytes.end(), static_cast<uint8_t*>(array.get()->pvData));
  if (crc32 != nullptr) *crc32 = image.crc32;
  *data = array.release();
  return S_OK;
}

HRESULT CVRK5420CfgConverter::CreateNewCfg() {
  return Load([&] { return CreateDefaultConfiguration(imperial_); });
}

// ---- Values ---------------------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::GetValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes,
                                             VRK5420CfgConDataRange* ranges) {
  return Read([&] {
    CNodeAttrInfoXML& attribute = AttributeAt(*root_, name);
    if (ranges == nullptr) return;
    root_->PrepareRanges(attribute, 1, ReadIndexes(indexes));
    const ValueRange& range = attribute.range();
    // Every string is made before any is handed over, so a failure leaves the caller's record untouched.
    BStr default_value(range.default_value), min(range.min), max(range.max), increment(range.increment),
        dictionary(DictionaryText(range));
    ranges->Type = range.type;
    ranges->MinConstraint = range.min_constraint;
    ranges->MaxConstraint = range.max_constraint;
    ranges->AddConstraint = range.add_constraint;
    ranges->DefaultVal = default_value.release();
    ranges->MinVal = min.release();
    ranges->MaxVal = max.release();
    ranges->Increment = increment.release();
    ranges->Dictionary = dictionary.release();
  });
}

HRESULT CVRK5420CfgConverter::GetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) {
  if (root_ && value == nullptr) return NullPointer();
  return Read([&] {
    CNodeAttrInfoXML& attribute = AttributeAt(*root_, name);
    const std::string stored = attribute.GetValue(ReadIndexes(indexes));
    *value = BStr(root_->ToDisplay(attribute, stored)).release();
  });
}

HRESULT CVRK5420CfgConverter::SetValue(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) {
  CNodeAttrInfoXML* written = nullptr;
  CIndexList list;
  const HRESULT hr = Edit([&] {
    CNodeAttrInfoXML& attribute = AttributeAt(*root_, name);
    list = ReadIndexes(indexes);
    const std::optional<std::string> text = TextOf(value);
    const std::optional<std::string> old_value = attribute.FindValue(list);
    std::optional<std::string> stored;
    if (text) {
      stored = StoredForm(*root_, attribute, *text, list);
      attribute.SetValue(*stored, list, journal_.depth() == 0);
    } else {
      attribute.RemoveValue(list);
    }
    written = &attribute;
    // A rewritten key moves the occurrence: the check and the read-back find it under its new key.
    list = FollowKey(attribute, list, old_value, stored);
    std::vector<PendingCheck> checks{{PendingCheck::kAttribute, &attribute, list}};
    for (PendingCheck& check :
         RunChangeHook(*root_, journal_.identical_bands(), attribute, list, old_value))
      checks.push_back(std::move(check));
    return checks;
  });
  if (FAILED(hr)) return hr;
  return GuardCall([&] { ReplaceText(value, DisplayValueAt(*written, list)); });
}

HRESULT CVRK5420CfgConverter::CheckValueRanges(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* value) {
  return Read([&] {
    CNodeAttrInfoXML& attribute = AttributeAt(*root_, name);
    const CIndexList list = ReadIndexes(indexes);
    // The value is tried on the real document and taken back: a private group records the trial only, and it
    // is undone whether the trial passes or fails.
    CUndoXMLGroup trial;
    std::optional<std::string> normalised;
    {
      RecordingScope trial_recording(*root_, &trial);
      struct TakeBack {
        CNodeTag_VRK_Device& root;
        CUndoXMLGroup& trial;
        ~TakeBack() {
          RecordingScope not_recorded(root, nullptr);
          trial.UndoAll();
          root.ResetNodeCache();
        }
      } take_back{*root_, trial};
      attribute.SetValue(StoredForm(*root_, attribute, TextOf(value).value_or(std::string()), list), list, true);
      normalised = DisplayValueAt(attribute, list);
    }
    ReplaceText(value, normalised);
  });
}

// ---- Elements -------------------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::CreateNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) {
  return Edit([&] {
    CNodeTagInfoXML& element = ElementAt(*root_, name);
    CIndexList list = ReadIndexes(indexes);
    const CIndexList checked = list;
    element.GetNode(list, true);
    return std::vector<PendingCheck>{{PendingCheck::kNode, &element, checked}};
  });
}

HRESULT CVRK5420CfgConverter::DeleteNode(BSTR name, IVRK5420CfgConValueIndexes* indexes) {
  return Edit([&] {
    CNodeTagInfoXML& element = ElementAt(*root_, name);
    const CIndexList list = ReadIndexes(indexes);
    RemoveWithDependents(*root_, journal_.identical_bands(), element, list);
    return std::vector<PendingCheck>{{PendingCheck::kRemoval, &element, list}};
  });
}

HRESULT CVRK5420CfgConverter::MoveNode(BSTR name, IVRK5420CfgConValueIndexes* indexes, LONG* offset) {
  if (offset == nullptr) return E_INVALIDARG;
  return Edit([&] {
    CNodeTagInfoXML& element = ElementAt(*root_, name);
    if (*offset == 0) return std::vector<PendingCheck>{};
    // A parameter moves in its channel's numbering, not among its siblings.
    *offset = IsParameterContainer(*root_, element)
                  ? MoveParameter(*root_, journal_.identical_bands(), element, ReadIndexes(indexes), *offset)
                  : MoveElement(element, ReadIndexes(indexes), *offset);
    return std::vector<PendingCheck>{};
  });
}

HRESULT CVRK5420CfgConverter::GetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR* text) {
  return Read([&] {
    CNodeTagInfoXML& element = ElementAt(*root_, name);
    ReplaceText(text, ElementText(element, ReadIndexes(indexes)));
  });
}

HRESULT CVRK5420CfgConverter::SetNodeText(BSTR name, IVRK5420CfgConValueIndexes* indexes, BSTR text) {
  return Edit([&] {
    CNodeTagInfoXML& element = ElementAt(*root_, name);
    const CIndexList list = ReadIndexes(indexes);
    ReplaceWithDependents(*root_, journal_.identical_bands(), element, list, TextOf(&text).value_or(std::string()));
    return std::vector<PendingCheck>{{PendingCheck::kRemoval, &element, list}, {PendingCheck::kNode, &element, list}};
  });
}

HRESULT CVRK5420CfgConverter::GetNodesCount(BSTR name, IVRK5420CfgConValueIndexes* indexes, ULONG* count) {
  if (!root_) return NoConfiguration();
  if (count == nullptr) return NullPointer();
  return GuardCall([&] { *count = ElementAt(*root_, name).CountNodes(ReadIndexes(indexes)); });
}

HRESULT CVRK5420CfgConverter::ArrangeNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) {
  return Edit([&] {
    root_->ArrangeNodeData(ElementAt(*root_, name), ReadIndexes(indexes));
    return std::vector<PendingCheck>{};
  });
}

HRESULT CVRK5420CfgConverter::CheckNodeData(BSTR name, IVRK5420CfgConValueIndexes* indexes) {
  return Read([&] { CheckNode(ElementAt(*root_, name), ReadIndexes(indexes), true, false); });
}

// ---- Update brackets and change tracking ----------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::BeginUpdate() {
  if (!root_) return NoConfiguration();
  journal_.Begin();
  changed_in_bracket_ = false;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::EndUpdate() {
  const HRESULT hr = GuardCall([&] { journal_.End(root_.get()); });
  if (!changed_in_bracket_) return hr;
  if (FAILED(hr)) {
    RollbackQuietly();
    return hr;
  }
  if (journal_.depth() == 0) ++change_counter_;
  return hr;
}

HRESULT CVRK5420CfgConverter::GetChanged(ULONG* counter, LONG* changed) {
  if (counter == nullptr || changed == nullptr) return NullPointer();
  *counter = change_counter_;
  *changed = root_ && change_counter_ != save_point_ ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::FlushUndoRedo(ULONG) {
  save_point_ = change_counter_;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::SetSavePoint() {
  save_point_ = change_counter_;
  return S_OK;
}

// ---- Modes ----------------------------------------------------------------------------------------------------

HRESULT CVRK5420CfgConverter::get_IdenticalVibroBands(LONG* value) {
  if (value == nullptr) return NullPointer();
  *value = journal_.identical_bands() ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::put_IdenticalVibroBands(LONG value) {
  return Edit([&] {
    journal_.Reset(*root_, value != 0);
    return std::vector<PendingCheck>{};
  });
}

HRESULT CVRK5420CfgConverter::get_ImperialSystemMeasurement(LONG* value) {
  if (value == nullptr) return NullPointer();
  *value = imperial_ ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::put_ImperialSystemMeasurement(LONG value) {
  imperial_ = value == 1;
  if (root_) root_->SetImperial(imperial_);
  return S_OK;
}

HRESULT CVRK5420CfgConverter::get_CompatibilityThrsSCADA21(LONG* value) {
  if (!root_) return NoConfiguration();
  if (value == nullptr) return NullPointer();
  *value = root_->compatibility_scada21() ? 1 : 0;
  return S_OK;
}

HRESULT CVRK5420CfgConverter::put_CompatibilityThrsSCADA21(LONG value) {
  if (!root_) return NoConfiguration();
  const bool on = value != 0;
  // An edit like any other, except that its group stays open with the root recording into it: the switch is
  // committed with the next edit that completes outside a bracket, or undone when that edit fails.
  return SettleEdit(GuardCall([&] {
    if (root_->compatibility_scada21() == on) return;
    journal_.OpenEdit(*root_);
    SwitchCompatibilityMode(*root_, journal_.identical_bands(), on);
  }));
}

}  // namespace vrk
