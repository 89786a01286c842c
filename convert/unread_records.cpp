#include "convert/unread_records.h"

#include "bin/records_v7.h"

namespace vrk {
namespace {

template <class TREE>
std::vector<std::string> UnreadInEveryVersion(const TREE& tree) {
  std::vector<std::string> unread;
  const auto& pbus = tree.ConfigHeader().pbus;
  if (pbus.IsPresent() && !pbus.Records().empty()) {
    const bin::PROFIBUS& record = pbus.Record();
    const bin::PROFIBUS exported = bin::ConstantProfibus();
    if (record.head != exported.head || record.settings != exported.settings)
      unread.push_back("PBUS: Profibus settings");
  }
  const auto& rgpa = tree.ConfigBody().rgpa;
  if (rgpa.IsPresent() && !rgpa.List().Records().empty())
    unread.push_back("RGPA: " + std::to_string(rgpa.List().Records().size()) + " recommendation records");
  return unread;
}

}  // namespace

std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv1& tree) {
  std::vector<std::string> unread = UnreadInEveryVersion(tree);
  unread.insert(unread.begin(),
                "CFGB: the version-1 body record (" + std::to_string(bin::CONFIGBODYv1::kSize) +
                    " bytes of an unknown layout)");
  return unread;
}

std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv2& tree) { return UnreadInEveryVersion(tree); }
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv6& tree) { return UnreadInEveryVersion(tree); }
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv7& tree) { return UnreadInEveryVersion(tree); }

}  // namespace vrk
