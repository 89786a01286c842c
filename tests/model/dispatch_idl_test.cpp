// The late-binding tables against the interface definition file that the type library is compiled from: every
// member's name, dispatch identifier, kind, parameter types and result, in declaration order, so that the Linux
// dispatcher and the Windows type library cannot drift apart.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "interface/converter_dispatch.h"

namespace vrk {
namespace {

// A row's kinds must be its method's parameter types: a missing parameter, or an [in] kind where the method
// takes a reference, is no row.
static_assert(DispRowFits<&IVRK5420CfgConverter::MoveNode, DispType::kBstr, DispType::kIndexes, DispType::kI4InOut>);
static_assert(!DispRowFits<&IVRK5420CfgConverter::MoveNode, DispType::kBstr, DispType::kIndexes, DispType::kI4>);
static_assert(!DispRowFits<&IVRK5420CfgConverter::GetValue, DispType::kBstr, DispType::kBstrOut>);

// One member as the definition file declares it, in the table's terms.
struct Declared {
  std::string name;
  DISPID id = 0;
  DispKind kind = DispKind::kMethod;
  std::vector<DispType> params;
  DispType result = DispType::kNone;

  bool operator==(const Declared&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Declared& d) {
  out << d.name << " id " << std::hex << d.id << std::dec << " kind " << static_cast<int>(d.kind) << " (";
  for (DispType t : d.params) out << static_cast<int>(t) << " ";
  return out << ") -> " << static_cast<int>(d.result);
}

// The table's type of a parameter from its direction attributes and its declared type.
DispType TypeOf(const std::string& direction, std::string type) {
  type = std::regex_replace(type, std::regex("\\s+"), "");
  static const std::map<std::string, DispType> kIn = {
      {"BSTR", DispType::kBstr}, {"LONG", DispType::kI4}, {"ULONG", DispType::kUI4},
      {"SAFEARRAY(BYTE)", DispType::kBytes}, {"IVRK5420CfgConValueIndexes*", DispType::kIndexes}};
  static const std::map<std::string, DispType> kOut = {
      {"BSTR*", DispType::kBstrOut}, {"LONG*", DispType::kI4Out}, {"ULONG*", DispType::kUI4Out},
      {"SAFEARRAY(BYTE)*", DispType::kBytesOut}, {"VRK5420CfgConDataRange*", DispType::kRangeOut}};
  static const std::map<std::string, DispType> kInOut = {{"BSTR*", DispType::kBstrInOut},
                                                         {"LONG*", DispType::kI4InOut}};
  const auto& map = direction == "in" ? kIn : direction == "in,out" ? kInOut : kOut;
  const auto found = map.find(type);
  return found == map.end() ? DispType::kNone : found->second;
}

// The members of `interface_name` as the definition file declares them, in order.
std::vector<Declared> DeclaredMembers(const std::string& interface_name) {
  std::ifstream file(VRK_SOURCE_DIR "/interface/vrk5420_interfaces.idl");
  std::stringstream text;
  text << file.rdbuf();
  const std::string idl = text.str();
  const std::size_t start = idl.find("interface " + interface_name + " :");
  EXPECT_NE(start, std::string::npos) << interface_name;
  const std::size_t open = idl.find('{', start), close = idl.find("};", start);
  const std::string body = idl.substr(open + 1, close - open - 1);

  static const std::regex kMember(R"(\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\(([^;]*)\)\s*;)");
  static const std::regex kParam(R"(\[([^\]]*)\]\s*([^\[,]*?)\s*\w+\s*(,|$))");
  static const std::regex kId(R"(id\((0x[0-9A-Fa-f]+)\))");
  std::vector<Declared> members;
  for (std::sregex_iterator m(body.begin(), body.end(), kMember), end; m != end; ++m) {
    Declared d;
    const std::string attributes = (*m)[1];
    d.name = (*m)[2];
    std::smatch id;
    std::regex_search(attributes, id, kId);
    d.id = static_cast<DISPID>(std::stoul(id[1], nullptr, 16));
    d.kind = attributes.find("propget") != std::string::npos   ? DispKind::kGet
             : attributes.find("propput") != std::string::npos ? DispKind::kPut
                                                               : DispKind::kMethod;
    const std::string params = (*m)[3];
    for (std::sregex_iterator p(params.begin(), params.end(), kParam); p != end; ++p) {
      std::string direction = std::regex_replace((*p)[1].str(), std::regex("\\s+"), "");
      const bool retval = direction == "out,retval";
      if (retval) direction = "out";
      const DispType type = TypeOf(direction, (*p)[2]);
      EXPECT_NE(type, DispType::kNone) << d.name << ": " << (*p)[0];
      (retval ? d.result : d.params.emplace_back()) = type;
    }
    members.push_back(d);
  }
  return members;
}

template <class Iface>
std::vector<Declared> TableMembers(const DispatchTable<Iface>& table) {
  std::vector<Declared> members;
  for (const auto& m : table.members()) {
    Declared d{m.signature.name, m.signature.id, m.signature.kind, {}, m.signature.result};
    for (std::size_t i = 0; i < m.signature.param_count(); ++i) d.params.push_back(m.signature.params[i]);
    members.push_back(d);
  }
  return members;
}

// Compares member by member, so that a failure names the member that differs.
void ExpectSameMembers(const std::vector<Declared>& table, const std::vector<Declared>& declared) {
  ASSERT_EQ(table.size(), declared.size());
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i], declared[i]) << "member " << i;
}

TEST(DispatchIdl, BothTablesAreTheDeclaredInterfaces) {
  const std::vector<Declared> converter = DeclaredMembers("IVRK5420CfgConverter");
  EXPECT_EQ(converter.size(), 29u);
  ExpectSameMembers(TableMembers(ConverterDispatch()), converter);
  const std::vector<Declared> indexes = DeclaredMembers("IVRK5420CfgConValueIndexes");
  EXPECT_EQ(indexes.size(), 6u);
  ExpectSameMembers(TableMembers(ValueIndexesDispatch()), indexes);
}

}  // namespace
}  // namespace vrk
