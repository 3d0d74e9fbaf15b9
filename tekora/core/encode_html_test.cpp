// PAEncodeHtml: plain text as HTML text.
#include <stdio.h>

#include <string>

#include <tekora/tekora.h>
#include <gtest/gtest.h>

namespace {

std::string Html(const std::string& text, int nbsp = 0) {
  CString value(text.data(), static_cast<int>(text.size()));
  PAEncodeHtml(value, nbsp);
  return std::string(value.GetString(), value.GetLength());
}

// What one byte becomes, by the table of the encoding.
std::string Encoded(unsigned char c) {
  if (isalnum(c) && c < 128) return std::string(1, static_cast<char>(c));
  if (c == ' ' || c == '\t') return std::string(1, static_cast<char>(c));
  if (c == '\n') return "\n<br />\n";
  if (c == '\r') return "";
  if (std::string("!#%()*+,-./:=@[]_").find(static_cast<char>(c)) != std::string::npos)
    return std::string(1, static_cast<char>(c));
  if (c == '"') return "&quot;";
  if (c == '&') return "&amp;";
  if (c == '<') return "&lt;";
  if (c == '>') return "&gt;";
  char reference[16];
  snprintf(reference, sizeof reference, "&#%u;", c);
  return reference;
}

TEST(EncodeHtmlTest, EveryByteValue) {
  std::string all, expected;
  for (int c = 0; c < 256; ++c) {
    all += static_cast<char>(c);
    expected += Encoded(static_cast<unsigned char>(c));
  }
  EXPECT_EQ(expected, Html(all));
  EXPECT_EQ("&#0;&#36;&#59;&#39;&#63;&#228;&#255;", Html(std::string("\0$;'?\xE4\xFF", 7)));
}

TEST(EncodeHtmlTest, SpacesAndLineEnds) {
  EXPECT_EQ("a b\tc", Html("a b\tc"));
  EXPECT_EQ("a&#160;b&#160;c", Html("a b\tc", 1));
  EXPECT_EQ("one\n<br />\ntwo", Html("one\r\ntwo"));
  EXPECT_EQ("a&#59;b", Html("a;b"));
  EXPECT_EQ("", Html(""));
}

TEST(EncodeHtmlTest, MarksFirstOccurrenceOnly) {
  EXPECT_EQ("Fish &amp; Chips &#169; 2009", Html("Fish & Chips (c) 2009"));
  EXPECT_EQ("Fish&#160;&amp;&#160;Chips&#160;&#169;&#160;2009", Html("Fish & Chips (c) 2009", 1));
  EXPECT_EQ("&#174; and (r)", Html("(r) and (r)"));
  EXPECT_EQ("(C) &#169;", Html("(C) (c)"));  // the lower-case mark is looked for first
  EXPECT_EQ("&#169; (C)", Html("(C) (C)"));
  EXPECT_EQ("x&#174;", Html("x(TM)"));  // the trademark mark too becomes &#174;
  EXPECT_EQ("&#174;&#174;(tm)", Html("(R)(tm)(tm)"));
  EXPECT_EQ("&#169;", Html("(c)"));
}

// The link on the company name, with the web address the library keeps.
std::string Link(const std::string& occurrence) {
  return "\n<a href=\"http://www.tarvex.com/\" title=\"Tarvex\">\n" + occurrence + "\n</a>\n";
}

TEST(EncodeHtmlTest, CompanyNameBecomesALink) {
  EXPECT_EQ("by " + Link("Tarvex") + ".", Html("by Tarvex."));
  EXPECT_EQ("by&#160;" + Link("Tarvex") + "&#160;&amp;&#160;Tarvex", Html("by Tarvex & Tarvex", 1));
  EXPECT_EQ(Link("Tarvex") + "&#169;", Html("Tarvex(c)"));
  EXPECT_EQ("tarvex", Html("tarvex"));
}

}  // namespace
