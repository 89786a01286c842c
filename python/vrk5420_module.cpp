// The Python extension vrk5420._native: the converter object of the shared library as a Python class with the
// interface's method names. It is a client of the library like any other, through the client library (class
// factory, early-bound calls, the thread's error information); texts cross as Python str, images as bytes,
// index lists as tuples, and a failed call raises ConverterError.
// The Pythonic additions that need no library call (update brackets, files, walking occurrences) are written in
// Python, in vrk5420/_converter.py; _native.pyi describes this module.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "client/call_failure.h"
#include "client/converter.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/oleauto.h"

namespace py = pybind11;
using vrk::client::Converter;
using vrk::client::DataRange;
using vrk::client::Flag;

namespace pybind11::detail {

// An index list from Python: None or a sequence whose entries are a bare position or a (use_attr, value) pair.
template <>
struct type_caster<vrk::client::IndexList> {
  using Entries = std::optional<std::vector<std::variant<uint32_t, std::pair<bool, uint32_t>>>>;
  PYBIND11_TYPE_CASTER(vrk::client::IndexList, make_caster<Entries>::name);

  bool load(handle source, bool convert) {
    make_caster<Entries> entries;
    if (!entries.load(source, convert)) return false;
    value.clear();
    if (const Entries& list = cast_op<const Entries&>(entries); list)
      for (const auto& entry : *list)
        value.push_back(std::holds_alternative<uint32_t>(entry)
                            ? vrk::client::IndexEntry{false, std::get<uint32_t>(entry)}
                            : vrk::client::IndexEntry{std::get<1>(entry).first, std::get<1>(entry).second});
    return true;
  }
};

}  // namespace pybind11::detail

namespace {

// A failed call as ConverterError(message), with the message and the result code as attributes.
void RaiseFailure(const vrk::client::CallFailure& failure) {
  py::object type = py::module_::import("vrk5420._native").attr("ConverterError");
  py::object error = type(py::cast(failure.description()));
  error.attr("message") = py::cast(failure.description());
  error.attr("hresult") = static_cast<uint32_t>(failure.hr());
  PyErr_SetObject(type.ptr(), error.ptr());
}

// The Dictionary text, one "value|display name\n" line per entry, as (value, display name) pairs.
std::vector<std::pair<std::u16string, std::u16string>> Entries(const DataRange& range) {
  const std::u16string& dictionary = range.Dictionary;
  std::vector<std::pair<std::u16string, std::u16string>> entries;
  std::size_t start = 0;
  while (start < dictionary.size()) {
    std::size_t end = dictionary.find(u'\n', start);
    if (end == std::u16string::npos) end = dictionary.size();
    const std::u16string line = dictionary.substr(start, end - start);
    const std::size_t bar = line.find(u'|');
    if (bar == std::u16string::npos)
      entries.emplace_back(line, std::u16string());
    else
      entries.emplace_back(line.substr(0, bar), line.substr(bar + 1));
    start = end + 1;
  }
  return entries;
}

py::str Repr(const DataRange& r) {
  return py::str(
             "DataRange(Type={}, DefaultVal={!r}, MinConstraint={}, MinVal={!r}, MaxConstraint={}, MaxVal={!r}, "
             "AddConstraint={}, Increment={!r}, dictionary={!r})")
      .format(r.Type, r.DefaultVal, r.MinConstraint, r.MinVal, r.MaxConstraint, r.MaxVal, r.AddConstraint,
              r.Increment, Entries(r));
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
  std::string_view bytes() const { return {static_cast<const char*>(view_.buf), static_cast<std::size_t>(view_.len)}; }

 private:
  Py_buffer view_{};
};

void PutBin(Converter& converter, const py::object& image) {
  const ByteView view(image);
  if (view.bytes().size() > 0xFFFFFFFFu) throw py::value_error("the image is too large");
  converter.PutBin(view.bytes());
}

std::pair<py::bytes, uint32_t> GetBinWithCrc(Converter& converter) {
  auto [image, crc] = converter.GetBinWithCrc();
  return {py::bytes(image), crc};
}

// A read-write flag property of the interface.
template <Flag kFlag>
void DefineFlag(py::class_<Converter>& cls, const char* name, const char* doc) {
  cls.def_property(
      name, [](Converter& c) { return c.GetFlag(kFlag); }, [](Converter& c, bool on) { c.PutFlag(kFlag, on); }, doc);
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
  py::register_exception_translator([](std::exception_ptr failure) {
    try {
      if (failure) std::rethrow_exception(failure);
    } catch (const vrk::client::CallFailure& e) {
      RaiseFailure(e);
    }
  });

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
      .def_property_readonly("dictionary", &Entries,
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
      .def_property("BIN", [](Converter& c) { return py::bytes(c.GetBin()); }, &PutBin,
                    "The device's binary image of the configuration (bytes).\n\n"
                    "Assigning loads an image of any version from any bytes-like object (bytes, bytearray,\n"
                    "memoryview); a failed load leaves no configuration.\n\n"
                    "Raises:\n    ConverterError: nothing loaded, the configuration has no image, or the image is\n"
                    "        damaged.\n    TypeError: the value is not bytes-like.")
      .def("GetBIN", &GetBinWithCrc,
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
  DefineFlag<Flag::kIdenticalVibroBands>(
      cls, "IdenticalVibroBands",
      "Whether all vibration channels carry the same band set (bool). Turning it on copies the\n"
      "first channel's set to the others; later changes to one channel's set are carried over.\n\n"
      "Raises:\n    ConverterError: nothing loaded (on assigning).");
  DefineFlag<Flag::kImperialSystemMeasurement>(
      cls, "ImperialSystemMeasurement",
      "Whether values are read and written in imperial units (bool); the document stays metric.");
  DefineFlag<Flag::kCompatibilityThrsSCADA21>(
      cls, "CompatibilityThrsSCADA21",
      "Whether band and threshold settings stay compatible with DIDIR 2.1 (bool).\n\n"
      "Raises:\n    ConverterError: nothing loaded.");
}
