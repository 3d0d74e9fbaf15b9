// CArchive: strings in the CString form and objects with their classes,
// shared and circular references included.
#include <afx.h>
#include <afxcoll.h>

#include <string>

#include <gtest/gtest.h>
#include <testsupport/files.h>
#include <testsupport/temp_dir.h>

namespace {

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// A serialisable object that refers to another one (or to itself).
class Linked : public CObject {
  DECLARE_SERIAL(Linked)
 public:
  Linked() : m_pOther(NULL) {}
  void Serialize(CArchive& ar) override {
    ar.MapObject(this);
    if (ar.IsStoring()) {
      ar << m_strName << m_pOther;
    } else {
      CObject* other = NULL;
      ar >> m_strName >> other;
      m_pOther = static_cast<Linked*>(other);
    }
  }
  CString m_strName;
  Linked* m_pOther;
};
IMPLEMENT_SERIAL(Linked, CObject, VERSIONABLE_SCHEMA | 1)

class ArchiveObjectsTest : public testsupport::IsolatedTest {
 protected:
  template <class Store>
  std::string Stored(Store store) {
    {
      CFile file("a.bin", CFile::modeCreate | CFile::modeWrite);
      CArchive ar(&file, CArchive::store);
      store(ar);
    }
    return ReadBytes(dir.file("a.bin"));
  }
  template <class Load>
  void Loaded(const std::string& bytes, Load load) {
    WriteBytes(dir.file("a.bin"), bytes);
    CFile file("a.bin", CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    load(ar);
  }
  // The archive exception's cause that loading the bytes raises, or -1.
  template <class Load>
  int LoadFailure(const std::string& bytes, Load load) {
    try {
      Loaded(bytes, load);
    } catch (CArchiveException* e) {
      int cause = e->m_cause;
      e->Delete();
      return cause;
    }
    return -1;
  }
};

TEST_F(ArchiveObjectsTest, StringLengthPrefixesGrowWithTheText) {
  auto prefix = [&](int length) {
    CString text(std::string(length, 'x').c_str());
    std::string bytes = Stored([&](CArchive& ar) { ar << text; });
    return bytes.substr(0, bytes.size() - length);
  };
  EXPECT_EQ(std::string("\x00", 1), prefix(0));
  EXPECT_EQ("\xFE", prefix(254));
  EXPECT_EQ(std::string("\xFF\xFF\x00", 3), prefix(255));
  EXPECT_EQ(std::string("\xFF\xFD\xFF", 3), prefix(0xFFFD));
  EXPECT_EQ(std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7), prefix(70000));
  for (int length : {0, 254, 255, 0xFFFE, 70000}) {
    CString text(std::string(length, 'y').c_str());
    std::string bytes = Stored([&](CArchive& ar) { ar << text << CString("end"); });
    Loaded(bytes, [&](CArchive& ar) {
      CString back, end;
      ar >> back >> end;
      EXPECT_EQ(length, back.GetLength());
      EXPECT_STREQ("end", end);
    });
  }
}

TEST_F(ArchiveObjectsTest, WideStringsLoadAsNarrowText) {
  // 0xFF 0xFFFE announces UTF-16; then the length 3 and "aé€".
  const std::string bytes("\xFF\xFE\xFF\x03" "a\x00\xE9\x00\xAC\x20", 10);
  Loaded(bytes, [](CArchive& ar) {
    CString text;
    ar >> text;
    EXPECT_EQ(std::string("a\xE9?"), std::string(text));
  });
}

TEST_F(ArchiveObjectsTest, ShortArchivesRaiseEndOfFile) {
  auto readString = [](CArchive& ar) {
    CString text;
    ar >> text;
  };
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure("\x05" "abc", readString));
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure("", readString));
  // A length far beyond the archive asks for no memory it does not hold.
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure("\xFF\xFF\xFF\xFE\xFF\xFF\x7F" "abc", readString));
}

TEST_F(ArchiveObjectsTest, SharedAndCircularReferencesReadBackAsWritten) {
  Linked a, b;
  a.m_strName = "a";
  b.m_strName = "b";
  a.m_pOther = &b;
  b.m_pOther = &a;
  Linked self;
  self.m_strName = "self";
  self.m_pOther = &self;
  std::string bytes = Stored([&](CArchive& ar) {
    ar << &a << &b << &self << static_cast<CObject*>(NULL);
  });
  Loaded(bytes, [](CArchive& ar) {
    Linked marker;
    Linked* la = NULL;
    CObject *b = NULL, *self = NULL, *none = &marker;
    ar >> la >> b >> self >> none;  // the first through the class's own extraction
    ASSERT_TRUE(la != NULL);
    CObject* a = la;
    EXPECT_STREQ("a", la->m_strName);
    EXPECT_EQ(b, la->m_pOther);
    EXPECT_EQ(a, static_cast<Linked*>(b)->m_pOther);
    EXPECT_EQ(self, static_cast<Linked*>(self)->m_pOther);
    EXPECT_EQ(NULL, none);
    delete a;
    delete b;
    delete self;
  });
}

TEST_F(ArchiveObjectsTest, ObjectArraysKeepTheirOrderAndClasses) {
  CObArray stored;
  Linked one, two;
  one.m_strName = "one";
  two.m_strName = "two";
  stored.Add(&one);
  stored.Add(&two);
  stored.Add(&one);
  std::string bytes = Stored([&](CArchive& ar) { stored.Serialize(ar); });
  Loaded(bytes, [](CArchive& ar) {
    CObArray back;
    back.Serialize(ar);
    ASSERT_EQ(3, back.GetSize());
    EXPECT_STREQ("one", static_cast<Linked*>(back[0])->m_strName);
    EXPECT_STREQ("two", static_cast<Linked*>(back[1])->m_strName);
    EXPECT_EQ(back[0], back[2]);
    delete back[0];
    delete back[1];
  });
}

TEST_F(ArchiveObjectsTest, UnknownClassesAndBadReferencesAreRefused) {
  auto readObject = [](CArchive& ar) {
    CObject* pOb = NULL;
    ar >> pOb;
    delete pOb;
  };
  EXPECT_EQ(CArchiveException::badClass, LoadFailure(std::string("\xFF\xFF\x01\x00\x04\x00Nope", 10), readObject));
  EXPECT_EQ(CArchiveException::badIndex, LoadFailure(std::string("\x05\x00", 2), readObject));
  EXPECT_EQ(CArchiveException::badIndex, LoadFailure(std::string("\x03\x80", 2), readObject));
  // A class that asks for another base is refused.
  Linked one;
  std::string bytes = Stored([&](CArchive& ar) { ar << &one; });
  EXPECT_EQ(CArchiveException::badClass, LoadFailure(bytes, [](CArchive& ar) {
              delete ar.ReadObject(RUNTIME_CLASS(CObArray));
            }));
}

}  // namespace
