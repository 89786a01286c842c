// The thread's UI language and locale: per thread, defaulting to the environment's language.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/oleauto.h"

namespace {

// Sets the locale variables for one test and puts the old values back afterwards.
class LocaleEnvironment : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kNames[i]);
      if (value) saved_[i] = value;
      unsetenv(kNames[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
    SetThreadUILanguage(0);
    SetThreadLocale(0);
  }
  static void Set(const char* name, const char* value) { setenv(name, value, 1); }

  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved_[3];
};

TEST_F(LocaleEnvironment, FirstNonEmptyVariableDecides) {
  EXPECT_EQ(GetThreadUILanguage(), 1033);  // nothing set
  Set("LANG", "ru_RU.UTF-8");
  EXPECT_EQ(GetThreadUILanguage(), 1049);
  EXPECT_EQ(GetThreadLocale(), 1049u);
  Set("LC_MESSAGES", "en_US.UTF-8");
  EXPECT_EQ(GetThreadUILanguage(), 1033);
  Set("LC_ALL", "");  // empty: skipped
  EXPECT_EQ(GetThreadUILanguage(), 1033);
  Set("LC_ALL", "ru");
  EXPECT_EQ(GetThreadUILanguage(), 1049);
  Set("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(GetThreadUILanguage(), 1033);
  EXPECT_EQ(GetThreadLocale(), 1033u);
}

TEST_F(LocaleEnvironment, SetLanguageAndLocaleOverrideUntilReset) {
  Set("LANG", "ru_RU.UTF-8");
  EXPECT_EQ(SetThreadUILanguage(1033), 1033);
  EXPECT_EQ(GetThreadUILanguage(), 1033);
  EXPECT_EQ(SetThreadUILanguage(0), 1049);  // reports the language now in effect
  EXPECT_EQ(GetThreadUILanguage(), 1049);
  EXPECT_EQ(SetThreadLocale(1033), 1);  // the locale likewise, with an alias for the user's default
  EXPECT_EQ(GetThreadLocale(), 1033u);
  EXPECT_EQ(SetThreadLocale(0x0400), 1);
  EXPECT_EQ(GetThreadLocale(), 1049u);
}

TEST_F(LocaleEnvironment, LanguageAndLocaleArePerThread) {
  SetThreadUILanguage(1049);
  EXPECT_EQ(SetThreadLocale(1049), 1);
  std::thread([] {
    EXPECT_EQ(GetThreadUILanguage(), 1033);
    EXPECT_EQ(GetThreadLocale(), 1033u);
    SetThreadUILanguage(1033);
  }).join();
  EXPECT_EQ(GetThreadUILanguage(), 1049);
  EXPECT_EQ(GetThreadLocale(), 1049u);
}

}  // namespace
