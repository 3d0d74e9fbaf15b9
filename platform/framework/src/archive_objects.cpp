// CArchive: numbers, counts, strings in the CString form and objects with
// their classes, in the framework's archive format.
#include <afx.h>
#include <afxcoll.h>

#include <string.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// The tags of the object format. Classes and objects share one count of
// references, starting at 1 (0 is the null object).
const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const WORD kBigObjectTag = 0x7FFF;
const DWORD kBigClassTag = 0x80000000;
const DWORD kMaxMapCount = 0x3FFFFFFE;

// Strings are read in pieces of this many characters, so that a damaged
// length never asks for more memory than the archive really holds.
const UINT kStringPiece = 65536;

// 8-bit text from UTF-16: the characters below 256 as they are, others "?".
char NarrowChar(WORD wide) { return wide < 0x100 ? static_cast<char>(wide) : '?'; }

}  // namespace

struct AfxArchiveMaps {
  // Storing: each object or class written, with its reference number.
  std::unordered_map<const void*, DWORD> stored;
  // Loading: what each reference number stands for (index 0 unused).
  struct Loaded {
    bool isClass;
    const void* p;
  };
  std::vector<Loaded> loaded{{false, nullptr}};
  std::unordered_set<const void*> loadedObjects;
  DWORD count = 1;
};

void FreeObjectMaps(AfxArchiveMaps* maps) { delete maps; }

AfxArchiveMaps& CArchive::Maps() {
  if (m_pMaps == NULL) m_pMaps = new AfxArchiveMaps;
  return *m_pMaps;
}

void CArchive::ReadExactly(void* lpBuf, UINT nMax) {
  if (Read(lpBuf, nMax) != nMax) AfxThrowArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(BYTE by) {
  Write(&by, 1);
  return *this;
}

CArchive& CArchive::operator<<(WORD w) {
  BYTE bytes[2] = {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)};
  Write(bytes, 2);
  return *this;
}

CArchive& CArchive::operator<<(DWORD dw) {
  BYTE bytes[4] = {static_cast<BYTE>(dw), static_cast<BYTE>(dw >> 8), static_cast<BYTE>(dw >> 16),
                   static_cast<BYTE>(dw >> 24)};
  Write(bytes, 4);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& by) {
  ReadExactly(&by, 1);
  return *this;
}

CArchive& CArchive::operator>>(WORD& w) {
  BYTE bytes[2];
  ReadExactly(bytes, 2);
  w = static_cast<WORD>(bytes[0] | (bytes[1] << 8));
  return *this;
}

CArchive& CArchive::operator>>(DWORD& dw) {
  BYTE bytes[4];
  ReadExactly(bytes, 4);
  dw = static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) | (static_cast<DWORD>(bytes[2]) << 16) |
       (static_cast<DWORD>(bytes[3]) << 24);
  return *this;
}

CArchive& CArchive::operator>>(int& i) {
  DWORD dw;
  *this >> dw;
  i = static_cast<int>(dw);
  return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
  } else {
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
  return dw;
}

void CArchive::MapObject(const CObject* pOb) {
  if (pOb == NULL) return;
  AfxArchiveMaps& maps = Maps();
  if (IsStoring()) {
    if (maps.stored.count(pOb) == 0) maps.stored[pOb] = maps.count++;
  } else if (maps.loadedObjects.insert(pOb).second) {
    maps.loaded.push_back({false, pOb});
  }
}

void CArchive::WriteClass(const CRuntimeClass* pClass) {
  AfxArchiveMaps& maps = Maps();
  auto found = maps.stored.find(pClass);
  if (found != maps.stored.end()) {
    if (found->second < kBigObjectTag) {
      *this << static_cast<WORD>(kClassTag | found->second);
    } else {
      *this << kBigObjectTag << static_cast<DWORD>(kBigClassTag | found->second);
    }
    return;
  }
  const WORD nameLength = static_cast<WORD>(strlen(pClass->m_lpszClassName));
  *this << kNewClassTag << static_cast<WORD>(pClass->m_wSchema) << nameLength;
  Write(pClass->m_lpszClassName, nameLength);
  maps.stored[pClass] = maps.count++;
}

void CArchive::WriteObject(const CObject* pOb) {
  CheckStoring();
  if (pOb == NULL) {
    *this << kNullTag;
    return;
  }
  AfxArchiveMaps& maps = Maps();
  auto found = maps.stored.find(pOb);
  if (found != maps.stored.end()) {
    if (found->second < kBigObjectTag) {
      *this << static_cast<WORD>(found->second);
    } else {
      *this << kBigObjectTag << found->second;
    }
    return;
  }
  const CRuntimeClass* pClass = pOb->GetRuntimeClass();
  if (!pOb->IsSerializable()) AfxThrowNotSupportedException();
  if (maps.count >= kMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex);
  WriteClass(pClass);
  maps.stored[pOb] = maps.count++;
  const_cast<CObject*>(pOb)->Serialize(*this);
}

// The class a new-class or class tag names, or NULL when the tag is an
// object reference (then left in the archive's last tag).
CRuntimeClass* CArchive::ReadClass() {
  AfxArchiveMaps& maps = Maps();
  WORD wTag;
  *this >> wTag;
  DWORD obTag;
  if (wTag == kBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);
  }
  CRuntimeClass* pClass = NULL;
  if (wTag == kNewClassTag) {
    WORD schema, nameLength;
    *this >> schema >> nameLength;
    std::string name(nameLength, '\0');
    ReadExactly(&name[0], nameLength);
    pClass = CRuntimeClass::FromName(name.c_str());
    if (pClass == NULL || pClass->m_pfnCreateObject == NULL) {
      AfxThrowArchiveException(CArchiveException::badClass);
    }
    const UINT ownSchema = pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
    if (!(pClass->m_wSchema & VERSIONABLE_SCHEMA) && ownSchema != schema) {
      AfxThrowArchiveException(CArchiveException::badSchema);
    }
    maps.loaded.push_back({true, pClass});
  } else if (obTag & kBigClassTag) {
    const DWORD index = obTag & ~kBigClassTag;
    if (index == 0 || index >= maps.loaded.size() || !maps.loaded[index].isClass) {
      AfxThrowArchiveException(CArchiveException::badIndex);
    }
    pClass = static_cast<CRuntimeClass*>(const_cast<void*>(maps.loaded[index].p));
  } else {
    m_nLastObjectTag = obTag;
    return NULL;
  }
  return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  CheckLoading();
  AfxArchiveMaps& maps = Maps();
  CRuntimeClass* pClass = ReadClass();
  if (pClass == NULL) {
    const DWORD index = m_nLastObjectTag;
    if (index >= maps.loaded.size() || maps.loaded[index].isClass) {
      AfxThrowArchiveException(CArchiveException::badIndex);
    }
    CObject* pOb = static_cast<CObject*>(const_cast<void*>(maps.loaded[index].p));
    if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested)) {
      AfxThrowArchiveException(CArchiveException::badClass);
    }
    return pOb;
  }
  if (pClassRefRequested != NULL && !pClass->IsDerivedFrom(pClassRefRequested)) {
    AfxThrowArchiveException(CArchiveException::badClass);
  }
  CObject* pOb = pClass->CreateObject();
  if (pOb == NULL) AfxThrowMemoryException();
  MapObject(pOb);
  try {
    pOb->Serialize(*this);
  } catch (...) {
    delete pOb;
    throw;
  }
  return pOb;
}

CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClass) { return ar.ReadObject(pClass); }

void AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode) {
  if (bUnicode) ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
  if (nLength < 0xFF) {
    ar << static_cast<BYTE>(nLength);
  } else if (nLength < 0xFFFE) {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
  } else {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(nLength);
  }
}

UINT_PTR AfxReadStringLength(CArchive& ar, int& nCharSize) {
  nCharSize = 1;
  for (;;) {
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF) return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE) {
      nCharSize = 2;  // wide text: the length follows
      continue;
    }
    if (wLength < 0xFFFF) return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength != 0xFFFFFFFF) return dwLength;
    DWORD low, high;
    ar >> low >> high;
    if (high != 0) AfxThrowArchiveException(CArchiveException::endOfFile);  // more than any archive holds
    return low;
  }
}

CArchive& operator<<(CArchive& ar, const CString& string) {
  AfxWriteStringLength(ar, static_cast<UINT_PTR>(string.GetLength()), FALSE);
  ar.Write(static_cast<LPCSTR>(string), static_cast<UINT>(string.GetLength()));
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
  int nCharSize;
  UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
  CString text;
  std::vector<BYTE> piece;
  while (nLength > 0) {
    const UINT nChars = nLength < kStringPiece ? static_cast<UINT>(nLength) : kStringPiece;
    piece.resize(static_cast<size_t>(nChars) * nCharSize);
    if (ar.Read(piece.data(), static_cast<UINT>(piece.size())) != piece.size()) {
      AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    if (nCharSize == 1) {
      text.Append(reinterpret_cast<LPCSTR>(piece.data()), static_cast<int>(nChars));
    } else {
      std::vector<char> narrow(nChars);
      for (UINT i = 0; i < nChars; ++i) narrow[i] = NarrowChar(static_cast<WORD>(piece[2 * i] | (piece[2 * i + 1] << 8)));
      text.Append(narrow.data(), static_cast<int>(nChars));
    }
    nLength -= nChars;
  }
  string = text;
  return ar;
}

void CObArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
    for (INT_PTR i = 0; i < GetSize(); ++i) ar.WriteObject(GetAt(i));
    return;
  }
  RemoveAll();
  // Objects are appended as they arrive, so that a damaged count costs no
  // memory beyond what the archive holds.
  for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) Add(ar.ReadObject(NULL));
}
