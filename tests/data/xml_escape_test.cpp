// Escaping for hand-written XML: the exact forms, and that the parser reads back the very text in
// element text and in attributes of either kind of quotes.
#include "data/xml_escape.h"

#include <gtest/gtest.h>

#include "data/hier_storage.h"

namespace kestrelle {
namespace {

TEST(XmlEscape, WritesMarkupAndControlCharactersSoTheyReadBack) {
  struct Case {
    std::string in, text, attribute;
  } cases[] = {
      {"plain caf\xC3\xA9", "plain caf\xC3\xA9", "plain caf\xC3\xA9"},
      {"a & b < c > d", "a &amp; b &lt; c &gt; d", "a &amp; b &lt; c &gt; d"},
      {R"(say "it's")", R"(say "it's")", "say &quot;it&apos;s&quot;"},
      {"&amp;", "&amp;amp;", "&amp;amp;"},
      {"l1\nl2\tx", "l1\nl2\tx", "l1&#10;l2&#9;x"},
      {"cr\r\x01", "cr&#13;&#1;", "cr&#13;&#1;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EscapeXmlText(c.in), c.text) << c.in;
    EXPECT_EQ(EscapeXmlAttribute(c.in), c.attribute) << c.in;
    std::string appended = "<";
    AppendXmlAttribute(appended, c.in);
    EXPECT_EQ(appended, "<" + c.attribute);

    StorageRef text = LoadStorageFromString("<r>" + EscapeXmlText(c.in) + "</r>");
    StorageRef doubleQuoted = LoadStorageFromString("<r a=\"" + EscapeXmlAttribute(c.in) + "\"/>");
    StorageRef singleQuoted = LoadStorageFromString("<r a='" + EscapeXmlAttribute(c.in) + "'/>");
    ASSERT_TRUE(text && doubleQuoted && singleQuoted) << c.in;
    EXPECT_EQ(text->ReadText().ToString(), c.in);
    EXPECT_EQ(doubleQuoted->ReadValue("a", Variant()).ToString(), c.in);
    EXPECT_EQ(singleQuoted->ReadValue("a", Variant()).ToString(), c.in);
  }
}

}  // namespace
}  // namespace kestrelle
