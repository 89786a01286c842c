// The message table: lookup in the calling thread's language, and argument filling.
#include "interface/message_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "interface/message_ids.h"
#include "platform/oleauto.h"

namespace vrk {
namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kRussian = 1049;

// Runs `lookup` on a fresh thread whose UI language is `language`.
std::string InLanguage(LANGID language, const std::function<std::string()>& lookup) {
  std::string result;
  std::thread([&] {
    SetThreadUILanguage(language);
    result = lookup();
  }).join();
  return result;
}

std::string Load(LANGID language, uint32_t number) {
  return InLanguage(language, [number] { return LoadMessage(number); });
}

// Texts follow the thread's language (any other than Russian reads English), neutral entries serve every
// language, and texts keep their trailing blanks and doubled quotes.
TEST(MessageTable, FollowsThreadLanguage) {
  EXPECT_EQ(Load(kEnglish, 111), "The configuration has not been loaded");
  EXPECT_EQ(Load(kRussian, 111), "Конфигурация не была загружена");
  EXPECT_EQ(Load(kRussian, 134), "строка:");
  EXPECT_EQ(Load(kRussian, 139), "мм/c");  // Latin c, as in the table
  EXPECT_EQ(Load(kRussian, 116), "Заголовок тэга \"%s\" предполагает больший размер данных, чем имеется.");
  EXPECT_EQ(Load(1031, 104), "XML document creation error");
  EXPECT_EQ(Load(kEnglish, 204), "1,5");
  EXPECT_EQ(Load(kRussian, 204), "1,5");
  EXPECT_EQ(Load(kRussian, 217), "16 - Write Multiple Registers");
  EXPECT_EQ(Load(kEnglish, 108), "Tag header cannot be read ");
  EXPECT_EQ(Load(kRussian, 108), "Заголовок тэга не может быть полностью прочитан");
  EXPECT_EQ(Load(kEnglish, 163), "The linearization points in the column \"\"Signal\"\" should not be repeated");
  EXPECT_EQ(Load(kRussian, 164), "Значения точек линеаризации в столбце \"\"Значение\"\" не должны повторяться");
}

TEST(MessageTable, LanguageSwitchesWithinOneThreadAndMissingEntriesAreEmpty) {
  const std::string texts = InLanguage(kRussian, [] {
    std::string both = LoadMessage(kMsgAnd);
    SetThreadUILanguage(kEnglish);
    return both + "|" + LoadMessage(kMsgAnd);
  });
  EXPECT_EQ(texts, "и|and");
  for (LANGID language : {kEnglish, kRussian}) {
    for (uint32_t number : {0u, 100u, 173u, 200u, 218u, 65536u + 111u}) {
      EXPECT_EQ(Load(language, number), "") << language << " " << number;
    }
  }
}

TEST(MessageTable, FormatFillsPlaceholdersLeftToRight) {
  const auto format153 = [] { return FormatMessageArgs(kMsgReceivedTableTooLarge, {"10", "20", "30"}); };
  EXPECT_EQ(InLanguage(kEnglish, format153),
            "Sum of values\n\"Table of received parameters, number of received parameters (10)\"\ne\n"
            "\"Table of received parameters, number of received control bits (20)\"\n mustn't exceed 30");
  EXPECT_EQ(InLanguage(kRussian, format153),
            "Сумма значений\n\"Таблица принимаемых параметров, количество принимаемых параметров (10)\"\nи\n"
            "\"Таблица принимаемых параметров, количество принимаемых битов управления (20)\"\nне должны превышать 30");
  // An argument holding "%s" is not filled again; a missing argument leaves the placeholder.
  EXPECT_EQ(InLanguage(kEnglish, [] { return FormatMessageArgs(kMsgReferenceMissing, {"%s"}); }),
            "The node \"%s\" must refer to one of existing nodes \"%s\"");
  EXPECT_EQ(InLanguage(kEnglish, [] { return FormatMessageArgs(kMsgNoMandatoryTag, {"CFGH", "extra"}); }),
            "No mandatory tag: \"CFGH\"");
}

TEST(MessageTable, ThrowCarriesTextAndDetail) {
  const std::string seen = InLanguage(kRussian, [] {
    try {
      ThrowMessageArgs(kMsgMandatoryTagNotSpecified, {"MCYC"}, "\\VRK_Device");
    } catch (const CConvException& e) {
      return e.message() + "|" + e.detail();
    }
    return std::string();
  });
  EXPECT_EQ(seen, "Обязательный тэг \"MCYC\" не определен|\\VRK_Device");
}

}  // namespace
}  // namespace vrk
