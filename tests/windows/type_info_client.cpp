// Walks the type information that the registered converter hands out through IDispatch and compares it with the
// interface as declared: every function's name, dispatch identifier, kind, place in the table and parameters.
// Usage: type_info_client. Exit code 0 when every check passed.
#include <string>
#include <vector>

#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "tests/windows/client_checks.h"

namespace {

using namespace vrk::wintest;
using vrk::ComPtr;

// One function as declared: parameter directions are 'i' [in], 'o' [out], 'b' [in, out], 'r' [out, retval].
struct Declared {
  const wchar_t* name;
  MEMBERID id;
  INVOKEKIND kind;
  const char* params;
};

constexpr INVOKEKIND kMethod = INVOKE_FUNC, kGet = INVOKE_PROPERTYGET, kPut = INVOKE_PROPERTYPUT;

// IVRK5420CfgConverter in table order.
const Declared kDeclared[] = {
    {L"XML", 0x60020000, kGet, "r"},
    {L"XML", 0x60020000, kPut, "i"},
    {L"BIN", 0x60020002, kGet, "r"},
    {L"BIN", 0x60020002, kPut, "i"},
    {L"GetBIN", 0x60020004, kMethod, "oo"},
    {L"CreateNewCfg", 0x60020005, kMethod, ""},
    {L"GetValueRanges", 0x60020006, kMethod, "iio"},
    {L"GetValue", 0x60020007, kMethod, "iir"},
    {L"SetValue", 0x60020008, kMethod, "iib"},
    {L"CreateNode", 0x60020009, kMethod, "ii"},
    {L"DeleteNode", 0x6002000A, kMethod, "ii"},
    {L"MoveNode", 0x6002000B, kMethod, "iib"},
    {L"GetNodeText", 0x15, kMethod, "iio"},
    {L"SetNodeText", 0x6002000D, kMethod, "iii"},
    {L"CheckValueRanges", 0x6002000E, kMethod, "iib"},
    {L"BeginUpdate", 0x6002000F, kMethod, ""},
    {L"EndUpdate", 0x60020010, kMethod, ""},
    {L"GetNodesCount", 0x60020011, kMethod, "iir"},
    {L"GetChanged", 0x60020012, kMethod, "or"},
    {L"IdenticalVibroBands", 0x60020013, kGet, "r"},
    {L"IdenticalVibroBands", 0x60020013, kPut, "i"},
    {L"FlushUndoRedo", 0x60020015, kMethod, "i"},
    {L"SetSavePoint", 0x60020016, kMethod, ""},
    {L"ImperialSystemMeasurement", 0x60020017, kGet, "r"},
    {L"ImperialSystemMeasurement", 0x60020017, kPut, "i"},
    {L"ArrangeNodeData", 0x60020019, kMethod, "ii"},
    {L"CheckNodeData", 0x6002001A, kMethod, "ii"},
    {L"CompatibilityThrsSCADA21", 0x6002001B, kGet, "r"},
    {L"CompatibilityThrsSCADA21", 0x6002001B, kPut, "i"},
};

// The seven functions of IUnknown and IDispatch come first in the table.
constexpr int kInheritedFunctions = 7;

char Direction(USHORT flags) {
  if (flags & PARAMFLAG_FRETVAL) return 'r';
  if ((flags & PARAMFLAG_FIN) && (flags & PARAMFLAG_FOUT)) return 'b';
  if (flags & PARAMFLAG_FOUT) return 'o';
  return 'i';
}

// The function at `index` of `info` as the declaration table writes it, or an explanation of what differs.
std::string Compare(ITypeInfo* info, UINT index, const Declared& declared) {
  FUNCDESC* desc = nullptr;
  if (FAILED(info->GetFuncDesc(index, &desc))) return "no function description";
  std::string problem;
  Bstr name;
  if (FAILED(info->GetDocumentation(desc->memid, name.Out(), nullptr, nullptr, nullptr)) ||
      !name.Equals(declared.name))
    problem += " name";
  if (desc->memid != declared.id) problem += " dispatch identifier";
  if (desc->invkind != declared.kind) problem += " kind";
  if (desc->oVft != static_cast<SHORT>((kInheritedFunctions + index) * sizeof(void*))) problem += " table slot";
  std::string params;
  for (SHORT i = 0; i < desc->cParams; ++i) params += Direction(desc->lprgelemdescParam[i].paramdesc.wParamFlags);
  if (params != declared.params) problem += " parameters (" + params + ")";
  info->ReleaseFuncDesc(desc);
  return problem;
}

void CheckInterface(CheckLog& log, ITypeInfo* dispatch_info, IDispatch* object) {
  TYPEATTR* attr = nullptr;
  if (!log.Expect(SUCCEEDED(dispatch_info->GetTypeAttr(&attr)), "the type information has attributes")) return;
  log.Expect(IsEqualGUID(attr->guid, IID_IVRK5420CfgConverter) && attr->typekind == TKIND_DISPATCH &&
                 (attr->wTypeFlags & TYPEFLAG_FDUAL),
             "it describes IVRK5420CfgConverter as a dual interface");
  dispatch_info->ReleaseTypeAttr(attr);

  // The dual interface's table part: exactly the declared functions, in their order.
  HREFTYPE table_ref = 0;
  ComPtr<ITypeInfo> table;
  if (!log.Expect(SUCCEEDED(dispatch_info->GetRefTypeOfImplType(-1, &table_ref)) &&
                      SUCCEEDED(dispatch_info->GetRefTypeInfo(table_ref, table.Out())),
                  "the interface behind the dispatch description is reachable"))
    return;
  if (!log.Expect(SUCCEEDED(table->GetTypeAttr(&attr)), "the interface has attributes")) return;
  const UINT count = attr->cFuncs;
  table->ReleaseTypeAttr(attr);
  const UINT declared = sizeof kDeclared / sizeof kDeclared[0];
  std::printf("# %u functions\n", count);
  log.Expect(count == declared, "the interface has every declared function and no other");
  int mismatches = 0;
  int unnamed = 0;
  for (UINT i = 0; i < count && i < declared; ++i) {
    const std::string problem = Compare(table.get(), i, kDeclared[i]);
    if (!problem.empty()) {
      std::printf("# function %u (%ls):%s\n", i, kDeclared[i].name, problem.c_str());
      ++mismatches;
    }
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(kDeclared[i].name)};
    if (object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) != S_OK || id != kDeclared[i].id) {
      std::printf("# GetIDsOfNames(%ls) gives 0x%08lX\n", kDeclared[i].name, id);
      ++unnamed;
    }
  }
  log.Expect(mismatches == 0, "each function has the declared name, identifier, kind, slot and parameters");
  log.Expect(unnamed == 0, "GetIDsOfNames finds each function's identifier by its name");
}

void Run(CheckLog& log) {
  auto object = CreateByProgId<IDispatch>(kConverterProgId, IID_IDispatch);
  if (!log.Expect(static_cast<bool>(object), "the converter is created by ProgID as IDispatch")) return;
  UINT count = 0;
  log.Expect(object->GetTypeInfoCount(&count) == S_OK && count == 1, "GetTypeInfoCount gives 1");
  ComPtr<ITypeInfo> info;
  if (!log.ExpectHr(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Out()), S_OK, "GetTypeInfo(0) succeeds"))
    return;
  ComPtr<ITypeInfo> none;
  log.ExpectHr(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, none.Out()), DISP_E_BADINDEX,
               "GetTypeInfo(1) has no type information");
  CheckInterface(log, info.get(), object.get());
}

}  // namespace

int main() {
  CheckLog log;
  ComApartment apartment;
  if (!log.Expect(SUCCEEDED(apartment.result()), "COM starts")) return log.ExitCode();
  Run(log);
  return log.ExitCode();
}
