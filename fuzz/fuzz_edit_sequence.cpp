// Fuzz target: a script of calls read from the input, run on a loaded configuration through the converter
// object. After every call that fails, `XML` get is what it was before the call (or, where the failed call
// undoes a whole open group, what it was when that group opened); after every call that succeeds outside an
// update bracket, the configuration passes the whole check of its root, until an edit whose own check is local
// leaves it failing (see ChecksOnlyLocally); read-only calls change nothing; and every read gives what a
// converter that has just loaded the same document gives, so that no cached lookup outlives what it found.
//
// Script: the first byte chooses the start (3 modulo 4: a generated configuration with one channel of each
// kind, otherwise the smaller and faster default configuration); then up to kMaxCalls calls, each an operation byte and its arguments. Paths
// come from the version-7 schema itself, so every element and attribute can be reached.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/config_generator.h"
#include "client/index_list.h"
#include "fuzz/fuzz_converter.h"
#include "schema/device_v7.h"

using namespace vrk;
using namespace vrk::fuzz;

namespace {

constexpr int kMaxCalls = 24;
// What a read gives when it fails; no value or element text has this form.
const std::u16string kFailed = u"<E_FAIL>";

struct SchemaPaths {
  std::vector<std::string> elements;    // "A\B\" for every element below the root, and "" for the root
  std::vector<std::string> attributes;  // "A\B\name" for every attribute
};

void Collect(const CNodeTagInfoXML& element, const std::string& path, SchemaPaths& paths) {
  paths.elements.push_back(path);
  for (const CNodeAttrInfoXML* attribute : element.attributes()) paths.attributes.push_back(path + attribute->name());
  for (const CNodeTagInfoXML* child : element.children()) Collect(*child, path + child->name() + "\\", paths);
}

const SchemaPaths& Paths() {
  static const SchemaPaths paths = [] {
    SchemaPaths p;
    CNodeTag_VRK_DeviceV7 root;
    Collect(root, "", p);
    return p;
  }();
  return paths;
}

// Value texts that hit limits, keys and dictionaries of the schema, and some that no attribute takes.
const char* const kValues[] = {"0",   "1",    "2",    "3",     "5",    "7",     "10",   "16",  "17",
                               "49",  "50",   "55",   "100",   "101",  "102",   "103",  "201", "202",
                               "334", "-1",   "-50",  "1.5",   "0.001", "65535", "65536", "4000", "1600",
                               "8192", "12500", "abc", "",     " 7 ",  "1e3",   "99999999999"};

// Element texts for SetNodeText beside the texts of existing occurrences.
const char* const kFragments[] = {
    "", "not xml", "<a/>", "<VibroChannel number=\"3\" unit=\"102\" trn_sens=\"7\" trn_offset=\"0\"/>",
    "<band number=\"1\" minvalue=\"0\" maxvalue=\"10\" low_freq=\"10\" high_freq=\"100\"/>",
    "<Element Number=\"1\"><Tag ChannelNum=\"1\" ParamNum=\"0\"/></Element>", "<Output Number=\"9\"/>"};

class Script {
 public:
  Script(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t Word() { return Byte() | static_cast<uint32_t>(Byte()) << 8; }
  std::string Bytes(std::size_t n) {
    std::string s;
    while (n-- && !Done()) s += static_cast<char>(Byte());
    return s;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// `text` with every byte outside printable ASCII written as \xHH, for the trace of a finding.
std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

class Run {
 public:
  Run(const uint8_t* data, std::size_t size) : script_(data, size), converter_(NewConverter()) {}

  void Go() {
    if (!Load()) return;
    snapshot_ = XmlOf(*converter_.get());
    base_ = snapshot_;
    for (int call = 0; call < kMaxCalls && !script_.Done(); ++call) Step();
    if (std::getenv("FUZZ_TRACE")) std::fprintf(stderr, "%s\n\n", trace_.c_str());
  }

 private:
  enum Kind { kEdit, kReadOnly, kPending };

  bool Load() {
    if (script_.Byte() % 4 != 3) return converter_->CreateNewCfg() == S_OK;
    static const BStr generated(std::string_view(bench::GenerateConfiguration(1)));
    return converter_->put_XML(generated.get()) == S_OK;
  }

  ComPtr<IVRK5420CfgConValueIndexes> Indexes() {
    client::IndexList entries(script_.Byte() % 4);
    trace_ += "[";
    for (client::IndexEntry& entry : entries) {
      const uint8_t b = script_.Byte();
      entry = {(b & 0x80) != 0, b & 0x1Fu};
      trace_ += (b & 0x80 ? "k" : "p") + std::to_string(entry.value) + " ";
    }
    trace_ += "]";
    return client::MakeIndexList(entries);
  }
  BStr Element() {
    const auto& all = Paths().elements;
    const std::string& path = all[script_.Word() % all.size()];
    trace_ += " " + path;
    return BStr(std::string_view(path));
  }
  BStr Attribute() {
    const auto& all = Paths().attributes;
    const std::string& path = all[script_.Word() % all.size()];
    trace_ += " " + path;
    return BStr(std::string_view(path));
  }
  // A value text; 0xFE gives none (a null BSTR: SetValue removes the attribute), 0xFF the next bytes.
  BStr Value() {
    const uint8_t choice = script_.Byte();
    if (choice == 0xFE) {
      trace_ += " null";
      return BStr();
    }
    std::string value = choice == 0xFF ? script_.Bytes(script_.Byte() % 16)
                                       : kValues[choice % (sizeof kValues / sizeof kValues[0])];
    trace_ += " '" + Printable(value) + "'";
    return BStr(std::string_view(value));
  }
  // The text of an existing occurrence (possibly of another element) or a fixed fragment.
  BStr Fragment() {
    const uint8_t choice = script_.Byte();
    if (choice & 1) {
      BStr name = Element(), text;
      auto at = Indexes();
      converter_->GetNodeText(name.get(), at.get(), text.Out());
      TakeError();
      return text;
    }
    return BStr(std::string_view(kFragments[(choice >> 1) % (sizeof kFragments / sizeof kFragments[0])]));
  }

  // One call with its arguments, the kind of call it is, and what it returned.
  void Step() {
    const uint8_t op = script_.Byte() % 14;
    last_op_ = op;
    trace_ += "\n" + std::to_string(op) + ":";
    Kind kind = kEdit;
    HRESULT hr = S_OK;
    switch (op) {
      case 0: {
        BStr name = Attribute();
        auto at = Indexes();
        BSTR value = Value().release();
        hr = converter_->SetValue(name.get(), at.get(), &value);
        SysFreeString(value);
        break;
      }
      case 1: {
        BStr name = Element();
        hr = converter_->CreateNode(name.get(), Indexes().get());
        break;
      }
      case 2: {
        BStr name = Element();
        hr = converter_->DeleteNode(name.get(), Indexes().get());
        break;
      }
      case 3: {
        BStr name = Element();
        auto at = Indexes();
        LONG offset = static_cast<int8_t>(script_.Byte()) % 8;
        trace_ += " by " + std::to_string(offset);
        hr = converter_->MoveNode(name.get(), at.get(), &offset);
        break;
      }
      case 4: {
        BStr name = Element();
        auto at = Indexes();
        BStr text = Fragment();
        hr = converter_->SetNodeText(name.get(), at.get(), text.get());
        break;
      }
      case 5: {
        BStr name = Element();
        hr = converter_->ArrangeNodeData(name.get(), Indexes().get());
        break;
      }
      case 6:
        hr = converter_->BeginUpdate();
        if (hr == S_OK) ++depth_;
        break;
      case 7:
        hr = converter_->EndUpdate();
        if (depth_ > 0) --depth_;
        break;
      case 8:
        hr = converter_->put_ImperialSystemMeasurement(static_cast<LONG>(script_.Byte() % 3) - 1);
        kind = kPending;  // changes no document and commits no open group
        break;
      case 9: {
        const LONG on = script_.Byte() & 1;
        trace_ += on ? " on" : " off";
        hr = converter_->put_IdenticalVibroBands(on);  // an edit like any other: outside a bracket it commits
        break;
      }
      case 10:
        hr = converter_->put_CompatibilityThrsSCADA21(script_.Byte() & 1);
        kind = kPending;  // the switch leaves its group open: the next edit commits or undoes it with its own
        break;
      case 11: {
        BStr name = Attribute();
        auto at = Indexes();
        BSTR value = Value().release();
        hr = converter_->CheckValueRanges(name.get(), at.get(), &value);
        SysFreeString(value);
        kind = kReadOnly;
        break;
      }
      case 12: {
        BStr name = Attribute();
        auto at = Indexes();
        const std::u16string value = ValueAt(*converter_.get(), name.get(), at.get());
        hr = value == kFailed ? E_FAIL : S_OK;
        if (IVRK5420CfgConverter* fresh = Fresh(); fresh && ValueAt(*fresh, name.get(), at.get()) != value)
          Finding("a read found what the document does not hold", trace_ + " -> " + Utf16ToUtf8(value));
        kind = kReadOnly;
        break;
      }
      default: {
        BStr name = Element();
        auto at = Indexes();
        const std::u16string occurrence = OccurrenceAt(*converter_.get(), name.get(), at.get());
        if (IVRK5420CfgConverter* fresh = Fresh(); fresh && OccurrenceAt(*fresh, name.get(), at.get()) != occurrence)
          Finding("a lookup found what the document does not hold", trace_ + "\n" + Utf16ToUtf8(occurrence));
        hr = converter_->CheckNodeData(name.get(), at.get());
        kind = kReadOnly;
        break;
      }
    }
    const std::string error = FAILED(hr) ? TakeError() : std::string();
    trace_ += FAILED(hr) ? " -> E_FAIL " + error : " -> S_OK";
    if (ChecksOnlyLocally(op) && SUCCEEDED(hr) && depth_ > 0) local_check_in_bracket_ = true;
    Verify(kind, hr);
    if (depth_ == 0) local_check_in_bracket_ = false;
  }

  // What GetValue gives: the value, or kFailed.
  static std::u16string ValueAt(IVRK5420CfgConverter& converter, BSTR name, IVRK5420CfgConValueIndexes* at) {
    BStr value;
    if (FAILED(converter.GetValue(name, at, value.Out()))) {
      TakeError();
      return kFailed;
    }
    return value.ToUtf16();
  }
  // What GetNodesCount and GetNodeText give, as one text.
  static std::u16string OccurrenceAt(IVRK5420CfgConverter& converter, BSTR name, IVRK5420CfgConValueIndexes* at) {
    ULONG count = 0;
    BStr text;
    const HRESULT counted = converter.GetNodesCount(name, at, &count);
    const HRESULT read = converter.GetNodeText(name, at, text.Out());
    TakeError();
    return (FAILED(counted) ? kFailed : Utf8ToUtf16(std::to_string(count))) + u"|" +
           (FAILED(read) ? kFailed : text.ToUtf16());
  }
  // A converter that loaded the document as it stands, in the same unit system: it has looked nothing up yet,
  // so its reads say what the document holds. Null when the document does not load as it stands (a failing
  // check, or a load that normalises it).
  IVRK5420CfgConverter* Fresh() {
    if (fresh_text_ != snapshot_) {
      fresh_text_ = snapshot_;
      fresh_ = NewConverter();
      BStr text{std::u16string_view(snapshot_)};
      if (fresh_->put_XML(text.get()) != S_OK || !Same(XmlOf(*fresh_.get()), snapshot_)) {
        TakeError();
        fresh_.Reset();
      }
    }
    if (!fresh_) return nullptr;
    LONG imperial = 0;
    converter_->get_ImperialSystemMeasurement(&imperial);
    fresh_->put_ImperialSystemMeasurement(imperial);
    return fresh_.get();
  }

  static bool IsModeSwitch(uint8_t op) { return op == 8 || op == 9 || op == 10; }
  // Whole-text comparison as one memory comparison: it runs after nearly every call.
  static bool Same(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
  }
  // The edits whose own check covers only what they touched, so that a configuration passing the whole check
  // before may fail it after they succeed. SetValue and CreateNode create the elements on their path that do not
  // exist yet, writing the key of the index list unchecked and checking only the value written or the element
  // named: a created ancestor may lack mandatory parts, carry a key out of range or break a rule of its parent.
  // DeleteNode checks the parent's structure without its values (a count of cycles that drops to 0 is a value)
  // and nothing for a removed channel that others refer to; SetNodeText checks the new element's structure, not
  // its values. The band-set switches check nothing: turning DIDIR 2.1 compatibility on rebuilds every channel's
  // parameters with their default values, which the channel's measuring range may not admit.
  static bool ChecksOnlyLocally(uint8_t op) {
    return op == 0 || op == 1 || op == 2 || op == 4 || op == 9 || op == 10;
  }

  void Verify(Kind kind, HRESULT hr) {
    const std::u16string after = XmlOf(*converter_.get());
    if (IsModeSwitch(last_op_) && SUCCEEDED(hr)) passed_.clear();
    if (kind == kReadOnly) {
      if (!Same(after, snapshot_)) Finding("a read-only call changed the document", trace_ + "\n" + FirstDifference(snapshot_, after));
    } else if (FAILED(hr)) {
      if (!Same(after, snapshot_) && !Same(after, base_)) Finding("a failed call left a changed document", trace_ + "\n" + FirstDifference(snapshot_, after) + "\nagainst the state the open group began with:\n" + FirstDifference(base_, after));
      // A nested BeginUpdate clears the changed-in-bracket flag, and without it a failed check at the outermost
      // EndUpdate undoes nothing: the edits of the bracket stay, with the value that failed.
      if (last_op_ == 7 && depth_ == 0 && !Same(after, base_)) gap_ = true;
    } else if (depth_ == 0 && !gap_ && !Same(after, passed_)) {
      // A document that passed the check before passes it again (a mode switch forgets that it passed).
      BStr root("");
      if (converter_->CheckNodeData(root.get(), nullptr) != S_OK) {
        const std::string error = TakeError();
        // After an edit that checks only locally the configuration is left as it is; any other call that leaves
        // it failing is a finding (an EndUpdate closing a bracket with such edits counts as them).
        if (!ChecksOnlyLocally(last_op_) && !(last_op_ == 7 && local_check_in_bracket_))
          Finding("a successful call left a configuration that fails its check", trace_ + "\n" + error);
        gap_ = true;
      } else {
        passed_ = after;
      }
    }
    snapshot_ = after;
    // The state that a failure undoes back to: the last committed one. A failure either undid the open group,
    // and the document is at base_ already, or left it open (EndUpdate without a bracket, for one).
    if (depth_ == 0 && SUCCEEDED(hr) && kind == kEdit) base_ = after;
  }

  Script script_;
  ComPtr<IVRK5420CfgConverter> converter_;
  std::u16string snapshot_;  // XML get after the previous call
  std::u16string base_;      // XML get when the open group (bracket or pending switch) began
  std::u16string passed_;    // XML get when the whole check last passed
  int depth_ = 0;
  uint8_t last_op_ = 0;
  bool local_check_in_bracket_ = false;  // the open bracket holds an edit that checks only locally
  bool gap_ = false;  // the configuration fails its check since an edit that checks only locally
  std::string trace_;
  ComPtr<IVRK5420CfgConverter> fresh_;  // see Fresh()
  std::u16string fresh_text_;            // the document fresh_ loaded, or tried to
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const int language = (SetThreadUILanguage(1033), 0);
  (void)language;
  Run(data, size).Go();
  return 0;
}
