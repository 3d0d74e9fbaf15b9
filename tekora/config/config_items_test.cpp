// Configuration items through the exported interface: reading and writing
// keys through the shared profile cache, the number rules, the runtime
// class records and the archive form.
#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

#include "../profiles/profile_cache_test_support.h"

namespace {

using testsupport::CrLf;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class ConfigItemsTest : public ProfileCacheTest {};

TEST_F(ConfigItemsTest, ReadsMissingEmptyAndLongValues) {
  const std::string longValue(3000, 'v');
  WriteBytes(dir.file("c.ini"), CrLf({"[S]", "EMPTY=", "SET=value", ("LONG=" + longValue).c_str()}));

  PAConfigString missing("c.ini", "S", "MISSING", NULL);
  EXPECT_EQ(1, missing.Read());
  EXPECT_STREQ("", missing.GetValue());

  PAConfigString empty("c.ini", "S", "EMPTY", "fallback");
  EXPECT_EQ(1, empty.Read());
  EXPECT_STREQ("fallback", empty.GetValue());

  PAConfigString set("c.ini", "S", "SET", "fallback");
  EXPECT_EQ(1, set.Read());
  EXPECT_STREQ("value", set.GetValue());

  PAConfigString longOne("c.ini", "S", "LONG", NULL);
  EXPECT_EQ(1, longOne.Read());
  EXPECT_EQ(longValue.substr(0, 2599), longOne.GetValue());

  // The read of the missing key stored it in the cache; the save shows it.
  EXPECT_EQ(1, PASaveProfiles());
  EXPECT_NE(std::string::npos, ReadBytes(dir.file("c.ini")).find("MISSING=\r\n"));
}

// An item holds the text it read from the cache: later changes on either
// side leave the other as it was.
TEST_F(ConfigItemsTest, ReadValueStaysApartFromTheCachedOne) {
  WriteBytes(dir.file("s.ini"), CrLf({"[S]", "K=first"}));
  PAConfigString item("s.ini", "S", "K", NULL);
  PAConfigString other("s.ini", "S", "K", NULL);
  ASSERT_EQ(1, item.Read());
  ASSERT_EQ(1, other.Read());
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", "second", "s.ini"));
  EXPECT_STREQ("first", item.GetValue());
  other.SetValue("third");
  EXPECT_STREQ("first", item.GetValue());
  char buffer[16];
  EXPECT_EQ(6, PAGetPrivateProfileString("S", "K", "", buffer, sizeof buffer, "s.ini"));
  EXPECT_STREQ("second", buffer);
  ASSERT_EQ(1, item.Read());
  EXPECT_STREQ("second", item.GetValue());
  EXPECT_EQ(1, PAWritePrivateProfileString("S", "K", NULL, "s.ini"));
  EXPECT_STREQ("second", item.GetValue());
}

TEST_F(ConfigItemsTest, IncompleteAndDoNotStoreItemsNeitherReadNorWrite) {
  PAConfigString noFile("", "S", "K", "dflt");
  EXPECT_STREQ("", noFile.GetSection());
  EXPECT_STREQ("", noFile.GetKey());
  EXPECT_STREQ("dflt", noFile.GetDefault());
  EXPECT_EQ(0, noFile.IsComplete(0));
  noFile.SetValue("v");
  EXPECT_EQ(0, noFile.Read());
  EXPECT_EQ(0, noFile.Write());
  EXPECT_STREQ("v", noFile.GetValue());

  WriteBytes(dir.file("d.ini"), CrLf({"[S]", "K=stored"}));
  PAConfigInt computed("d.ini", "S", "K", NULL);
  computed.SetDoNotStore(1);
  computed.SetValue("computed");
  EXPECT_EQ(0, computed.Read());
  EXPECT_EQ(0, computed.Write());
  EXPECT_STREQ("computed", computed.GetValue());
  EXPECT_EQ(0, PASaveProfiles());  // nothing changed in the cache

  EXPECT_EQ(1, computed.IsComplete(1));
  PAConfigObject elsewhere("missing.ini", "S", "K");
  EXPECT_EQ(1, elsewhere.IsComplete(0));
  EXPECT_EQ(0, elsewhere.IsComplete(1));
}

TEST_F(ConfigItemsTest, InitKeepsTheAddressWhenNoFileIsGiven) {
  PAConfigObject item("a.ini", "S", "K");
  EXPECT_EQ(1, item.Init(NULL, NULL, "K2"));
  EXPECT_STREQ("a.ini", item.GetFile());
  EXPECT_STREQ("K2", item.GetKey());
  PAConfigObject empty;
  EXPECT_EQ(0, empty.Init(NULL, "S", "K"));  // no file: section and key stay empty
  EXPECT_STREQ("", empty.GetSection());
  EXPECT_EQ(0, empty.HasFile());
  EXPECT_EQ(1, empty.SetFile("b.ini"));
}

TEST_F(ConfigItemsTest, WriteRemoveAndFlushGoThroughTheCache) {
  WriteBytes(dir.file("w.ini"), CrLf({"[A]", "X=1", "Y=2", "[B]", "Z=3"}));
  PAConfigString x("w.ini", "A", "X", NULL);
  x.SetValue("changed");
  EXPECT_EQ(1, x.Write());
  PAConfigString y("w.ini", "A", "Y", NULL);
  EXPECT_EQ(1, y.Remove(0));
  EXPECT_EQ(CrLf({"[A]", "X=1", "Y=2", "[B]", "Z=3"}), ReadBytes(dir.file("w.ini")));  // not saved yet
  PAConfigString z("w.ini", "B", "Z", NULL);
  EXPECT_EQ(1, z.Remove(1));
  EXPECT_EQ(1, x.Flush());
  EXPECT_EQ(CrLf({"[A]", "X=changed", ""}), ReadBytes(dir.file("w.ini")));
}

TEST_F(ConfigItemsTest, NumberRules) {
  for (const char* number : {"", "  ", "yes", " No ", "+-.", "1-2", "..", "1.5", "-7", "42"}) {
    EXPECT_EQ(1, PAConfigInt::IsNumber(number)) << "'" << number << "'";
  }
  for (const char* other : {"12a", "0x10", "yes please"}) EXPECT_EQ(0, PAConfigInt::IsNumber(other)) << other;
  EXPECT_EQ(0, PAConfigInt::IsNumber(NULL));
  EXPECT_EQ(1, PAConfigInt::IsNumberChar('7'));
  EXPECT_EQ(0, PAConfigInt::IsNumberChar('a'));

  PAConfigInt item;
  auto number = [&](const char* value, int* out) {
    item.SetValue(value);
    return item.GetInt(out);
  };
  int n = 99;
  EXPECT_EQ(1, number("YES", &n));
  EXPECT_EQ(1, n);
  EXPECT_EQ(1, number("no", &n));
  EXPECT_EQ(0, n);
  n = 99;
  EXPECT_EQ(1, number("", &n));
  EXPECT_EQ(0, n);
  EXPECT_EQ(1, number("-7", &n));
  EXPECT_EQ(-7, n);
  EXPECT_EQ(1, number("3.9", &n));
  EXPECT_EQ(3, n);
  n = 99;
  EXPECT_EQ(1, number(" yes", &n));  // a number, but not the word: atoi gives 0
  EXPECT_EQ(0, n);
  n = 99;
  EXPECT_EQ(0, number("42abc", &n));
  EXPECT_EQ(99, n);
  item.SetInt(-12345);
  EXPECT_STREQ("-12345", item.GetValue());
}

TEST_F(ConfigItemsTest, RuntimeClassRecords) {
  PAConfigInt item;
  PAConfigString text;
  PAConfigObject address;
  EXPECT_STREQ("PAConfigInt", item.GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(VERSIONABLE_SCHEMA | 112u, PAConfigInt::GetThisClass()->m_wSchema);
  EXPECT_TRUE(item.IsKindOf(PAConfigString::GetThisClass()));
  EXPECT_FALSE(item.IsKindOf(PAObject::GetThisClass()));
  EXPECT_FALSE(text.IsKindOf(PAConfigObject::GetThisClass()));
  EXPECT_TRUE(address.IsKindOf(PAObject::GetThisClass()));
  EXPECT_EQ(PAGetObjectClass(), PAConfigString::GetThisClass()->m_pBaseClass);
  EXPECT_EQ(PAConfigString::GetThisClass(), PAConfigInt::GetBaseClass());
  EXPECT_EQ(PAObject::GetThisClass(), PAConfigObject::GetBaseClass());
  CObject* made = PAConfigInt::GetThisClass()->CreateObject();
  ASSERT_NE(nullptr, made);
  EXPECT_STREQ("", static_cast<PAConfigInt*>(made)->GetFile());
  delete made;
}

TEST_F(ConfigItemsTest, ArchiveKeepsDefaultAndValueOnly) {
  PAConfigInt item("a.ini", "S", "K", "dflt");
  item.SetValue(std::string(300, 'x').c_str());
  item.SetDoNotStore(1);
  {
    CFile file("item.bin", CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << &item;
  }
  CFile file("item.bin", CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  CObject* read = NULL;
  ar >> read;
  ASSERT_TRUE(read != NULL && read->IsKindOf(PAConfigInt::GetThisClass()));
  PAConfigInt* back = static_cast<PAConfigInt*>(read);
  EXPECT_STREQ("dflt", back->GetDefault());
  EXPECT_EQ(std::string(300, 'x'), back->GetValue());
  EXPECT_STREQ("", back->GetFile());
  EXPECT_STREQ("", back->GetSection());
  EXPECT_STREQ("", back->GetKey());
  EXPECT_EQ(0, back->GetDoNotStore());
  delete back;
}

}  // namespace
