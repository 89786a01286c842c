// The Python extension vrk5420._native: the converter object of the shared library as a Python class with the
// interface's method names. It is a client of the library like any other (class factory, early-bound calls,
// the thread's error information); texts cross as Python str, images as bytes, index lists as tuples.
// The Pythonic additions that need no library call (update brackets, files, walking occurrences) are written in
// Python, in vrk5420/_converter.py; _native.pyi describes this module.
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
using Indexes = std::optional<std::vector<IndexEntry>>;

ComPtr<IVRK5420CfgConValueIndexes> MakeIndexes(const Indexes& entries) {
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

  // The Dictionary text, one "value|display name\n" line per entry, as (value, display name) pairs.
  std::vector<std::pair<std::u16string, std::u16string>> Entries() const {
    std::vector<std::pair<std::u16string, std::u16string>> entries;
    std::size_t start = 0;
    while (start < Dictionary.size()) {
      std::size_t end = Dictionary.find(u'\n', start);
      if (end == std::u16string::npos) end = Dictionary.size();
      const std::u16string line = Dictionary.substr(start, end - start);
      const std::size_t bar = line.find(u'|');
      if (bar == std::u16string::npos)
        entries.emplace_back(line, std::u16string());
      else
        entries.emplace_back(line.substr(0, bar), line.substr(bar + 1));
      start = end + 1;
    }
    return entries;
  }
};

py::str Repr(const DataRange& r) {
  return py::str(
             "DataRange(Type={}, DefaultVal={!r}, MinConstraint={}, MinVal={!r}, MaxConstraint={}, MaxVal={!r}, "
             "AddConstraint={}, Increment={!r}, dictionary={!r})")
      .format(r.Type, r.DefaultVal, r.MinConstraint, r.MinVal, r.MaxConstraint, r.MaxVal, r.AddConstraint,
              r.Increment, r.Entries());
}

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

// The contiguous bytes of any object with the buffer protocol (bytes, bytearray, memoryview, array.array ...).
// Raises TypeError for an object without it and BufferError for a non-contiguous view.
class ByteView {
 public:
  explicit ByteView(const py::object& object) {
    if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_SIMPLE) != 0) throw py::error_already_set();
  }
  ByteView(const ByteView&) = delete;
  ByteView& operator=(const ByteView&) = delete;
  ~ByteView() { PyBuffer_Release(&view_); }
  const char* data() const { return static_cast<const char*>(view_.buf); }
  std::size_t size() const { return static_cast<std::size_t>(view_.len); }

 private:
  Py_buffer view_{};
};

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
  void PutBin(const py::object& image) {
    const ByteView bytes(image);
    if (bytes.size() > 0xFFFFFFFFu) throw py::value_error("the image is too large");
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (array == nullptr) throw std::bad_alloc();
    std::copy(bytes.data(), bytes.data() + bytes.size(), static_cast<char*>(array->pvData));
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

// A read-write flag property of the interface.
template <HRESULT (IVRK5420CfgConverter::*Get)(LONG*), HRESULT (IVRK5420CfgConverter::*Put)(LONG)>
void DefineFlag(py::class_<Converter>& cls, const char* name, const char* doc) {
  cls.def_property(
      name, [](Converter& c) { return c.GetFlag(Get); }, [](Converter& c, bool on) { c.PutFlag(Put, on); }, doc);
}

}  // namespace

PYBIND11_MODULE(_native, m) {
  m.doc() = "The converter object of the VRK-5420 configuration converter library; use it through vrk5420.";
  m.attr("__version__") = VRK_VERSION;
  m.attr("ConverterError") = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
      "vrk5420.ConverterError",
      "A converter call failed.\n\n"
      ".message is the component's error description (also str() of the error), in the calling thread's\n"
      "language; it may be empty, and may hold a second line with the path of the value or the parse position.\n"
      ".hresult is the result code (0x80004005 for every failure the component describes).",
      PyExc_Exception, nullptr));

  m.def("set_thread_language", [](LANGID language) { return SetThreadUILanguage(language); },
        py::arg("language"),
        "Sets the message language of the calling thread and returns it.\n\n"
        "Args:\n    language: ENGLISH (1033) or RUSSIAN (1049); 0 goes back to the language of the environment\n"
        "        (LC_ALL, LC_MESSAGES, LANG).");
  m.def("thread_language", [] { return GetThreadUILanguage(); },
        "The message language of the calling thread: ENGLISH (1033) or RUSSIAN (1049).");

  py::class_<DataRange>(m, "DataRange",
                        "Range information of one attribute, as GetValueRanges gives it.\n\n"
                        "The fields are those of the interface's record; Dictionary is its raw text, one\n"
                        "'value|display name' line per allowed value, and dictionary the same as pairs.")
      .def_readonly("Type", &DataRange::Type, "Value type code.")
      .def_readonly("DefaultVal", &DataRange::DefaultVal, "Default value text; empty when there is none.")
      .def_readonly("MinConstraint", &DataRange::MinConstraint, "How MinVal limits the value (code).")
      .def_readonly("MinVal", &DataRange::MinVal, "Lower limit as text.")
      .def_readonly("MaxConstraint", &DataRange::MaxConstraint, "How MaxVal limits the value (code).")
      .def_readonly("MaxVal", &DataRange::MaxVal, "Upper limit as text.")
      .def_readonly("AddConstraint", &DataRange::AddConstraint, "Additional constraint code.")
      .def_readonly("Increment", &DataRange::Increment, "Step of the value as text; empty when there is none.")
      .def_readonly("Dictionary", &DataRange::Dictionary,
                    "Allowed values as the interface gives them: 'value|display name\\n' per value.")
      .def_property_readonly("dictionary", &DataRange::Entries,
                             "Allowed values as a list of (value, display_name) pairs, in dictionary order;\n"
                             "empty when any value within the limits is allowed.")
      .def("__repr__", &Repr);

  const py::arg name("name");
  auto indexes = [] { return py::arg("indexes") = py::tuple(); };
  py::class_<Converter> cls(m, "Converter",
                            "The converter object: one VRK-5420 configuration, its checks and conversions.");
  cls.def(py::init<>(), "Creates a converter that holds no configuration yet.")
      .def_property("XML", &Converter::GetXml, &Converter::PutXml,
                    "The configuration as XML text (str).\n\n"
                    "Reading gives the document with its own XML declaration, which names the encoding the\n"
                    "document is kept in (windows-1251 for the default configuration): write the text out in that\n"
                    "encoding (save() and xml_bytes() do). Assigning loads the text of any configuration version,\n"
                    "upgraded to version 7; a failed load leaves no configuration.\n\n"
                    "Raises:\n    ConverterError: nothing loaded (on reading), or the text is not a configuration.")
      .def_property("BIN", &Converter::GetBin, &Converter::PutBin,
                    "The device's binary image of the configuration (bytes).\n\n"
                    "Assigning loads an image of any version from any bytes-like object (bytes, bytearray,\n"
                    "memoryview); a failed load leaves no configuration.\n\n"
                    "Raises:\n    ConverterError: nothing loaded, the configuration has no image, or the image is\n"
                    "        damaged.\n    TypeError: the value is not bytes-like.")
      .def("GetBIN", &Converter::GetBIN,
           "Returns (image, crc32): the binary image as bytes and its configuration CRC-32.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or the configuration cannot be written as an image.")
      .def("CreateNewCfg", &Converter::CreateNewCfg,
           "Loads the default configuration, replacing any held one.\n\n"
           "Raises:\n    ConverterError: the built-in document cannot be loaded.")
      .def("GetValueRanges", &Converter::GetValueRanges, name, indexes(),
           "Returns the DataRange of an attribute: type, limits, default, increment and dictionary.\n\n"
           "Args:\n    name: path of the attribute, such as 'Region_settings\\\\Hysteresis_percent'.\n"
           "    indexes: one entry per repeated element on the path: a position (int) or a\n"
           "        (use_key, value) pair.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or the path names no attribute.")
      .def("GetValue", &Converter::GetValue, name, indexes(),
           "Returns the value of an attribute as text (in imperial units when that mode is on).\n\n"
           "Args:\n    name: path of the attribute.\n    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or the path names no attribute.")
      .def("SetValue", &Converter::SetValue, name, py::arg("indexes"), py::arg("value"),
           "Checks and writes a value; returns it as now stored. All or nothing: a refused value leaves\n"
           "the configuration as it was (inside an update bracket, as it was at its start).\n\n"
           "Args:\n    name: path of the attribute.\n    indexes: one entry per repeated element on the path.\n"
           "    value: the new value as text; None removes the attribute.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, or the value is refused.")
      .def("CreateNode", &Converter::CreateNode, name, indexes(),
           "Creates an element occurrence, with any missing elements above it.\n\n"
           "Args:\n    name: path of the element, ending in a backslash.\n"
           "    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, or the result breaks a rule.")
      .def("DeleteNode", &Converter::DeleteNode, name, indexes(),
           "Removes an element occurrence and what depends on it (references, numbering).\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, or the result breaks a rule.")
      .def("MoveNode", &Converter::MoveNode, name, py::arg("indexes"), py::arg("offset"),
           "Moves an element occurrence among its siblings; returns the offset applied.\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n"
           "    offset: places to move, negative towards the first; clamped to the ends.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or unknown path.")
      .def("GetNodeText", &Converter::GetNodeText, name, indexes(),
           "Returns the XML text of an element occurrence, or None when it does not exist.\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or unknown path.")
      .def("SetNodeText", &Converter::SetNodeText, name, py::arg("indexes"), py::arg("text"),
           "Replaces an element occurrence by the element that an XML text holds.\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n"
           "    text: XML text of one element.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, bad XML, or the result breaks a rule.")
      .def("CheckValueRanges", &Converter::CheckValueRanges, name, py::arg("indexes"), py::arg("value"),
           "Tries a value without keeping it; returns it as it would be stored.\n\n"
           "Args:\n    name: path of the attribute.\n    indexes: one entry per repeated element on the path.\n"
           "    value: the value to try, as text.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, or the value is refused.")
      .def("BeginUpdate", &Converter::BeginUpdate,
           "Opens an update bracket: checks across values wait until the matching EndUpdate, and a failed\n"
           "edit inside it undoes every change since the outermost BeginUpdate. Prefer `with update():`.\n\n"
           "Raises:\n    ConverterError: nothing loaded.")
      .def("EndUpdate", &Converter::EndUpdate,
           "Closes an update bracket; closing the outermost one runs the deferred checks, and when one fails\n"
           "every change of the bracket is undone.\n\n"
           "Raises:\n    ConverterError: no bracket is open, or a deferred check failed.")
      .def("GetNodesCount", &Converter::GetNodesCount, name, indexes(),
           "Returns how many occurrences of an element exist (for the occurrence of the elements above it\n"
           "that indexes selects).\n\n"
           "Args:\n    name: path of the element.\n    indexes: entries for the repeated elements above it.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or unknown path.")
      .def("GetChanged", &Converter::GetChanged,
           "Returns (counter, changed): the change counter and whether the configuration changed since the\n"
           "last load or save point.")
      .def("FlushUndoRedo", &Converter::FlushUndoRedo, py::arg("size") = 0,
           "Marks the configuration as saved, as SetSavePoint does; size is accepted and not used.")
      .def("SetSavePoint", &Converter::SetSavePoint, "Marks the configuration as saved: GetChanged()[1] is False.")
      .def("ArrangeNodeData", &Converter::ArrangeNodeData, name, indexes(),
           "Puts an element's data in order (the points of a linearisation table by voltage); other\n"
           "elements are left as they are.\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, or unknown path.")
      .def("CheckNodeData", &Converter::CheckNodeData, name, indexes(),
           "Checks an element occurrence and its values against the rules; changes nothing.\n\n"
           "Args:\n    name: path of the element.\n    indexes: one entry per repeated element on the path.\n\n"
           "Raises:\n    ConverterError: nothing loaded, unknown path, or a rule is broken.");
  DefineFlag<&IVRK5420CfgConverter::get_IdenticalVibroBands, &IVRK5420CfgConverter::put_IdenticalVibroBands>(
      cls, "IdenticalVibroBands",
      "Whether all vibration channels carry the same band set (bool). Turning it on copies the\n"
      "first channel's set to the others; later changes to one channel's set are carried over.\n\n"
      "Raises:\n    ConverterError: nothing loaded (on assigning).");
  DefineFlag<&IVRK5420CfgConverter::get_ImperialSystemMeasurement,
             &IVRK5420CfgConverter::put_ImperialSystemMeasurement>(
      cls, "ImperialSystemMeasurement",
      "Whether values are read and written in imperial units (bool); the document stays metric.");
  DefineFlag<&IVRK5420CfgConverter::get_CompatibilityThrsSCADA21,
             &IVRK5420CfgConverter::put_CompatibilityThrsSCADA21>(
      cls, "CompatibilityThrsSCADA21",
      "Whether band and threshold settings stay compatible with DIDIR 2.1 (bool).\n\n"
      "Raises:\n    ConverterError: nothing loaded.");
}
