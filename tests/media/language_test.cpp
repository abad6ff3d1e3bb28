#include "media/language.h"

#include <gtest/gtest.h>

#include "archive_builder.h"
#include "data/hier_storage.h"
#include "data/number_format.h"
#include "data/process_settings.h"
#include "data/user_files.h"
#include "media/reader.h"

namespace kestrelle {
namespace {

TEST(Translate, SubstitutesKeysVariablesAndPercentSigns) {
  TMultiLanguages table;
  table.SetString("welcome", "Hello");
  table.SetString("greeting", "%Welcome%, %username%!");  // keys inside strings, any case
  table.SetString("padded", "  \t spaced \r\n");
  table.SetString("Username", "string, not the variable");
  table.SetVariable("username", "Ann");
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"%welcome%, %username%!", "Hello, Ann!"},
      {"%greeting%", "Hello, Ann!"},
      {"%WELCOME%", "Hello"},
      {"%USERNAME%", "string, not the variable"},  // variables match exactly, strings by any case
      {"no keys at all", "no keys at all"},
      {"50%% off", "50% off"},
      {"100% sure", "100% sure"},
      {"%missing%", ""},
      {"[%missing%]", "[]"},
      {"%padded%", "spaced"},
      {"%welcome", "%welcome"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(table.Translate(c.text), c.expected) << c.text;
  EXPECT_EQ(table.Translate("%padded%", false), "  \t spaced \r\n");

  table.SetVariable("USERNAME", "Bob");  // replaces the earlier one, whatever its case
  EXPECT_EQ(table.Translate("%USERNAME%"), "Bob");
  EXPECT_EQ(table.Translate("%username%"), "string, not the variable");
}

TEST(Translate, SelfReferenceStopsAtAFixedDepth) {
  TMultiLanguages table;
  table.SetString("self", "x%self%");
  table.SetString("ping", "a%pong%");
  table.SetString("pong", "b%ping%");
  std::string self = table.Translate("%self%");
  EXPECT_EQ(self, std::string(TMultiLanguages::kMaxNesting, 'x'));
  std::string cycle = table.Translate("%ping%");
  EXPECT_EQ(cycle.size(), static_cast<size_t>(TMultiLanguages::kMaxNesting));
  EXPECT_EQ(cycle.substr(0, 4), "abab");
  // Strings that use themselves several times would grow exponentially: the work is bounded.
  table.SetString("triple", "%triple%%triple%%triple%");
  table.SetString("wide", std::string(1000, 'w') + "%wide%%wide%");
  EXPECT_EQ(table.Translate("%triple%"), "");
  std::string wide = table.Translate("[%wide%]");
  EXPECT_LE(wide.size(), TMultiLanguages::kMaxTranslatedBytes);
  EXPECT_EQ(wide.substr(0, 1001), "[" + std::string(1000, 'w'));
  // A chain just within the limit is expanded completely.
  for (int i = 0; i < TMultiLanguages::kMaxNesting - 1; ++i)
    table.SetString("k" + std::to_string(i), "%k" + std::to_string(i + 1) + "%");
  table.SetString("k" + std::to_string(TMultiLanguages::kMaxNesting - 1), "end");
  EXPECT_EQ(table.Translate("%k0%"), "end");
}

// A string is the element's whole text, whatever splits it; the file's declared encoding is read
// as storage reads documents (Latin-1 as windows-1252, other labels through the system).
TEST(LanguageText, StringsAreTheWholeTextInTheDeclaredEncoding) {
  struct Case {
    const char* name;
    std::string declaration;
    std::string body;
    std::string expected;
  } cases[] = {
      {"comment and CDATA", "", "Open<!-- note -->ing <![CDATA[the]]> shops", "Opening the shops"},
      {"child elements", "", "Buy <b>two</b>,<i> get <u>one</u></i>", "Buy two, get one"},
      {"blank between elements", "", "<b>a</b> <i>b</i>", "a b"},
      {"iso-8859-1 is windows-1252", "iso-8859-1", "\x80 5", "\xE2\x82\xAC 5"},
      {"koi8-r", "koi8-r", "\xF0\xD2\xC9\xD7\xC5\xD4", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"windows-1251", "windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"unknown label", "x-no-such-code", "caf\xE9", "caf\xC3\xA9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string xml =
        c.declaration.empty() ? std::string() : "<?xml version=\"1.0\" encoding=\"" + c.declaration + "\"?>";
    xml += "<l><strings><string name=\"s\">" + c.body + "</string></strings></l>";
    TMultiLanguages table;
    ASSERT_TRUE(table.LoadLanguageText(xml));
    EXPECT_EQ(table.FindString("s").value_or("<none>"), c.expected);
  }
}

class LanguageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Settings();
    Settings().LanguageFileName = "lang\\default.lng";
    Settings().ArchiveExtension = ".pak";
    SetAppPath(app_.Path().string());
    FreeCachedResourceReader();
    CreateLanguageTable();
  }
  void TearDown() override {
    FreeLanguageTable();
    FreeCachedResourceReader();
    SetAppPath("");
    Settings() = saved_;
  }
  test::TempFolder app_;
  ProcessSettings saved_;
};

TEST_F(LanguageFile, LoadsStringsThroughTheReader) {
  app_.Write("lang.pak", test::BuildZip({{"default.lng", R"(<?xml version="1.0" encoding="utf-8"?>
<language id="en" name="English">
  <strings>
    <string name="welcome">Hello</string>
    <string>no name: skipped</string>
    <string name="Welcome">Hi again</string>
    <string name="thousand_separator"> </string>
    <string name="empty"/>
  </strings>
  <strings><string name="second">not read</string></strings>
</language>)"}}));
  EXPECT_TRUE(LoadLanguage(""));
  EXPECT_EQ(GetLanguageId(), "en");
  EXPECT_EQ(LanguageTable()->GetName(), "English");
  EXPECT_EQ(LanguageTable()->StringCount(), 3u);
  EXPECT_EQ(Translate("%WELCOME%"), "Hi again");
  EXPECT_EQ(Translate("%second%"), "");
  SetVariable("who", "Ann");
  EXPECT_EQ(Translate("%who%"), "Ann");
  // The separator is taken as written, a space included.
  EXPECT_EQ(FormatThousands(-1234567), "-1 234 567");
  // Storage hands its localized texts through the table.
  StorageRef node = LoadStorageFromString(R"(<w text="%welcome%, %who%"/>)");
  ASSERT_TRUE(node);
  EXPECT_EQ(ReadLocalizedText(node, "text"), "Hi again, Ann");

  // The second file, Languages\NAME.lng in the program folder, adds to the first.
  app_.Write("Languages/de.lng", R"(<l id="de"><strings><string name="extra">Extra</string></strings></l>)");
  EXPECT_TRUE(LoadLanguage("de"));
  EXPECT_EQ(Translate("%extra%|%welcome%"), "Extra|Hi again");
  EXPECT_EQ(GetLanguageId(), "de");
}

TEST_F(LanguageFile, MissingOrBrokenFileLeavesNoStrings) {
  EXPECT_FALSE(LoadLanguage(""));
  EXPECT_EQ(Translate("%welcome%!"), "!");
  EXPECT_EQ(FormatThousands(1234567), "1234567");
  app_.Write("lang/default.lng", "<language><strings><string name=\"a\">A</string>");
  EXPECT_FALSE(LoadLanguage(""));
  EXPECT_EQ(LanguageTable()->StringCount(), 0u);
  // windows-1252 declared: read as such.
  app_.Write(
      "lang/default.lng",
      "<?xml version=\"1.0\" encoding=\"windows-1252\"?><l><strings><string name=\"e\">caf\xE9</string></strings></l>");
  EXPECT_TRUE(LoadLanguage(""));
  EXPECT_EQ(Translate("%e%"), "caf\xC3\xA9");
  // Without a table every function passes its input through.
  FreeLanguageTable();
  EXPECT_EQ(Translate("%e%"), "%e%");
  EXPECT_FALSE(LoadLanguage(""));
}

}  // namespace
}  // namespace kestrelle
