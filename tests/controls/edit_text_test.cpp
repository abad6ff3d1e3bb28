// The edit's text model: caret keys, typing, Backspace, the maximum length, capitalisation in the
// windows-1252 code page and the caret when the value is replaced.
#include "controls/edit_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/messages.h"

namespace kestrelle {
namespace {

// One step of a script: a key-down (key), a character (chr) or neither.
struct EditStep {
  uintptr_t key = 0;
  uintptr_t chr = 0;
};
EditStep Key(uintptr_t key) { return {key, 0}; }
EditStep Chr(uintptr_t chr) { return {0, chr}; }

struct EditCase {
  const char* name;
  const char* loaded;
  int32_t max;
  bool capitalize;
  std::vector<EditStep> steps;
  const char* value;
  int32_t caret;
};

TEST(EditText, KeysAndCharactersTable) {
  const std::vector<EditCase> cases = {
      {"typing appends at the loaded end", "ab", 255, false, {Chr('c'), Chr('d')}, "abcd", 4},
      {"backspace removes before the caret", "abc", 255, false, {Chr(VK_BACK)}, "ab", 2},
      {"backspace at the start removes nothing", "abc", 255, false, {Key(VK_HOME), Chr(VK_BACK)}, "abc", 0},
      {"home then type inserts in front", "bc", 255, false, {Key(VK_HOME), Chr('a')}, "abc", 1},
      {"left twice, backspace", "abcd", 255, false, {Key(VK_LEFT), Key(VK_LEFT), Chr(VK_BACK)}, "acd", 1},
      {"left stops at 0", "ab", 255, false, {Key(VK_LEFT), Key(VK_LEFT), Key(VK_LEFT)}, "ab", 0},
      {"right stops at the end",
       "ab",
       255,
       false,
       {Key(VK_HOME), Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_RIGHT)},
       "ab",
       2},
      {"end after home", "abc", 255, false, {Key(VK_HOME), Key(VK_END), Chr('!')}, "abc!", 4},
      {"max 5 ignores a sixth character", "abcde", 5, false, {Chr('f')}, "abcde", 5},
      {"max frees up after a backspace", "abcde", 5, false, {Chr(VK_BACK), Chr('x'), Chr('y')}, "abcdx", 5},
      {"capitalize a", "", 255, true, {Chr('a'), Chr('Z'), Chr('1')}, "AZ1", 3},
      {"capitalize windows-1252 letters",
       "",
       255,
       true,
       {Chr(0xE9), Chr(0x9A), Chr(0xFF), Chr(0xDF), Chr(0xF7)},
       "\xC3\x89\xC5\xA0\xC5\xB8\xC3\x9F\xC3\xB7",
       5},  // É Š Ÿ ß ÷
      {"typed bytes are windows-1252", "", 255, false, {Chr(0x80), Chr(0xE4)}, "\xE2\x82\xAC\xC3\xA4", 2},  // € ä
      {"caret steps over whole characters",
       "\xC3\xA4\xE2\x82\xAC",
       255,
       false,
       {Key(VK_LEFT), Chr(VK_BACK)},
       "\xE2\x82\xAC",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TEditText edit;
    edit.SetMax(c.max);
    edit.SetCapitalize(c.capitalize);
    edit.Load(c.loaded);
    for (const auto& step : c.steps) {
      if (step.key) {
        EXPECT_TRUE(edit.KeyDown(step.key));
      }
      if (step.chr) edit.TypeChar(step.chr, true, {});
    }
    EXPECT_EQ(edit.ValueUtf8(), c.value);
    EXPECT_EQ(edit.Caret(), c.caret);
  }
}

TEST(EditText, CharactersNeedATextChildAndAGlyph) {
  TEditText edit;
  edit.Load("");
  EXPECT_FALSE(edit.TypeChar('a', false, {}));  // no text child
  EXPECT_FALSE(edit.TypeChar('b', true, [](char32_t cp) { return cp != U'b'; }));
  EXPECT_TRUE(edit.TypeChar('c', true, [](char32_t cp) { return cp != U'b'; }));
  EXPECT_EQ(edit.ValueUtf8(), "c");
  EXPECT_FALSE(edit.KeyDown(VK_UP));
  EXPECT_FALSE(edit.KeyDown('A'));
}

TEST(EditText, ReplacingTheValueKeepsTheCaretInside) {
  TEditText edit;
  edit.Load("abcdef");
  ASSERT_EQ(edit.Caret(), 6);
  edit.SetValue("xy");  // caret beyond the end goes to the start
  EXPECT_EQ(edit.Caret(), 0);
  edit.TypeChar(VK_BACK, true, {});
  edit.TypeChar('z', true, {});
  EXPECT_EQ(edit.ValueUtf8(), "zxy");
  edit.KeyDown(VK_RIGHT);
  edit.SetValue("longer text");  // a caret inside stays where it was
  EXPECT_EQ(edit.Caret(), 2);
}

}  // namespace
}  // namespace kestrelle
