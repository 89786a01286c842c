// What an image holds that its version's importer does not read into the configuration, since no value of any
// configuration document holds it: one line per kind of record, for reports of what a conversion leaves behind.
#pragma once

#include <string>
#include <vector>

#include "bin/tag_tree_v1.h"
#include "bin/tag_tree_v2.h"
#include "bin/tag_tree_v6.h"
#include "bin/tag_tree_v7.h"

namespace vrk {

// Profibus settings other than those every exported image carries, and recommendation records; for version 1
// also the body record, whose 30 bytes have no known layout.
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv1& tree);
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv2& tree);
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv6& tree);
std::vector<std::string> UnreadRecords(const bin::CTagBIN_CONFv7& tree);

}  // namespace vrk
