// The words and commands of an edit script: quoting, comments, and the checks made before anything runs.
#include <gtest/gtest.h>

#include "tools/command_args.h"
#include "tools/edit_script.h"

namespace vrk::tools {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptWords, BlanksSeparateQuotesKeepBlanksAndScriptWordQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(SplitScriptWords("set  Region_settings\\Hysteresis_percent\t10 "),
            (Words{"set", "Region_settings\\Hysteresis_percent", "10"}));
  EXPECT_EQ(SplitScriptWords("create TachoChannels\\TachoChannel\\ #1"),
            (Words{"create", "TachoChannels\\TachoChannel\\", "#1"}));
  // Quotes keep blanks, and a doubled quote stands for one.
  EXPECT_EQ(SplitScriptWords(R"(set X "Pump 2, ""north"" side")"), (Words{"set", "X", "Pump 2, \"north\" side"}));
  EXPECT_EQ(SplitScriptWords(R"(set X "" 0)"), (Words{"set", "X", "", "0"}));
  EXPECT_EQ(SplitScriptWords(R"(a"b c"d "\")"), (Words{"ab cd", "\\"}));
  EXPECT_THROW(SplitScriptWords(R"(set X "open)"), UsageError);
  // ScriptWord quotes only what needs it, and its words read back.
  EXPECT_EQ(ScriptWord("12.5"), "12.5");
  EXPECT_EQ(ScriptWord("C:\\dir"), "C:\\dir");
  for (const std::string value : {"", "two words", "say \"hi\"", "\"", "a\tb"})
    EXPECT_EQ(SplitScriptWords("set P " + ScriptWord(value)), (Words{"set", "P", value})) << value;
}

TEST(EditCommands, CommentsAreNoCommandsAndArgumentsAreCheckedBeforeAnythingRuns) {
  EXPECT_FALSE(ParseEditCommand("   # set X 1", "s:1"));
  EXPECT_FALSE(ParseEditCommand(" \t\r", "s:2"));
  const auto action = ParseEditCommand("move VibroChannels\\VibroChannel\\ -2 #3 1", "-e 1");
  ASSERT_TRUE(action);
  EXPECT_EQ(action->verb, EditVerb::kMove);
  EXPECT_EQ(action->offset, -2);
  ASSERT_EQ(action->indexes.size(), 2u);
  EXPECT_TRUE(action->indexes[0].use_attr);
  EXPECT_EQ(action->indexes[1].value, 1u);

  const auto refused = [](const std::string& line) {
    try {
      ParseEditCommand(line, "f:7");
    } catch (const UsageError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(refused("sett X 1"), "f:7: unknown edit command 'sett'");
  EXPECT_EQ(refused("set X"), "f:7: usage: set PATH VALUE [INDEX...]");
  EXPECT_EQ(refused("delete Cfg\\CfgId"), "f:7: usage: delete PATH\\ [INDEX...]");
  EXPECT_EQ(refused("move A\\ two"), "f:7: bad offset 'two' (a whole number such as -1 or 2)");
  EXPECT_EQ(refused("move A\\ 99999999999"), "f:7: bad offset '99999999999' (a whole number such as -1 or 2)");
  EXPECT_EQ(refused("set X 1 #a"), "f:7: bad index '#a' (a position such as 2, or a key such as #3)");
  EXPECT_EQ(refused("imperial yes"), "f:7: imperial takes on or off");
  EXPECT_EQ(refused("didir on 1"), "f:7: usage: didir on|off");
  EXPECT_EQ(refused("set \"X 1"), "f:7: a double quote is not closed");
}

}  // namespace
}  // namespace vrk::tools
