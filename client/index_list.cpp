#include "client/index_list.h"

#include "client/object_factory.h"

namespace vrk::client {

IndexList Positions(std::initializer_list<uint32_t> positions) {
  IndexList list;
  for (uint32_t p : positions) list.push_back({false, p});
  return list;
}

ComPtr<IVRK5420CfgConValueIndexes> MakeIndexList(const IndexList& entries) {
  auto list = CreateObject<IVRK5420CfgConValueIndexes>(CLSID_VRK5420CfgConValueIndexes,
                                                        IID_IVRK5420CfgConValueIndexes);
  Check(list->put_Count(static_cast<ULONG>(entries.size())));
  for (ULONG i = 0; i < entries.size(); ++i) {
    Check(list->put_UseAttr(i, entries[i].use_attr ? 1 : 0));
    Check(list->put_Value(i, entries[i].value));
  }
  return list;
}

}  // namespace vrk::client
