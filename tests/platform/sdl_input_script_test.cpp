// The input script of a scripted windowed run: what each line becomes, and the one-line errors.

#include "platform/sdl_input_script.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(InputScript, ParsesEachCommandAndSkipsCommentsAndBlankLines) {
  std::vector<InputScriptStep> steps;
  std::string error;
  ASSERT_TRUE(ParseInputScript("# start\r\nwait 20\n\nclick 400 463\nchar Ann Lee\nkey Escape\nshot 01-a\nquit\n",
                               steps, error))
      << error;
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].kind, InputScriptStep::Wait);
  EXPECT_EQ(steps[0].x, 20);
  EXPECT_EQ(steps[1].kind, InputScriptStep::Click);
  EXPECT_EQ(steps[1].x, 400);
  EXPECT_EQ(steps[1].y, 463);
  EXPECT_EQ(steps[1].line, 4);
  EXPECT_EQ(steps[2].text, "Ann Lee");
  EXPECT_EQ(steps[3].text, "Escape");
  EXPECT_EQ(steps[4].kind, InputScriptStep::Shot);
  EXPECT_EQ(steps[5].kind, InputScriptStep::Quit);
}

TEST(InputScript, ABadLineIsNamedWithItsNumber) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"wait 2\njump 1 2\n", "line 2: unknown command \"jump\""},
      {"click 400\n", "line 1: click needs X and Y"},
      {"wait -1\n", "line 1: wait needs a number of frames"},
      {"shot\n", "line 1: shot needs a name"},
      {"quit now\n", "line 1: too many words"},
      {"char 0123456789012345678901234567890123\n", "line 1: char needs a short text"},
  };
  for (const auto& c : cases) {
    std::vector<InputScriptStep> steps;
    std::string error;
    EXPECT_FALSE(ParseInputScript(c.text, steps, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
}  // namespace kestrelle
