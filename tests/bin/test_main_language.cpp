// Every test compares English message texts.
#include <gtest/gtest.h>

#include "platform/oleauto.h"

namespace {

class EnglishMessages : public ::testing::Environment {
 public:
  void SetUp() override { SetThreadUILanguage(1033); }
};

const auto* const kEnglish = ::testing::AddGlobalTestEnvironment(new EnglishMessages);

}  // namespace
