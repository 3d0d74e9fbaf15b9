#include <afxwin.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Numbers far from anything a real module registers (below 0x10000, as
// resource numbers are).
const AfxStringResource kFirstLibrary[] = {
    {48001, "first library"},
    {48002, "only in the first library"},
    {48005, "Value %d of %s"},
};
const AfxStringResource kSecondLibrary[] = {
    {48001, "second library"},
    {48003, "only in the second library"},
    {48003, "a repeated number: the first entry wins"},
};
const AfxStringResource kProgram[] = {
    {48002, "program"},
};

TEST(StringResourceTest, TheProgramComesFirstThenLibrariesInLoadOrder) {
  AfxStringResourceRegistrar first(kFirstLibrary, 3);
  AfxStringResourceRegistrar second(kSecondLibrary, 3);
  CString text;
  EXPECT_TRUE(text.LoadString(48001));
  EXPECT_STREQ("first library", text);
  EXPECT_TRUE(text.LoadString(48003));
  EXPECT_STREQ("only in the second library", text);
  EXPECT_TRUE(text.LoadString(48002));
  EXPECT_STREQ("only in the first library", text);
  {
    // The program's table is searched first even when it registers last.
    AfxStringResourceRegistrar program(kProgram, 1, TRUE);
    EXPECT_TRUE(text.LoadString(48002));
    EXPECT_STREQ("program", text);
  }
  EXPECT_TRUE(text.LoadString(48002));
  EXPECT_STREQ("only in the first library", text);
}

TEST(StringResourceTest, UnknownNumbersLeaveTheStringUnchanged) {
  CString text("before");
  EXPECT_FALSE(text.LoadString(48001));
  EXPECT_STREQ("before", text);
  {
    AfxStringResourceRegistrar first(kFirstLibrary, 3);
    EXPECT_TRUE(text.LoadString(48001));
  }
  // Unregistered with its module: gone again.
  EXPECT_FALSE(text.LoadString(48001));
  EXPECT_EQ(NULL, AfxFindStringResource(48001));
}

TEST(StringResourceTest, NumberedTextsServeConstructionFormatAndBuffers) {
  AfxStringResourceRegistrar first(kFirstLibrary, 3);
  CString byNumber(MAKEINTRESOURCE(48002));
  EXPECT_STREQ("only in the first library", byNumber);
  CString formatted;
  formatted.Format(48005u, 3, "x");
  EXPECT_STREQ("Value 3 of x", formatted);
  char buffer[6];
  EXPECT_EQ(5, AfxLoadString(48001, buffer, sizeof buffer));
  EXPECT_STREQ("first", buffer);
  EXPECT_EQ(0, AfxLoadString(47999, buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
}

// Lookups answer from a view of the chain made at each change; after random
// registrations and removals every number must give what a search of the
// tables in their order gives.
TEST(StringResourceTest, LookupsMatchASearchOfTheTablesThroughChanges) {
  const UINT kLow = 48100, kHigh = 48140;
  struct Pooled {
    std::vector<AfxStringResource> entries;
    std::vector<std::string> texts;
    bool program;
    bool registered;
  };
  unsigned seed = 4711;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
  std::vector<Pooled> pool(8);
  for (size_t t = 0; t < pool.size(); ++t) {
    Pooled& table = pool[t];
    table.program = t % 4 == 0;
    table.registered = false;
    const size_t count = 1 + next() % 12;
    table.texts.reserve(count);
    for (size_t e = 0; e < count; ++e) {
      table.texts.push_back("table " + std::to_string(t) + " entry " + std::to_string(e));
      table.entries.push_back({kLow + next() % (kHigh - kLow), table.texts.back().c_str()});
    }
  }
  std::vector<size_t> order;  // the registered tables, in registration order
  auto search = [&](UINT id) -> LPCSTR {
    for (int pass = 0; pass < 2; ++pass)
      for (size_t t : order)
        if (pool[t].program == (pass == 0))
          for (const AfxStringResource& entry : pool[t].entries)
            if (entry.nID == id) return entry.lpszText;
    return NULL;
  };
  for (int step = 0; step < 200; ++step) {
    const size_t t = next() % pool.size();
    Pooled& table = pool[t];
    if (table.registered) {
      AfxRemoveStringResources(table.entries.data());
      order.erase(std::find(order.begin(), order.end(), t));
    } else {
      AfxAddStringResources(table.entries.data(), table.entries.size(), table.program ? TRUE : FALSE);
      order.push_back(t);
    }
    table.registered = !table.registered;
    for (UINT id = kLow - 1; id <= kHigh; ++id) {
      SCOPED_TRACE(testing::Message() << "step " << step << ", number " << id);
      EXPECT_EQ(search(id), AfxFindStringResource(id));
    }
  }
  for (size_t t : order) AfxRemoveStringResources(pool[t].entries.data());
}

TEST(ExtractSubStringTest, PiecesBetweenSeparators) {
  CString piece("old");
  EXPECT_TRUE(AfxExtractSubString(piece, "/a/1.4/date/", 2, '/'));
  EXPECT_STREQ("1.4", piece);
  EXPECT_TRUE(AfxExtractSubString(piece, "/a/1.4/date/", 0, '/'));
  EXPECT_STREQ("", piece);
  EXPECT_TRUE(AfxExtractSubString(piece, "/a/1.4/date/", 4, '/'));
  EXPECT_STREQ("", piece);
  EXPECT_FALSE(AfxExtractSubString(piece, "/a/1.4/date/", 5, '/'));
  EXPECT_STREQ("", piece);
  EXPECT_TRUE(AfxExtractSubString(piece, "line one\nline two", 1));
  EXPECT_STREQ("line two", piece);
  piece = "kept";
  EXPECT_FALSE(AfxExtractSubString(piece, NULL, 0));
  EXPECT_STREQ("kept", piece);
  EXPECT_FALSE(AfxExtractSubString(piece, "abc", -1, ','));
  // A NUL separator cannot run past the end of the text.
  EXPECT_TRUE(AfxExtractSubString(piece, "abc", 0, '\0'));
  EXPECT_STREQ("abc", piece);
  EXPECT_FALSE(AfxExtractSubString(piece, "abc", 1, '\0'));
}

}  // namespace
