#include <afxcoll.h>

#include <gtest/gtest.h>

// Classes with runtime records, as a module of the library declares them.
class TestShape : public CObject {
  DECLARE_SERIAL(TestShape)
 public:
  TestShape() : sides(0) {}
  int sides;
};

class TestSquare : public TestShape {
  DECLARE_SERIAL(TestSquare)
 public:
  TestSquare() { sides = 4; }
};

class TestDynamicOnly : public CObject {
  DECLARE_DYNAMIC(TestDynamicOnly)
};

class TestCreatable : public CObject {
  DECLARE_DYNCREATE(TestCreatable)
};

IMPLEMENT_SERIAL(TestShape, CObject, VERSIONABLE_SCHEMA | 112)
IMPLEMENT_SERIAL(TestSquare, TestShape, VERSIONABLE_SCHEMA | 112)
IMPLEMENT_DYNAMIC(TestDynamicOnly, CObject)
IMPLEMENT_DYNCREATE(TestCreatable, CObject)

namespace {

TEST(RuntimeClassTest, RecordsCarryNameSizeSchemaAndBase) {
  CRuntimeClass* pClass = RUNTIME_CLASS(TestSquare);
  EXPECT_STREQ("TestSquare", pClass->m_lpszClassName);
  EXPECT_EQ(static_cast<int>(sizeof(TestSquare)), pClass->m_nObjectSize);
  EXPECT_EQ(0x80000070u, pClass->m_wSchema);
  EXPECT_EQ(RUNTIME_CLASS(TestShape), pClass->m_pBaseClass);
  EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(TestShape)->m_pBaseClass);
  EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->m_pBaseClass);
  EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(TestShape)->IsDerivedFrom(pClass));
}

TEST(RuntimeClassTest, ObjectsAreCreatedByClassName) {
  CRuntimeClass* pClass = CRuntimeClass::FromName("TestSquare");
  ASSERT_EQ(RUNTIME_CLASS(TestSquare), pClass);
  CObject* pObject = pClass->CreateObject();
  ASSERT_NE(nullptr, pObject);
  EXPECT_EQ(RUNTIME_CLASS(TestSquare), pObject->GetRuntimeClass());
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(TestShape)));
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CStringArray)));
  EXPECT_EQ(4, static_cast<TestShape*>(pObject)->sides);
  EXPECT_TRUE(pObject->IsSerializable());
  delete pObject;

  CObject* pCreatable = CRuntimeClass::CreateObject("TestCreatable");
  ASSERT_NE(nullptr, pCreatable);
  EXPECT_FALSE(pCreatable->IsSerializable());
  delete pCreatable;

  // Names are exact; classes without a factory give no object.
  EXPECT_EQ(NULL, CRuntimeClass::FromName("testsquare"));
  EXPECT_EQ(NULL, CRuntimeClass::FromName(NULL));
  EXPECT_EQ(NULL, CRuntimeClass::CreateObject("NoSuchClass"));
  EXPECT_EQ(RUNTIME_CLASS(TestDynamicOnly), CRuntimeClass::FromName("TestDynamicOnly"));
  EXPECT_EQ(NULL, RUNTIME_CLASS(TestDynamicOnly)->CreateObject());
}

TEST(RuntimeClassTest, FrameworkClassesAreRegisteredToo) {
  EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
  CObject* pArray = CRuntimeClass::CreateObject("CStringArray");
  ASSERT_NE(nullptr, pArray);
  EXPECT_TRUE(pArray->IsKindOf(RUNTIME_CLASS(CStringArray)));
  delete pArray;
  EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));
}

TEST(RuntimeClassTest, ARecordLeavesTheListWhenItsRegistrarEnds) {
  static const CRuntimeClass transient = {"TransientRecord", 1, 0xFFFF, NULL, RUNTIME_CLASS(CObject)};
  {
    AFX_CLASSINIT registrar(const_cast<CRuntimeClass*>(&transient));
    EXPECT_EQ(&transient, CRuntimeClass::FromName("TransientRecord"));
  }
  EXPECT_EQ(NULL, CRuntimeClass::FromName("TransientRecord"));
}

TEST(ExceptionTest, FileExceptionsAreThrownAsPointersAndDescribeTheirFile) {
  try {
    AfxThrowFileException(CFileException::fileNotFound, 2, "c:\\data\\list.txt");
    FAIL() << "no exception";
  } catch (CException* e) {
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    CFileException* fe = static_cast<CFileException*>(e);
    EXPECT_EQ(CFileException::fileNotFound, fe->m_cause);
    EXPECT_EQ(2, fe->m_lOsError);
    char text[64];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("c:\\data\\list.txt was not found.", text);
    // A small buffer gets a cut, terminated text.
    EXPECT_TRUE(e->GetErrorMessage(text, 5));
    EXPECT_STREQ("c:\\d", text);
    e->Delete();
  }
}

TEST(ExceptionTest, OsErrorsMapToCauses) {
  EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(0));
  EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
  EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(99999));
}

TEST(ExceptionTest, EachKindReportsItsOwnClass) {
  struct Case {
    void (*thrower)();
    CRuntimeClass* pClass;
  };
  const Case cases[] = {
      {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
      {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
      {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
      {[] { AfxThrowArchiveException(CArchiveException::endOfFile, "a.dat"); }, RUNTIME_CLASS(CArchiveException)},
  };
  for (const Case& c : cases) {
    try {
      c.thrower();
      ADD_FAILURE() << "no exception";
    } catch (CException* e) {
      EXPECT_EQ(c.pClass, e->GetRuntimeClass());
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
      char text[128];
      EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
      EXPECT_NE('\0', text[0]);
      e->Delete();
    }
  }
}

}  // namespace
