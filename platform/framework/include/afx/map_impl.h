// The common body of the framework's maps from strings (CMapStringToString,
// CMapStringToOb, CMapStringToPtr).
//
// A chained hash table whose observable order is part of the contract that
// callers see when they iterate:
//   - the table has 17 buckets unless InitHashTable sets another size; it is
//     allocated on the first insertion;
//   - a key's hash is h = h * 33 + c over its bytes (as unsigned values),
//     and its bucket is the hash modulo the table size;
//   - a new association goes to the front of its bucket's chain;
//   - iteration (GetStartPosition / GetNextAssoc) walks the buckets in index
//     order and each chain from its front.
// Keys are compared exactly (case matters). Associations are allocated in
// blocks of the size given to the constructor, and freed associations are
// reused. Removing the association just returned by GetNextAssoc while
// iterating is allowed. A map of pointers never deletes what they point to.
#pragma once

#include <windows.h>
#include <afx/cstring.h>
#include <afx/exceptions.h>
#include <afx/object.h>

#include <new>
#include <string.h>

// Marks the position before the first association of a map.
#define BEFORE_START_POSITION ((POSITION)-1L)

namespace afx_internal {

template <class VALUE, class ARG_VALUE>
class StringKeyMap : public CObject {
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;  // the key's full hash; the bucket is this modulo the table size
    CString key;
    VALUE value;
  };

 public:
  ~StringKeyMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  // Copies the value stored under key into rValue; FALSE (rValue unchanged)
  // when the key is absent.
  BOOL Lookup(LPCSTR key, VALUE& rValue) const {
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL) return FALSE;
    rValue = pAssoc->value;
    return TRUE;
  }
  // Points rKey at the map's own copy of key; FALSE when absent.
  BOOL LookupKey(LPCSTR key, LPCSTR& rKey) const {
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL) return FALSE;
    rKey = pAssoc->key;
    return TRUE;
  }

  // The value stored under key, adding an empty one when the key is absent.
  VALUE& operator[](LPCSTR key) {
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc == NULL) {
      if (m_pHashTable == NULL) InitHashTable(m_nHashTableSize);
      pAssoc = NewAssoc(key);
      pAssoc->nHashValue = nHashValue;
      pAssoc->pNext = m_pHashTable[nHashBucket];
      m_pHashTable[nHashBucket] = pAssoc;
    }
    return pAssoc->value;
  }
  // Stores newValue under key, replacing any value there.
  void SetAt(LPCSTR key, ARG_VALUE newValue) { (*this)[key] = newValue; }

  // Removes key and its value; FALSE when the key was absent.
  BOOL RemoveKey(LPCSTR key) {
    if (m_pHashTable == NULL) return FALSE;
    UINT nHashValue = HashKey(key);
    CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
      if (pAssoc->nHashValue == nHashValue && strcmp(pAssoc->key, Key(key)) == 0) {
        *ppAssocPrev = pAssoc->pNext;
        FreeAssoc(pAssoc);
        return TRUE;
      }
      ppAssocPrev = &pAssoc->pNext;
    }
    return FALSE;
  }
  // Removes everything and frees the table and the association blocks; the
  // table size chosen by InitHashTable is kept.
  void RemoveAll() {
    if (m_pHashTable != NULL) {
      for (UINT nHash = 0; nHash < m_nHashTableSize; ++nHash) {
        for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) pAssoc->~CAssoc();
      }
      delete[] m_pHashTable;
      m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pFreeList = NULL;
    while (m_pBlocks != NULL) {
      Slot* pNext = m_pBlocks->pNextFree;
      delete[] m_pBlocks;
      m_pBlocks = pNext;
    }
  }

  // NULL for an empty map, else the position before the first association.
  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
  // Returns the association at rNextPosition and moves rNextPosition to the
  // next one (NULL after the last).
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, VALUE& rValue) const {
    CAssoc* pAssocRet = reinterpret_cast<CAssoc*>(rNextPosition);
    if (pAssocRet == NULL || m_pHashTable == NULL) AfxThrowInvalidArgException();
    if (pAssocRet == reinterpret_cast<CAssoc*>(BEFORE_START_POSITION)) {
      pAssocRet = NULL;
      for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; ++nBucket) {
        pAssocRet = m_pHashTable[nBucket];
      }
      if (pAssocRet == NULL) AfxThrowInvalidArgException();
    }
    CAssoc* pAssocNext = pAssocRet->pNext;
    if (pAssocNext == NULL) {
      for (UINT nBucket = (pAssocRet->nHashValue % m_nHashTableSize) + 1; nBucket < m_nHashTableSize; ++nBucket) {
        if ((pAssocNext = m_pHashTable[nBucket]) != NULL) break;
      }
    }
    rNextPosition = reinterpret_cast<POSITION>(pAssocNext);
    rKey = pAssocRet->key;
    rValue = pAssocRet->value;
  }

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  // Sets the number of buckets (at least 1). Associations already in the
  // map move to their buckets in the new table. With bAllocNow FALSE an
  // empty map allocates the table on the first insertion.
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    if (hashSize == 0) hashSize = 1;
    CAssoc** pOldTable = m_pHashTable;
    UINT nOldSize = m_nHashTableSize;
    m_pHashTable = NULL;
    m_nHashTableSize = hashSize;
    if (bAllocNow || m_nCount > 0) {
      m_pHashTable = new (std::nothrow) CAssoc*[hashSize];
      if (m_pHashTable == NULL) {
        m_pHashTable = pOldTable;
        m_nHashTableSize = nOldSize;
        AfxThrowMemoryException();
      }
      memset(m_pHashTable, 0, sizeof(CAssoc*) * hashSize);
    }
    if (pOldTable != NULL) {
      for (UINT nHash = 0; nHash < nOldSize; ++nHash) {
        CAssoc* pAssoc = pOldTable[nHash];
        while (pAssoc != NULL) {
          CAssoc* pNext = pAssoc->pNext;
          UINT nBucket = pAssoc->nHashValue % m_nHashTableSize;
          pAssoc->pNext = m_pHashTable[nBucket];
          m_pHashTable[nBucket] = pAssoc;
          pAssoc = pNext;
        }
      }
      delete[] pOldTable;
    }
  }

  // The hash of a key: h = h * 33 + c over its bytes.
  UINT HashKey(LPCSTR key) const {
    UINT nHash = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(Key(key)); *p != 0; ++p) {
      nHash = (nHash << 5) + nHash + *p;
    }
    return nHash;
  }

 protected:
  explicit StringKeyMap(INT_PTR nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 1) {}

 private:
  // Raw room for one association; free slots are chained through pNextFree,
  // and the first slot of each block links the blocks.
  union Slot {
    Slot* pNextFree;
    alignas(CAssoc) unsigned char storage[sizeof(CAssoc)];
  };

  static LPCSTR Key(LPCSTR key) { return key != NULL ? key : ""; }

  CAssoc* GetAssocAt(LPCSTR key, UINT& nHashBucket, UINT& nHashValue) const {
    nHashValue = HashKey(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == NULL) return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
      if (pAssoc->nHashValue == nHashValue && strcmp(pAssoc->key, Key(key)) == 0) return pAssoc;
    }
    return NULL;
  }

  CAssoc* NewAssoc(LPCSTR key) {
    if (m_pFreeList == NULL) {
      Slot* pBlock = new (std::nothrow) Slot[static_cast<size_t>(m_nBlockSize) + 1];
      if (pBlock == NULL) AfxThrowMemoryException();
      pBlock[0].pNextFree = m_pBlocks;
      m_pBlocks = pBlock;
      // Chain the new slots so that they are handed out in address order.
      for (INT_PTR i = m_nBlockSize; i >= 1; --i) {
        pBlock[i].pNextFree = m_pFreeList;
        m_pFreeList = &pBlock[i];
      }
    }
    CString keyCopy(Key(key));  // may throw: done before the slot is taken
    Slot* pSlot = m_pFreeList;
    m_pFreeList = pSlot->pNextFree;
    CAssoc* pAssoc = new (pSlot->storage) CAssoc{NULL, 0, static_cast<CString&&>(keyCopy), VALUE()};
    ++m_nCount;
    return pAssoc;
  }

  void FreeAssoc(CAssoc* pAssoc) {
    pAssoc->~CAssoc();
    Slot* pSlot = reinterpret_cast<Slot*>(pAssoc);
    pSlot->pNextFree = m_pFreeList;
    m_pFreeList = pSlot;
    if (--m_nCount == 0) RemoveAll();  // an empty map gives its memory back
  }

  CAssoc** m_pHashTable = NULL;
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
  Slot* m_pFreeList = NULL;
  Slot* m_pBlocks = NULL;
  INT_PTR m_nBlockSize;
};

}  // namespace afx_internal
