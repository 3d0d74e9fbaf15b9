// The INI file model through its exported classes: loading rules, the saved
// format byte for byte, the modified flags, numbers, indexes and bad input.
#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <tekora/tekora.h>
#include <testsupport/files.h>
#include <testsupport/platform.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::CrLf;
using testsupport::Exists;
using testsupport::FileNames;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class IniFileTest : public testsupport::IsolatedTest {
 protected:
  // The value stored under exactly section/key, or "<none>".
  static std::string Value(const PAIniFile& ini, const char* section, const char* key) {
    PAIniSection* found = ini.FindSection(section);
    PAIniEntry* entry = found ? found->FindEntry(key) : nullptr;
    return entry ? entry->GetValue() : "<none>";
  }
};

TEST_F(IniFileTest, LoadingAMissingFileCreatesItEmpty) {
  PAIniFile ini("new.ini");
  EXPECT_STREQ(dir.winPath("new.ini").c_str(), ini.GetPath());
  EXPECT_FALSE(Exists(dir.file("new.ini")));
  EXPECT_EQ(1, ini.Load());
  EXPECT_TRUE(Exists(dir.file("new.ini")));
  EXPECT_EQ("", ReadBytes(dir.file("new.ini")));
  EXPECT_EQ(0, ini.GetSectionCount());
}

TEST_F(IniFileTest, LoadingRules) {
  WriteBytes(dir.file("a.ini"), CrLf({"key0=before any header", "[ Main ]", "  key = value  ", "; a=comment",
                                      "no equals sign", "a=1", "A=2", "b=1", "b=2", "=no key", "[Main=1",
                                      "[Main", "  [ Other ]  ", "x=", "[]", "lost=yes", "[Main]", "late=3",
                                      "[Main]=x"}));
  PAIniFile ini("a.ini");
  ASSERT_EQ(1, ini.Load());
  ASSERT_EQ(2, ini.GetSectionCount());
  EXPECT_STREQ("Main", ini.GetSection(0)->GetName());
  EXPECT_STREQ("Other", ini.GetSection(1)->GetName());
  PAIniSection* main = ini.GetSection(0);
  // In order of first appearance; a repeated exact key keeps its place and
  // takes the later value; keys differing in case are distinct.
  const char* keys[] = {"key", "a", "A", "b", "[Main", "late", "[Main]"};
  const char* values[] = {"value", "1", "2", "2", "1", "3", "x"};
  ASSERT_EQ(7, main->GetEntryCount());
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(keys[i], main->GetEntry(i)->GetKey()) << i;
    EXPECT_STREQ(values[i], main->GetEntry(i)->GetValue()) << i;
  }
  EXPECT_EQ("", Value(ini, "Other", "x"));
  EXPECT_EQ("<none>", Value(ini, "Other", "lost"));  // "[]" ended the section
  // Loading leaves the flags alone, except that a repeated key whose value
  // changed marks its entry, so that the next save writes the file without
  // the repetition.
  EXPECT_EQ(1, main->FindEntry("b")->IsModified());
  EXPECT_EQ(0, main->FindEntry("a")->IsModified());
  EXPECT_EQ(0, ini.GetSection(1)->IsModified());
}

TEST_F(IniFileTest, LoadingTwiceMergesWithoutDuplicatesOrRemovals) {
  WriteBytes(dir.file("a.ini"), CrLf({"[S]", "k=1"}));
  PAIniFile ini("a.ini");
  ASSERT_EQ(1, ini.Load());
  ASSERT_EQ(1, ini.FindSection("S")->SetEntry("added", "yes", 1));
  ASSERT_EQ(1, ini.AddSection("T", 1));
  WriteBytes(dir.file("a.ini"), CrLf({"[S]", "k=2", "m=3"}));
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ(2, ini.GetSectionCount());
  EXPECT_EQ(3, ini.FindSection("S")->GetEntryCount());
  EXPECT_EQ("2", Value(ini, "S", "k"));
  EXPECT_EQ("yes", Value(ini, "S", "added"));
  // Load clears the file's own flag only: the section keeps its mark.
  EXPECT_EQ(1, ini.IsModified());
}

TEST_F(IniFileTest, SavedFormatIsSortedBlocksWithCrLf) {
  PAIniFile ini("out.ini");
  ASSERT_EQ(1, ini.AddSection("beta", 1));
  ASSERT_EQ(1, ini.AddSection("Alpha", 1));
  ASSERT_EQ(1, ini.AddSection("empty", 1));
  ini.FindSection("beta")->SetEntry("b", "2", 1);
  ini.FindSection("beta")->SetEntry("A", "1", 1);
  ini.FindSection("Alpha")->SetEntry("z", 9, 1);
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(CrLf({"[Alpha]", "z=9", "", "[beta]", "A=1", "b=2", ""}), ReadBytes(dir.file("out.ini")));
  // The save sorted the arrays in place; the empty section stays in memory.
  EXPECT_STREQ("Alpha", ini.GetSection(0)->GetName());
  EXPECT_STREQ("A", ini.FindSection("beta")->GetEntry(0)->GetKey());
  EXPECT_EQ(3, ini.GetSectionCount());
  // No temporary file is left beside it.
  EXPECT_EQ(std::vector<std::string>{"out.ini"}, FileNames(dir.path()));
}

TEST_F(IniFileTest, SortOrderIsTheUsersNotTheBytes) {
  PAIniFile ini("out.ini");
  ini.AddSection("S", 1);
  for (const char* key : {"RUNNER", "RUN_STATS", "run2", "Run1", "a-z", "ab"}) ini.FindSection("S")->SetEntry(key, "v", 1);
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(CrLf({"[S]", "ab=v", "a-z=v", "RUN_STATS=v", "Run1=v", "run2=v", "RUNNER=v", ""}),
            ReadBytes(dir.file("out.ini")));
}

TEST_F(IniFileTest, ModifiedFlagsThroughLoadChangeSave) {
  WriteBytes(dir.file("a.ini"), CrLf({"[S]", "k=1", "[T]", "x=1"}));
  PAIniFile ini("a.ini");
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ(0, ini.IsModified());

  PAIniEntry* k = ini.FindSection("S")->FindEntry("k");
  k->SetValue("1");  // the same text: no change
  EXPECT_EQ(0, ini.IsModified());
  k->SetValue(2);
  EXPECT_EQ(1, k->IsModified());
  EXPECT_EQ(1, ini.FindSection("S")->IsModified());
  EXPECT_EQ(0, ini.FindSection("T")->IsModified());
  EXPECT_EQ(1, ini.IsModified());
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(0, k->IsModified());
  EXPECT_EQ(0, ini.IsModified());

  // Adding without the mark changes content but no flag; removing marks.
  ini.FindSection("T")->SetEntry("quiet", "1", 0);
  ini.AddSection("U", 0);
  EXPECT_EQ(0, ini.IsModified());
  EXPECT_EQ(1, ini.FindSection("T")->RemoveEntry("QUIET"));
  EXPECT_EQ(1, ini.FindSection("T")->IsModified());
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(1, ini.RemoveSection("u"));
  EXPECT_EQ(1, ini.IsModified());
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(CrLf({"[S]", "k=2", "", "[T]", "x=1", ""}), ReadBytes(dir.file("a.ini")));
}

TEST_F(IniFileTest, SectionWhoseEntriesWereRemovedIsNotSaved) {
  WriteBytes(dir.file("a.ini"), CrLf({"[Gone]", "a=1", "b=2", "[Kept]", "c=3"}));
  PAIniFile ini("a.ini");
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ(1, ini.FindSection("Gone")->RemoveAllEntries());
  EXPECT_EQ(0, ini.FindSection("Gone")->RemoveAllEntries());
  ASSERT_EQ(1, ini.Save());
  EXPECT_EQ(CrLf({"[Kept]", "c=3", ""}), ReadBytes(dir.file("a.ini")));
  EXPECT_EQ(0, ini.FindSection("Gone")->IsModified());
}

TEST_F(IniFileTest, ExactCaseIndexBesideCaseFreeScans) {
  PAIniFile ini("a.ini");
  ASSERT_EQ(1, ini.AddSection("Main", 1));
  EXPECT_EQ(nullptr, ini.FindSection("main"));
  EXPECT_EQ(0, ini.FindSectionIndex("main"));
  EXPECT_EQ(1, ini.AddSection("MAIN", 1));  // another section
  EXPECT_EQ(2, ini.GetSectionCount());
  EXPECT_EQ(1, ini.AddSection("Main", 1));  // the same one
  EXPECT_EQ(2, ini.GetSectionCount());
  EXPECT_EQ(0, ini.AddSection("", 1));
  EXPECT_EQ(0, ini.AddSection(nullptr, 1));
  EXPECT_EQ(nullptr, ini.FindSection(""));
  EXPECT_EQ(-1, ini.FindSectionIndex(nullptr));
  EXPECT_EQ(1, ini.RemoveSection("main"));  // the first match without regard to case
  EXPECT_STREQ("MAIN", ini.GetSection(0)->GetName());
  EXPECT_EQ(nullptr, ini.FindSection("Main"));
  EXPECT_EQ(0, ini.RemoveSection(5));
  EXPECT_EQ(nullptr, ini.GetSection(-1));

  PAIniSection* section = ini.GetSection(0);
  ASSERT_EQ(1, section->SetEntry("Key", "1", 1));
  PAIniEntry* entry = section->FindEntry("Key");
  entry->SetKey("Renamed");
  EXPECT_EQ(1, entry->IsModified());
  // The index keeps the name the entry was added under.
  EXPECT_EQ(entry, section->FindEntry("Key"));
  EXPECT_EQ(nullptr, section->FindEntry("Renamed"));
  EXPECT_EQ(0, section->FindEntryIndex("renamed"));
  ASSERT_EQ(1, section->SetEntry("Renamed", "2", 1));  // a second entry
  EXPECT_EQ(2, section->GetEntryCount());
  EXPECT_EQ(1, section->RemoveEntry(0));
  EXPECT_EQ(nullptr, section->FindEntry("Key"));
  EXPECT_STREQ("2", section->FindEntry("Renamed")->GetValue());
  EXPECT_EQ(0, section->SetEntry("", "x", 1));
  EXPECT_EQ(0, section->RemoveEntry("missing"));
  EXPECT_EQ(nullptr, section->GetEntry(1));
}

// FindEntry against a plain map through random additions and removals, the
// key count crossing the size at which the index changes from a scan of
// dense slots to a hash table and back.
TEST_F(IniFileTest, ExactIndexAgreesWithAMapThroughGrowthAndRemovals) {
  std::mt19937 random(13);
  PAIniSection section("S");
  std::map<std::string, std::string> model;
  for (int step = 0; step < 4000; ++step) {
    const std::string key = "k" + std::to_string(random() % 40);
    // Additions win while the section is small, removals while it is large.
    const bool add = (random() % 40) >= model.size() / 2 + (step / 500 % 2 == 0 ? 0 : 10);
    if (add) {
      const std::string value = std::to_string(step);
      ASSERT_EQ(1, section.SetEntry(key.c_str(), value.c_str(), 1));
      model[key] = value;
    } else {
      EXPECT_EQ(model.erase(key), static_cast<size_t>(section.RemoveEntry(key.c_str())));
    }
    ASSERT_EQ(static_cast<int>(model.size()), section.GetEntryCount());
    for (int k = 0; k < 40; ++k) {
      const std::string name = "k" + std::to_string(k);
      PAIniEntry* entry = section.FindEntry(name.c_str());
      auto expected = model.find(name);
      ASSERT_EQ(expected != model.end(), entry != nullptr) << name << " at step " << step;
      if (entry != nullptr) {
        EXPECT_EQ(expected->second, entry->GetValue());
      }
    }
  }
}

// Sections that list the same keys share the keys' texts: each entry still
// reads and changes as its own.
TEST_F(IniFileTest, SectionsOfTheSameKeysLoadAndChangeApart) {
  std::mt19937 random(7);
  std::string text;
  std::map<std::pair<std::string, std::string>, std::string> model;
  for (int s = 0; s < 200; ++s) {
    const std::string name = "S" + std::to_string(s);
    text += "[" + name + "]\r\n";
    for (int k = 0; k < 12; ++k) {
      // Mostly the keys of the section before at the same places (the first
      // two sections exactly so).
      const std::string key = "K" + std::to_string(s >= 2 && random() % 6 == 0 ? random() % 20 : k);
      const std::string value = name + "." + std::to_string(k);
      text += key + "=" + value + "\r\n";
      model[{name, key}] = value;
    }
  }
  WriteBytes(dir.file("same.ini"), text);
  PAIniFile ini("same.ini");
  ASSERT_EQ(1, ini.Load());
  size_t entries = 0;
  for (int s = 0; s < ini.GetSectionCount(); ++s) entries += ini.GetSection(s)->GetEntryCount();
  EXPECT_EQ(model.size(), entries);
  for (const auto& expected : model) {
    EXPECT_EQ(expected.second, Value(ini, expected.first.first.c_str(), expected.first.second.c_str()));
  }
  PAIniEntry* first = ini.FindSection("S0")->GetEntry(0);
  PAIniEntry* second = ini.FindSection("S1")->FindEntry(first->GetKey());
  ASSERT_NE(nullptr, second);
  const std::string key = first->GetKey();
  first->SetKey("Renamed");
  first->SetValue("changed");
  EXPECT_EQ(key, second->GetKey());
  EXPECT_EQ(model[std::make_pair(std::string("S1"), key)], second->GetValue());
}

TEST_F(IniFileTest, EitherFindOrdinalServesBothClasses) {
  PAIniFile ini("a.ini");
  ini.AddSection("S", 1);
  PAIniSection* section = ini.FindSection("S");
  section->SetEntry("k", "v", 1);
  HMODULE tekora = LoadLibraryA("TEKORA.DLL");
  ASSERT_NE(nullptr, tekora);
  typedef void* (*Find)(const void*, const char*);
  for (int ordinal : {1576, 1577}) {
    Find find = reinterpret_cast<Find>(reinterpret_cast<void (*)()>(GetProcAddress(tekora, MAKEINTRESOURCEA(ordinal))));
    ASSERT_NE(nullptr, find) << ordinal;
    EXPECT_EQ(static_cast<void*>(section), find(&ini, "S")) << ordinal;
    EXPECT_EQ(static_cast<void*>(section->FindEntry("k")), find(section, "k")) << ordinal;
    EXPECT_EQ(nullptr, find(section, "K")) << ordinal;
  }
  FreeLibrary(tekora);
}

TEST_F(IniFileTest, NumbersAndYesNo) {
  struct Case {
    const char* text;
    int isInt, result, value;
  } cases[] = {{"yes", 1, 1, 1},  {"No", 1, 1, 0},   {"12", 1, 1, 12},   {"", 0, 0, 0},
               {"maybe", 0, 0, 0}, {"+7", 1, 1, 7},  {"-3", 1, 1, -3},   {"1.5", 1, 1, 1},
               {"1-2", 1, 1, 1},  {"12a", 0, 0, 0}, {"0x10", 0, 0, 0},  {"  42  ", 1, 1, 42},
               {" YES", 1, 1, 0}, {"\xB2", 1, 1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.isInt, PAIniEntry::IsIntValue(c.text)) << c.text;
    PAIniEntry entry("k", c.text);
    int value = -99;
    EXPECT_EQ(c.result, entry.GetIntValue(value)) << c.text;
    // " YES" is a number by the trimmed test, but the word is compared as
    // stored: atoi gives 0.
    EXPECT_EQ(c.value, value) << c.text;
  }
  EXPECT_EQ(1, PAIniEntry::IsNumberChar('0'));
  EXPECT_EQ(1, PAIniEntry::IsNumberChar('.'));
  EXPECT_EQ(0, PAIniEntry::IsNumberChar('e'));
  EXPECT_EQ(0, PAIniEntry::IsIntValue(nullptr));
  PAIniEntry number("n", -15);
  EXPECT_STREQ("-15", number.GetValue());
  EXPECT_EQ(0, number.IsModified());
}

TEST_F(IniFileTest, RuntimeClassesCreateObjectsByName) {
  struct Expected {
    const char* name;
    CRuntimeClass* record;
  } classes[] = {{"PAIniEntry", PAIniEntry::GetThisClass()},
                 {"PAIniSection", PAIniSection::GetThisClass()},
                 {"PAIniFile", PAIniFile::GetThisClass()},
                 {"PABigProfile", PABigProfile::GetThisClass()}};
  for (const Expected& e : classes) {
    CRuntimeClass* record = CRuntimeClass::FromName(e.name);
    ASSERT_EQ(e.record, record) << e.name;
    EXPECT_EQ(0x80000070u, record->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CObject), record->m_pBaseClass);
    CObject* object = record->CreateObject();
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(record, object->GetRuntimeClass());
    EXPECT_TRUE(object->IsSerializable());
    delete object;
  }
}

TEST_F(IniFileTest, SaveFailuresKeepTheOldFileAndTheFlags) {
  WriteBytes(dir.file("ro.ini"), CrLf({"[S]", "k=old"}));
  PAIniFile ini("ro.ini");
  ASSERT_EQ(1, ini.Load());
  ini.FindSection("S")->SetEntry("k", "new", 1);
  ASSERT_TRUE(SetFileAttributesA("ro.ini", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(0, ini.Save());
  EXPECT_EQ(1, ini.IsModified());
  EXPECT_EQ(CrLf({"[S]", "k=old"}), ReadBytes(dir.file("ro.ini")));
  EXPECT_EQ(std::vector<std::string>{"ro.ini"}, FileNames(dir.path()));
  ASSERT_TRUE(SetFileAttributesA("ro.ini", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(1, ini.Save());
  EXPECT_EQ(0, ini.IsModified());
  EXPECT_EQ(CrLf({"[S]", "k=new", ""}), ReadBytes(dir.file("ro.ini")));

  PAIniFile nowhere("missing\\folder\\x.ini");
  nowhere.AddSection("S", 1);
  nowhere.FindSection("S")->SetEntry("k", "v", 1);
  EXPECT_EQ(0, nowhere.Save());
  EXPECT_EQ(0, nowhere.Load());
  EXPECT_EQ(1, nowhere.IsModified());

  // A file held open by another writer cannot be replaced.
  HANDLE holder = CreateFileA("ro.ini", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  ini.FindSection("S")->SetEntry("k", "newer", 1);
  EXPECT_EQ(0, ini.Save());
  EXPECT_EQ(1, ini.IsModified());
  CloseHandle(holder);
  EXPECT_EQ(CrLf({"[S]", "k=new", ""}), ReadBytes(dir.file("ro.ini")));
  std::vector<std::string> names = FileNames(dir.path());
  // Wine's ReplaceFile leaves a copy of its own ("rf*.tmp") behind here.
  if (testsupport::RunningUnderWine())
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return name.rfind("rf", 0) == 0; }),
                names.end());
  EXPECT_EQ(std::vector<std::string>{"ro.ini"}, names);
}

TEST_F(IniFileTest, BadInputIsReadWithoutHarm) {
  // Binary bytes, NUL bytes, a CR alone, a 1 MB line, LF-only line ends.
  std::string binary = "[Bin]\n";
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  binary += "\nnul=a";
  binary += std::string(1, '\0');
  binary += "b\ncr=x\ry\n";
  binary += "long=" + std::string(1 << 20, 'L') + "\n";
  binary += "last=no line end";
  WriteBytes(dir.file("bad.ini"), binary);
  PAIniFile ini("bad.ini");
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ("a", Value(ini, "Bin", "nul"));  // the text ends at the NUL
  EXPECT_EQ("x\ry", Value(ini, "Bin", "cr"));
  EXPECT_EQ(size_t(1) << 20, Value(ini, "Bin", "long").size());
  EXPECT_EQ("no line end", Value(ini, "Bin", "last"));
  ASSERT_EQ(1, ini.Save());
  PAIniFile again("bad.ini");
  ASSERT_EQ(1, again.Load());
  EXPECT_EQ(size_t(1) << 20, Value(again, "Bin", "long").size());
  EXPECT_EQ("no line end", Value(again, "Bin", "last"));

  // A folder is no file.
  CreateDirectoryA("folder.ini", nullptr);
  PAIniFile folder("folder.ini");
  EXPECT_EQ(0, folder.Load());
  folder.AddSection("S", 1);
  folder.FindSection("S")->SetEntry("k", "v", 1);
  EXPECT_EQ(0, folder.Save());
}

// The reader's buffer is sized to the file, up to a megabyte: files just
// below, at and above that size, ending with and without a line end, read
// whole, the line that crosses a read included.
TEST_F(IniFileTest, FilesAroundTheReadSizeReadWhole) {
  const size_t piece = size_t(1) << 20;
  for (size_t size : {size_t(0), size_t(1), size_t(9), piece - 1, piece, piece + 1, 2 * piece + 3}) {
    for (const char* end : {"", "\r\n"}) {
      const std::string head = "[S]\r\nfirst=1\r\nfill=";
      const std::string tail = "\r\nlast=z" + std::string(end);
      const size_t fill = size > head.size() + tail.size() ? size - head.size() - tail.size() : 0;
      WriteBytes(dir.file("sized.ini"), head + std::string(fill, 'f') + tail);
      PAIniFile ini("sized.ini");
      ASSERT_EQ(1, ini.Load());
      SCOPED_TRACE(std::to_string(size) + (*end ? " with" : " without") + " a line end");
      EXPECT_EQ("1", Value(ini, "S", "first"));
      EXPECT_EQ(fill, Value(ini, "S", "fill").size());
      EXPECT_EQ("z", Value(ini, "S", "last"));
    }
  }
}

// A name or value ends at a NUL byte; blanks and a CR before it are trimmed
// like those at the end of the line, so that load, save, load is stable.
TEST_F(IniFileTest, TextsEndingAtANulByteAreTrimmed) {
  WriteBytes(dir.file("zero.ini"), std::string("[s \t\0x]\r\nk \0y=1\r\nv=v\r\0\r\nw=a \0b\r\n", 33));
  PAIniFile ini("zero.ini");
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ("1", Value(ini, "s", "k"));
  EXPECT_EQ("v", Value(ini, "s", "v"));
  EXPECT_EQ("a", Value(ini, "s", "w"));
  ASSERT_EQ(1, ini.Save());
  const std::string saved = ReadBytes(dir.file("zero.ini"));
  EXPECT_EQ(CrLf({"[s]", "k=1", "v=v", "w=a", ""}), saved);
  WriteBytes(dir.file("again.ini"), saved);
  PAIniFile again("again.ini");
  ASSERT_EQ(1, again.Load());
  again.SetModified(1);
  ASSERT_EQ(1, again.Save());
  EXPECT_EQ(saved, ReadBytes(dir.file("again.ini")));
}

// A line that is a header up to its first NUL byte is a header, and one
// whose key a NUL byte cuts is no entry: read as a key "[" with a value
// ending in "]", either would be saved as a header and read back as one,
// moving the keys after it into another section.
TEST_F(IniFileTest, HeaderBeforeANulByteIsAHeader) {
  static const char kText[] = "[a]\nk=v\n[\0\0=s]\0q\n[=s] \0q\n[k=v]\0]x\nm=1\n[]\0x\nn=2\n";
  WriteBytes(dir.file("cut.ini"), std::string(kText, sizeof kText - 1));
  PAIniFile ini("cut.ini");
  ASSERT_EQ(1, ini.Load());
  EXPECT_EQ("v", Value(ini, "a", "k"));
  ASSERT_NE(nullptr, ini.FindSection("a"));
  EXPECT_EQ(nullptr, ini.FindSection("a")->FindEntry("["));
  ASSERT_NE(nullptr, ini.FindSection("=s"));
  EXPECT_EQ("1", Value(ini, "k=v", "m"));
  ASSERT_NE(nullptr, ini.FindSection("k=v"));
  EXPECT_EQ(nullptr, ini.FindSection("k=v")->FindEntry("n"));  // "[]" ends the section
  ASSERT_EQ(1, ini.Save());
  const std::string saved = ReadBytes(dir.file("cut.ini"));
  EXPECT_EQ(CrLf({"[a]", "k=v", "", "[k=v]", "m=1", ""}), saved);
  PAIniFile again("cut.ini");
  ASSERT_EQ(1, again.Load());
  again.SetModified(1);
  ASSERT_EQ(1, again.Save());
  EXPECT_EQ(saved, ReadBytes(dir.file("cut.ini")));
}

// A loaded file's keys and values are packed many to a chunk; each stays
// whole through changes and removals of the others, in this file and in a
// copy loaded beside it, and after the other file is gone.
TEST_F(IniFileTest, PackedTextsOutliveTheirNeighbours) {
  std::mt19937 random(17);
  std::map<std::pair<std::string, std::string>, std::string> expected;
  std::string text;
  for (int s = 0; s < 400; ++s) {
    const std::string section = "S" + std::to_string(s);
    text += "[" + section + "]\r\n";
    for (int k = static_cast<int>(random() % 12); k > 0; --k) {
      const std::string key = "k" + std::to_string(random() % 20);
      // Values short and long, around the longest text packed.
      const size_t length = random() % 8 == 0 ? 1000 + random() % 50 : random() % 40;
      const std::string value = std::string(length, static_cast<char>('a' + random() % 26)) + std::to_string(s);
      text += key + "=" + value + "\r\n";
      expected[{section, key}] = value;
    }
  }
  WriteBytes(dir.file("packed.ini"), text);
  PAIniFile ini("packed.ini");
  auto copy = std::make_unique<PAIniFile>("packed.ini");
  ASSERT_EQ(1, ini.Load());
  ASSERT_EQ(1, copy->Load());
  for (auto& [address, value] : expected) {
    PAIniSection* section = ini.FindSection(address.first.c_str());
    switch (random() % 3) {
      case 0:
        value = "changed " + value;
        section->SetEntry(address.second.c_str(), value.c_str(), 1);
        break;
      case 1:
        section->RemoveEntry(address.second.c_str());
        value = "<none>";
        break;
    }
  }
  copy.reset();
  for (const auto& [address, value] : expected) {
    EXPECT_EQ(value, Value(ini, address.first.c_str(), address.second.c_str()));
  }
}

TEST_F(IniFileTest, HundredThousandSections) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  WriteBytes(dir.file("many.ini"), text);
  PAIniFile ini("many.ini");
  ASSERT_EQ(1, ini.Load());
  ASSERT_EQ(100000, ini.GetSectionCount());
  EXPECT_EQ("99999", Value(ini, "S99999", "k"));
  EXPECT_EQ(1, ini.RemoveSection("s5"));
  ASSERT_EQ(1, ini.Save());
  PAIniFile again("many.ini");
  ASSERT_EQ(1, again.Load());
  EXPECT_EQ(99999, again.GetSectionCount());
  EXPECT_EQ(nullptr, again.FindSection("S5"));
  EXPECT_STREQ("S0", again.GetSection(0)->GetName());
  EXPECT_STREQ("S1", again.GetSection(1)->GetName());
  EXPECT_STREQ("S10", again.GetSection(2)->GetName());
}

}  // namespace
