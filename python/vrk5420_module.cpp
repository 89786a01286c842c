// The Python extension vrk5420._native: the converter object of the shared library as a Python class with the
// interface's method names. It is a client of the library like any other (class factory, early-bound calls,
// the thread's error information); texts cross as Python str, images as bytes, index lists as tuples.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"

namespace py = pybind11;
using vrk::ComPtr;

namespace {

// Owner of one BSTR; the library allocates and frees them.
class Text {
 public:
  Text() = default;
  explicit Text(const std::u16string& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (text_ == nullptr) throw std::bad_alloc();
  }
  Text(Text&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text() { SysFreeString(text_); }
  BSTR get() const { return text_; }
  // The held string's slot, for [in, out] parameters: the callee frees and replaces it.
  BSTR* Slot() { return &text_; }
  BSTR* Out() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  // The text; None for a null BSTR only where the interface gives null a meaning.
  std::u16string Str() const { return text_ ? std::u16string(text_, SysStringLen(text_)) : std::u16string(); }

 private:
  BSTR text_ = nullptr;
};

[[noreturn]] void RaiseFailure(HRESULT hr) {
  std::u16string description;
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Out()) == S_OK && info) {
    Text text;
    info->GetDescription(text.Out());
    description = text.Str();
  }
  // ConverterError(message) with the message and the result code as attributes.
  py::object type = py::module_::import("vrk5420._native").attr("ConverterError");
  py::object error = type(py::cast(description));
  error.attr("message") = py::cast(description);
  error.attr("hresult") = static_cast<uint32_t>(hr);
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

void Check(HRESULT hr) {
  if (FAILED(hr)) RaiseFailure(hr);
}

template <class T>
ComPtr<T> CreateObject(REFCLSID clsid, REFIID iid) {
  ComPtr<IClassFactory> factory;
  Check(DllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.Out())));
  ComPtr<T> object;
  Check(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(object.Out())));
  return object;
}

// One entry of an index list: a bare position, or (use_attribute, value).
using IndexEntry = std::variant<uint32_t, std::pair<bool, uint32_t>>;

ComPtr<IVRK5420CfgConValueIndexes> MakeIndexes(const std::optional<std::vector<IndexEntry>>& entries) {
  if (!entries || entries->empty()) return nullptr;
  auto list = CreateObject<IVRK5420CfgConValueIndexes>(CLSID_VRK5420CfgConValueIndexes,
                                                        IID_IVRK5420CfgConValueIndexes);
  Check(list->put_Count(static_cast<ULONG>(entries->size())));
  for (ULONG i = 0; i < entries->size(); ++i) {
    const IndexEntry& e = (*entries)[i];
    const auto [use_attr, value] =
        std::holds_alternative<uint32_t>(e) ? std::pair<bool, uint32_t>{false, std::get<uint32_t>(e)}
                                            : std::get<std::pair<bool, uint32_t>>(e);
    Check(list->put_UseAttr(i, use_attr ? 1 : 0));
    Check(list->put_Value(i, value));
  }
  return list;
}

// Range information of one attribute, as GetValueRanges gives it.
struct DataRange {
  uint32_t Type = 0;
  std::u16string DefaultVal;
  uint32_t MinConstraint = 0;
  std::u16string MinVal;
  uint32_t MaxConstraint = 0;
  std::u16string MaxVal;
  int32_t AddConstraint = 0;
  std::u16string Increment;
  std::u16string Dictionary;
};

// Takes the array over: its bytes as Python bytes; the array is destroyed either way.
py::bytes BytesOf(SAFEARRAY* array) {
  if (array == nullptr) return py::bytes();
  std::unique_ptr<SAFEARRAY, HRESULT (*)(SAFEARRAY*)> owner(array, SafeArrayDestroy);
  LONG lower = 0, upper = -1;
  Check(SafeArrayGetLBound(array, 1, &lower));
  Check(SafeArrayGetUBound(array, 1, &upper));
  const std::size_t size = static_cast<std::size_t>(int64_t{upper} - lower + 1) * SafeArrayGetElemsize(array);
  void* data = nullptr;
  Check(SafeArrayAccessData(array, &data));
  py::bytes result(static_cast<const char*>(data), size);
  SafeArrayUnaccessData(array);
  return result;
}

using Indexes = std::optional<std::vector<IndexEntry>>;

class Converter {
 public:
  Converter() : cvt_(CreateObject<IVRK5420CfgConverter>(CLSID_VRK5420CfgConverter, IID_IVRK5420CfgConverter)) {}

  std::u16string GetXml() {
    Text text;
    Check(cvt_->get_XML(text.Out()));
    return text.Str();
  }
  void PutXml(const std::u16string& xml) { Check(cvt_->put_XML(Text(xml).get())); }
  py::bytes GetBin() {
    SAFEARRAY* array = nullptr;
    Check(cvt_->get_BIN(&array));
    return BytesOf(array);
  }
  void PutBin(const py::bytes& image) {
    const std::string_view bytes = image;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (array == nullptr) throw std::bad_alloc();
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(array->pvData));
    const HRESULT hr = cvt_->put_BIN(array);
    SafeArrayDestroy(array);
    Check(hr);
  }
  std::pair<py::bytes, uint32_t> GetBIN() {
    SAFEARRAY* array = nullptr;
    ULONG crc = 0;
    Check(cvt_->GetBIN(&array, &crc));
    return {BytesOf(array), crc};
  }
  void CreateNewCfg() { Check(cvt_->CreateNewCfg()); }
  DataRange GetValueRanges(const std::u16string& name, const Indexes& indexes) {
    VRK5420CfgConDataRange raw{};
    const HRESULT hr = cvt_->GetValueRanges(Text(name).get(), MakeIndexes(indexes).get(), &raw);
    Text strings[5];
    BSTR* slots[] = {&raw.DefaultVal, &raw.MinVal, &raw.MaxVal, &raw.Increment, &raw.Dictionary};
    for (int i = 0; i < 5; ++i) *strings[i].Out() = *slots[i];
    Check(hr);
    return {raw.Type,          strings[0].Str(),  raw.MinConstraint,  strings[1].Str(), raw.MaxConstraint,
            strings[2].Str(), raw.AddConstraint, strings[3].Str(), strings[4].Str()};
  }
  std::u16string GetValue(const std::u16string& name, const Indexes& indexes) {
    Text value;
    Check(cvt_->GetValue(Text(name).get(), MakeIndexes(indexes).get(), value.Out()));
    return value.Str();
  }
  // A value of None removes the attribute. Returns the value as now stored.
  std::u16string SetValue(const std::u16string& name, const Indexes& indexes,
                          const std::optional<std::u16string>& value) {
    Text text = value ? Text(*value) : Text();
    Check(cvt_->SetValue(Text(name).get(), MakeIndexes(indexes).get(), text.Slot()));
    return text.Str();
  }
  void CreateNode(const std::u16string& name, const Indexes& indexes) {
    Check(cvt_->CreateNode(Text(name).get(), MakeIndexes(indexes).get()));
  }
  void DeleteNode(const std::u16string& name, const Indexes& indexes) {
    Check(cvt_->DeleteNode(Text(name).get(), MakeIndexes(indexes).get()));
  }
  int32_t MoveNode(const std::u16string& name, const Indexes& indexes, int32_t offset) {
    LONG moved = offset;
    Check(cvt_->MoveNode(Text(name).get(), MakeIndexes(indexes).get(), &moved));
    return moved;
  }
  std::optional<std::u16string> GetNodeText(const std::u16string& name, const Indexes& indexes) {
    Text text;
    Check(cvt_->GetNodeText(Text(name).get(), MakeIndexes(indexes).get(), text.Out()));
    if (text.get() == nullptr) return std::nullopt;
    return text.Str();
  }
  void SetNodeText(const std::u16string& name, const Indexes& indexes, const std::u16string& text) {
    Check(cvt_->SetNodeText(Text(name).get(), MakeIndexes(indexes).get(), Text(text).get()));
  }
  std::u16string CheckValueRanges(const std::u16string& name, const Indexes& indexes, const std::u16string& value) {
    Text text(value);
    Check(cvt_->CheckValueRanges(Text(name).get(), MakeIndexes(indexes).get(), text.Slot()));
    return text.Str();
  }
  void BeginUpdate() { Check(cvt_->BeginUpdate()); }
  void EndUpdate() { Check(cvt_->EndUpdate()); }
  uint32_t GetNodesCount(const std::u16string& name, const Indexes& indexes) {
    ULONG count = 0;
    Check(cvt_->GetNodesCount(Text(name).get(), MakeIndexes(indexes).get(), &count));
    return count;
  }
  std::pair<uint32_t, bool> GetChanged() {
    ULONG counter = 0;
    LONG changed = 0;
    Check(cvt_->GetChanged(&counter, &changed));
    return {counter, changed != 0};
  }
  bool GetFlag(HRESULT (IVRK5420CfgConverter::*get)(LONG*)) {
    LONG value = 0;
    Check((cvt_.get()->*get)(&value));
    return value != 0;
  }
  void PutFlag(HRESULT (IVRK5420CfgConverter::*put)(LONG), bool on) { Check((cvt_.get()->*put)(on ? 1 : 0)); }
  void FlushUndoRedo(uint32_t size) { Check(cvt_->FlushUndoRedo(size)); }
  void SetSavePoint() { Check(cvt_->SetSavePoint()); }
  void ArrangeNodeData(const std::u16string& name, const Indexes& indexes) {
    Check(cvt_->ArrangeNodeData(Text(name).get(), MakeIndexes(indexes).get()));
  }
  void CheckNodeData(const std::u16string& name, const Indexes& indexes) {
    Check(cvt_->CheckNodeData(Text(name).get(), MakeIndexes(indexes).get()));
  }

 private:
  ComPtr<IVRK5420CfgConverter> cvt_;
};

}  // namespace

PYBIND11_MODULE(_native, m) {
  m.doc() = "The VRK-5420 configuration converter";
  // A failing converter call; .message is the component's error description, .hresult the result code.
  m.attr("ConverterError") = py::reinterpret_steal<py::object>(
      PyErr_NewExceptionWithDoc("vrk5420.ConverterError", "A converter call failed.", PyExc_Exception, nullptr));

  m.def("set_thread_language", [](LANGID language) { return SetThreadUILanguage(language); },
        "Sets the calling thread's message language (1033 English, 1049 Russian); returns it.");
  m.def("thread_language", [] { return GetThreadUILanguage(); }, "The calling thread's message language.");

  py::class_<DataRange>(m, "DataRange")
      .def_readonly("Type", &DataRange::Type)
      .def_readonly("DefaultVal", &DataRange::DefaultVal)
      .def_readonly("MinConstraint", &DataRange::MinConstraint)
      .def_readonly("MinVal", &DataRange::MinVal)
      .def_readonly("MaxConstraint", &DataRange::MaxConstraint)
      .def_readonly("MaxVal", &DataRange::MaxVal)
      .def_readonly("AddConstraint", &DataRange::AddConstraint)
      .def_readonly("Increment", &DataRange::Increment)
      .def_readonly("Dictionary", &DataRange::Dictionary);

  const py::arg name("name");
  auto indexes = [] { return py::arg("indexes") = py::tuple(); };
  py::class_<Converter>(m, "Converter")
      .def(py::init<>())
      .def_property("XML", &Converter::GetXml, &Converter::PutXml)
      .def_property("BIN", &Converter::GetBin, &Converter::PutBin)
      .def("GetBIN", &Converter::GetBIN, "Returns (image bytes, configuration CRC-32).")
      .def("CreateNewCfg", &Converter::CreateNewCfg)
      .def("GetValueRanges", &Converter::GetValueRanges, name, indexes())
      .def("GetValue", &Converter::GetValue, name, indexes())
      .def("SetValue", &Converter::SetValue, name, py::arg("indexes"), py::arg("value"),
           "Writes the value (None removes the attribute) and returns it as stored.")
      .def("CreateNode", &Converter::CreateNode, name, indexes())
      .def("DeleteNode", &Converter::DeleteNode, name, indexes())
      .def("MoveNode", &Converter::MoveNode, name, py::arg("indexes"), py::arg("offset"),
           "Moves the element and returns the offset applied.")
      .def("GetNodeText", &Converter::GetNodeText, name, indexes())
      .def("SetNodeText", &Converter::SetNodeText, name, py::arg("indexes"), py::arg("text"))
      .def("CheckValueRanges", &Converter::CheckValueRanges, name, py::arg("indexes"), py::arg("value"))
      .def("BeginUpdate", &Converter::BeginUpdate)
      .def("EndUpdate", &Converter::EndUpdate)
      .def("GetNodesCount", &Converter::GetNodesCount, name, indexes())
      .def("GetChanged", &Converter::GetChanged, "Returns (change counter, changed since the save point).")
      .def_property(
          "IdenticalVibroBands", [](Converter& c) { return c.GetFlag(&IVRK5420CfgConverter::get_IdenticalVibroBands); },
          [](Converter& c, bool on) { c.PutFlag(&IVRK5420CfgConverter::put_IdenticalVibroBands, on); })
      .def_property(
          "ImperialSystemMeasurement",
          [](Converter& c) { return c.GetFlag(&IVRK5420CfgConverter::get_ImperialSystemMeasurement); },
          [](Converter& c, bool on) { c.PutFlag(&IVRK5420CfgConverter::put_ImperialSystemMeasurement, on); })
      .def_property(
          "CompatibilityThrsSCADA21",
          [](Converter& c) { return c.GetFlag(&IVRK5420CfgConverter::get_CompatibilityThrsSCADA21); },
          [](Converter& c, bool on) { c.PutFlag(&IVRK5420CfgConverter::put_CompatibilityThrsSCADA21, on); })
      .def("FlushUndoRedo", &Converter::FlushUndoRedo, py::arg("size") = 0)
      .def("SetSavePoint", &Converter::SetSavePoint)
      .def("ArrangeNodeData", &Converter::ArrangeNodeData, name, indexes())
      .def("CheckNodeData", &Converter::CheckNodeData, name, indexes());
}
