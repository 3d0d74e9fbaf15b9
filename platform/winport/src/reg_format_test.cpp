// The .reg text format on its own, without files or the store: what the
// Windows editor saves (UTF-16LE), classes, long wrapped data, and the lines
// that make a text damaged.
#include "reg_format.h"

#include <gtest/gtest.h>

#include <string>

namespace winport {
namespace registry {
namespace {

const char kRoot[] = "HKEY_CURRENT_USER";

std::string Utf16WithMark(const std::string& text) {
  std::string wide = "\xFF\xFE";
  for (char c : text) {
    wide += c;
    wide += '\0';
  }
  return wide;
}

TEST(RegFormatTest, ReadsTheEditorsUtf16AndUtf8Files) {
  const std::string text =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"Name\"=\"caf\xE9\"\r\n";
  for (const std::string& file : {Utf16WithMark(text), "\xEF\xBB\xBF" + text}) {
    Key root(kRoot);
    ASSERT_TRUE(ParseRegText(file, kRoot, &root));
    Key* key = root.Find({"software", "a"});
    ASSERT_NE(nullptr, key);
    ASSERT_NE(nullptr, key->FindValue("NAME"));
    EXPECT_EQ(std::string("caf\xE9", 4) + '\0', key->FindValue("name")->data);
  }
}

TEST(RegFormatTest, WrittenTreeReadsBackTheSame) {
  Key root(kRoot);
  Key* key = root.AddSubkey("Software", nullptr)->AddSubkey("Tools \"x\"", nullptr);
  key->setClassName("Class with \\ and \"");
  const std::string longBytes(200, '\x7f');
  key->SetValue("", REG_SZ, std::string("default\0", 8));
  key->SetValue("Long", REG_BINARY, longBytes);
  key->SetValue("Lines", REG_SZ, std::string("one\r\ntwo\0", 9));  // not quotable: hex(1)
  key->SetValue("List", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  key->SetValue("Number", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
  key->SetValue("Odd", 0x12345678, "xy");

  const std::string text = FormatRegText(root, kRoot);
  EXPECT_NE(std::string::npos, text.find(";Class=\"Class with \\\\ and \\\"\"\r\n"));
  EXPECT_NE(std::string::npos, text.find("\"Number\"=dword:12345678\r\n"));
  EXPECT_NE(std::string::npos, text.find("\\\r\n  7f,"));  // the long value is wrapped
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    EXPECT_LE(end - start, 80u) << text.substr(start, end - start);

  Key back(kRoot);
  ASSERT_TRUE(ParseRegText(text, kRoot, &back));
  Key* read = back.Find({"Software", "Tools \"x\""});
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(key->className(), read->className());
  ASSERT_EQ(key->values().size(), read->values().size());
  for (const Value& value : key->values()) {
    const Value* other = read->FindValue(value.name);
    ASSERT_NE(nullptr, other) << value.name;
    EXPECT_EQ(value.type, other->type) << value.name;
    EXPECT_EQ(value.data, other->data) << value.name;
  }
  EXPECT_EQ(text, FormatRegText(back, kRoot));
}

// Key names that hold a zero byte are names like any other: each is one
// key, found again by its whole name, and a write and a read keep them.
TEST(RegFormatTest, KeyNamesWithAZeroByteStayOneKeyEach) {
  const std::string names[] = {std::string("a\0b", 3), "a", std::string("a\0c", 3), std::string("A\0", 2)};
  Key root(kRoot);
  for (const std::string& name : names) root.AddSubkey(name, nullptr)->SetValue("v", REG_SZ, name);
  bool created = true;
  root.AddSubkey(std::string("A\0B", 3), &created);
  EXPECT_FALSE(created);
  ASSERT_EQ(4u, root.subkeys().size());
  for (const std::string& name : names) {
    ASSERT_NE(nullptr, root.FindSubkey(name));
    EXPECT_EQ(name, root.FindSubkey(name)->FindValue("v")->data);
  }
  const std::string text = FormatRegText(root, kRoot);
  Key back(kRoot);
  ASSERT_TRUE(ParseRegText(text, kRoot, &back));
  EXPECT_EQ(4u, back.subkeys().size());
  EXPECT_EQ(text, FormatRegText(back, kRoot));
  EXPECT_TRUE(back.RemoveSubkey(std::string("a\0C", 3)));
  EXPECT_EQ(nullptr, back.FindSubkey(std::string("a\0c", 3)));
  EXPECT_NE(nullptr, back.FindSubkey(std::string("a\0b", 3)));
}

TEST(RegFormatTest, DamagedTextsAreRefused) {
  const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
  const std::string key = "[HKEY_CURRENT_USER\\K]\r\n";
  const char* const damaged[] = {
      "\"v\"=\"before any key\"\r\n",          // a value outside a key
      "[HKEY_LOCAL_MACHINE\\K]\r\n",           // another root
      "[-HKEY_CURRENT_USER\\K]\r\n",           // a deletion line
      "[HKEY_CURRENT_USER\\K\r\n",             // no closing bracket
  };
  for (const char* text : damaged) {
    Key root(kRoot);
    EXPECT_FALSE(ParseRegText(header + text, kRoot, &root)) << text;
  }
  for (const std::string& text : {std::string(), key, "Windows Registry Editor\r\n" + key}) {
    Key root(kRoot);
    EXPECT_FALSE(ParseRegText(text, kRoot, &root)) << text;  // no header
  }
  const char* const badValues[] = {
      "\"v\"=\"unterminated\r\n",  "\"v\"=\"x\" trailing\r\n", "\"v\"=dword:123456789\r\n",
      "\"v\"=dword:\r\n",          "\"v\"=dword:12g4\r\n",      "\"v\"=hex:1,02\r\n",
      "\"v\"=hex:0102\r\n",        "\"v\"=hex(123456789):00\r\n", "\"v\"=hex(1):41,00,42\r\n",
      "\"v\"=text\r\n",            "v=\"no quotes\"\r\n",        "\"v\" \"no equals\"\r\n",
  };
  for (const char* text : badValues) {
    Key root(kRoot);
    EXPECT_FALSE(ParseRegText(header + key + text, kRoot, &root)) << text;
  }
  Key root(kRoot);
  EXPECT_TRUE(ParseRegText("REGEDIT4\n\n" + key + "; a comment\r\n;Class=not quoted\r\n", kRoot, &root));
  EXPECT_EQ("", root.Find({"K"})->className());
}

}  // namespace
}  // namespace registry
}  // namespace winport
