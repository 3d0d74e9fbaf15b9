#include <afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs f and tells whether it threw a framework exception of class pClass.
template <class F>
bool ThrowsFramework(F f, CRuntimeClass* pClass) {
  try {
    f();
  } catch (CException* e) {
    bool matches = e->IsKindOf(pClass) != FALSE;
    e->Delete();
    return matches;
  }
  return false;
}

TEST(CStringTest, TrimRemovesWhiteSpaceOneCharacterOrAnyOfASet) {
  CString s(" \t\r\n value with  inner  space \n\t ");
  s.Trim();
  EXPECT_STREQ("value with  inner  space", s);

  CString quoted("\"\"name\"");
  quoted.Trim('"');
  EXPECT_STREQ("name", quoted);

  CString framed("-=+-core-+=");
  framed.TrimLeft("+-=");
  EXPECT_STREQ("core-+=", framed);
  framed.TrimRight("=+-");
  EXPECT_STREQ("core", framed);

  CString all("xyxyx");
  all.Trim("xy");
  EXPECT_TRUE(all.IsEmpty());

  CString untouched("  a  ");
  untouched.Trim("");
  EXPECT_STREQ("  a  ", untouched);
  untouched.TrimLeft(static_cast<LPCSTR>(NULL));
  EXPECT_STREQ("  a  ", untouched);
}

TEST(CStringTest, FindRespectsTheStartAndFindsNothingPastTheEnd) {
  CString s("abcabc");
  EXPECT_EQ(3, s.Find('a', 1));
  EXPECT_EQ(-1, s.Find('a', 6));
  EXPECT_EQ(-1, s.Find('a', 100));
  EXPECT_EQ(-1, s.Find('a', -1));
  EXPECT_EQ(4, s.Find("bc", 2));
  EXPECT_EQ(6, s.Find("", 6));  // the empty text is found at the very end
  EXPECT_EQ(-1, s.Find("", 7));
  EXPECT_EQ(-1, s.Find("cab", 3));
  EXPECT_EQ(5, s.ReverseFind('c'));
  EXPECT_EQ(-1, s.ReverseFind('z'));
  EXPECT_EQ(2, s.FindOneOf("xc"));
  EXPECT_EQ(-1, CString().Find('a'));
}

TEST(CStringTest, ReplaceGrowsAndShrinksAndCountsReplacements) {
  CString s("a.b.c");
  EXPECT_EQ(2, s.Replace(".", "<sep>"));
  EXPECT_STREQ("a<sep>b<sep>c", s);
  EXPECT_EQ(2, s.Replace("<sep>", ""));
  EXPECT_STREQ("abc", s);
  EXPECT_EQ(0, s.Replace("", "x"));
  EXPECT_EQ(0, s.Replace("zz", "x"));
  EXPECT_STREQ("abc", s);

  // Matches do not overlap: the scan resumes after each one.
  CString run("aaaaa");
  EXPECT_EQ(2, run.Replace("aa", "b"));
  EXPECT_STREQ("bba", run);

  CString chars("a-b-c");
  EXPECT_EQ(2, chars.Replace('-', '+'));
  EXPECT_STREQ("a+b+c", chars);
  EXPECT_EQ(0, chars.Replace('+', '+'));

  // A replacement that contains the pattern is not replaced again.
  CString grow("%");
  EXPECT_EQ(1, grow.Replace("%", "%%"));
  EXPECT_STREQ("%%", grow);
}

TEST(CStringTest, RemoveInsertAndDeleteClipToTheString) {
  CString s("a,b,,c");
  EXPECT_EQ(3, s.Remove(','));
  EXPECT_STREQ("abc", s);
  EXPECT_EQ(4, s.Insert(100, 'd'));
  EXPECT_STREQ("abcd", s);
  EXPECT_EQ(6, s.Insert(-5, "<<"));
  EXPECT_STREQ("<<abcd", s);
  EXPECT_EQ(4, s.Delete(0, 2));
  EXPECT_STREQ("abcd", s);
  EXPECT_EQ(2, s.Delete(2, 100));
  EXPECT_STREQ("ab", s);
  EXPECT_EQ(2, s.Delete(5));
  EXPECT_EQ(2, s.Delete(0, -1));
  // Inserting the string into itself works on a copy.
  s.Insert(1, s);
  EXPECT_STREQ("aabb", s);
}

TEST(CStringTest, MidLeftAndRightClipOutOfRangeArguments) {
  CString s("abcdef");
  EXPECT_STREQ("cde", s.Mid(2, 3));
  EXPECT_STREQ("ef", s.Mid(4, 100));
  EXPECT_STREQ("", s.Mid(6));
  EXPECT_STREQ("", s.Mid(100, 2));
  EXPECT_STREQ("abc", s.Mid(-3, 3));
  EXPECT_STREQ("", s.Mid(2, -1));
  EXPECT_STREQ("cdef", s.Mid(2));
  EXPECT_STREQ("abcdef", s.Mid(-1));
  EXPECT_STREQ("", s.Left(-1));
  EXPECT_STREQ("abcdef", s.Left(100));
  EXPECT_STREQ("ab", s.Left(2));
  EXPECT_STREQ("", s.Right(-1));
  EXPECT_STREQ("abcdef", s.Right(100));
  EXPECT_STREQ("ef", s.Right(2));
  EXPECT_STREQ("abc", s.SpanIncluding("cba"));
  EXPECT_STREQ("abcd", s.SpanExcluding("fe"));
  // Huge counts must not overflow into a negative length.
  EXPECT_STREQ("bcdef", s.Mid(1, 0x7FFFFFFF));
}

TEST(CStringTest, FormatProducesTextsOfAnyLength) {
  std::string big(100000, 'x');
  CString s;
  s.Format("[%s]%d", big.c_str(), 42);
  EXPECT_EQ(100004, s.GetLength());
  EXPECT_EQ('[', s[0]);
  EXPECT_STREQ("]42", s.Right(3));

  // The arguments may be the string's own text.
  CString self("ab");
  self.Format("%s-%s", static_cast<LPCSTR>(self), static_cast<LPCSTR>(self));
  EXPECT_STREQ("ab-ab", self);

  self.AppendFormat("/%05.1f", 2.5);
  EXPECT_STREQ("ab-ab/002.5", self);

  CString empty("keep");
  empty.Format("%s", "");
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringTest, TokenizeSkipsRunsOfDelimitersAndEndsWithMinusOne) {
  CString s("  alpha, beta,,gamma ");
  int pos = 0;
  std::string seen;
  for (CString token = s.Tokenize(", ", pos); pos != -1; token = s.Tokenize(", ", pos)) seen += "[" + std::string(token) + "]";
  EXPECT_EQ("[alpha][beta][gamma]", seen);

  // Without delimiters the rest is one token, and the next call ends.
  pos = 2;
  EXPECT_STREQ("alpha, beta,,gamma ", s.Tokenize("", pos));
  EXPECT_STREQ("", s.Tokenize("", pos));
  EXPECT_EQ(-1, pos);
}

TEST(CStringTest, CountedConstructionKeepsEmbeddedNuls) {
  CString s("a\0b", 3);
  EXPECT_EQ(3, s.GetLength());
  CString joined = s + s;
  EXPECT_EQ(6, joined.GetLength());
  EXPECT_EQ('\0', joined[4]);
  EXPECT_EQ('b', joined[5]);
  EXPECT_EQ(3, joined.Mid(3).GetLength());
  // C-string operations stop at the first NUL; Replace still reaches the
  // text after each NUL and keeps the NULs.
  EXPECT_EQ(-1, s.Find('b'));
  EXPECT_EQ(2, joined.Replace("b", "BB"));
  EXPECT_EQ(8, joined.GetLength());
  EXPECT_EQ(0, memcmp("a\0BBa\0BB", static_cast<LPCSTR>(joined), 8));
}

TEST(CStringTest, IndexingOutsideTheStringThrowsInvalidArgument) {
  CString s("abc");
  EXPECT_EQ('\0', s.GetAt(3));  // the terminator may be read
  EXPECT_TRUE(ThrowsFramework([&] { s.GetAt(4); }, RUNTIME_CLASS(CInvalidArgException)));
  EXPECT_TRUE(ThrowsFramework([&] { (void)s[-1]; }, RUNTIME_CLASS(CInvalidArgException)));
  EXPECT_TRUE(ThrowsFramework([&] { s.SetAt(3, 'x'); }, RUNTIME_CLASS(CInvalidArgException)));
  s.SetAt(2, 'x');
  EXPECT_STREQ("abx", s);
}

TEST(CStringTest, CompareAndCollateGiveTheSignOfTheOrder) {
  CString s("Apple");
  EXPECT_EQ(0, s.Compare("Apple"));
  EXPECT_LT(s.Compare("apple"), 0);
  EXPECT_EQ(0, s.CompareNoCase("aPPLE"));
  EXPECT_GT(s.CompareNoCase("ab"), 0);
  EXPECT_GT(s.Compare(NULL), 0);
  EXPECT_EQ(0, s.CollateNoCase("APPLE"));
  EXPECT_LT(CString("a").Collate("b"), 0);
  EXPECT_TRUE(s == "Apple");
  EXPECT_TRUE("Apple" == s);
  EXPECT_TRUE(s != CString("apple"));
  EXPECT_TRUE(CString("a") < "b");
  EXPECT_TRUE("b" > CString("a"));
}

TEST(CStringTest, BufferAccessSetsTheLength) {
  CString s;
  char* p = s.GetBuffer(10);
  strcpy(p, "hello");
  s.ReleaseBuffer();
  EXPECT_EQ(5, s.GetLength());

  p = s.GetBufferSetLength(3);
  EXPECT_EQ(3, s.GetLength());
  p[0] = 'H';
  s.ReleaseBuffer(2);
  EXPECT_STREQ("He", s);

  // An unterminated buffer never yields a length past the allocation.
  p = s.GetBuffer(4);
  int alloc = s.GetAllocLength();
  memset(p, 'z', static_cast<size_t>(alloc));
  s.ReleaseBuffer();
  EXPECT_EQ(alloc, s.GetLength());
}

TEST(CStringTest, AssignmentFromTheStringsOwnTextIsSafe) {
  CString s("0123456789");
  s = static_cast<LPCSTR>(s) + 4;
  EXPECT_STREQ("456789", s);
  s += static_cast<LPCSTR>(s);
  EXPECT_STREQ("456789456789", s);
  s = s.Mid(2, 2);
  EXPECT_STREQ("67", s);
}

TEST(CStringTest, CaseAndReverse) {
  CString s("MiXeD 1");
  EXPECT_STREQ("MIXED 1", CString(s).MakeUpper());
  EXPECT_STREQ("mixed 1", CString(s).MakeLower());
  EXPECT_STREQ("1 DeXiM", s.MakeReverse());
  EXPECT_STREQ("", CString().MakeUpper());
}

}  // namespace
