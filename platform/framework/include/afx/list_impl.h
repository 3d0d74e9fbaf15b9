// The common body of the framework's doubly linked lists (CStringList,
// CObList, CPtrList). A POSITION names one node; GetNext/GetPrev return the
// element at a position and move the position on (NULL after the last).
// A NULL position handed to an accessor throws CInvalidArgException; a list
// of pointers never deletes what they point to.
#pragma once

#include <windows.h>
#include <afx/exceptions.h>
#include <afx/object.h>

#include <new>

namespace afx_internal {

template <class TYPE, class ARG_TYPE>
class TypedList : public CObject {
  struct Node {
    Node* pNext;
    Node* pPrev;
    TYPE data;
  };

 public:
  ~TypedList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  // Head and tail; the list must not be empty.
  TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
  TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

  // Remove the head or tail element and return it.
  TYPE RemoveHead() {
    Node* pOld = NonEmpty(m_pNodeHead);
    TYPE value = pOld->data;
    Unlink(pOld);
    return value;
  }
  TYPE RemoveTail() {
    Node* pOld = NonEmpty(m_pNodeTail);
    TYPE value = pOld->data;
    Unlink(pOld);
    return value;
  }

  // Add an element; result: its position.
  POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(NULL, newElement); }
  POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(NULL, newElement); }
  // Add all elements of another list at the head / tail, in their order.
  void AddHead(TypedList* pNewList) {
    if (pNewList == NULL) AfxThrowInvalidArgException();
    for (Node* p = pNewList->m_pNodeTail; p != NULL; p = p->pPrev) AddHead(p->data);
  }
  void AddTail(TypedList* pNewList) {
    if (pNewList == NULL) AfxThrowInvalidArgException();
    for (Node* p = pNewList->m_pNodeHead; p != NULL; p = p->pNext) AddTail(p->data);
  }

  void RemoveAll() {
    Node* p = m_pNodeHead;
    while (p != NULL) {
      Node* pNext = p->pNext;
      delete p;
      p = pNext;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
  }

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
  TYPE& GetNext(POSITION& rPosition) {
    Node* p = At(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pNext);
    return p->data;
  }
  const TYPE& GetNext(POSITION& rPosition) const {
    Node* p = At(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pNext);
    return p->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    Node* p = At(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pPrev);
    return p->data;
  }
  const TYPE& GetPrev(POSITION& rPosition) const {
    Node* p = At(rPosition);
    rPosition = reinterpret_cast<POSITION>(p->pPrev);
    return p->data;
  }
  TYPE& GetAt(POSITION position) { return At(position)->data; }
  const TYPE& GetAt(POSITION position) const { return At(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { At(pos)->data = newElement; }
  void RemoveAt(POSITION position) { Unlink(At(position)); }

  // Insert before / after a position (NULL: at the head / tail); result:
  // the new element's position.
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    Node* pOld = position == NULL ? m_pNodeHead : At(position);
    Node* pNew = NewNode(newElement);
    pNew->pNext = pOld;
    pNew->pPrev = pOld != NULL ? pOld->pPrev : NULL;
    if (pOld != NULL) {
      if (pOld->pPrev != NULL) {
        pOld->pPrev->pNext = pNew;
      } else {
        m_pNodeHead = pNew;
      }
      pOld->pPrev = pNew;
    } else {
      m_pNodeHead = m_pNodeTail = pNew;
    }
    ++m_nCount;
    return reinterpret_cast<POSITION>(pNew);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    Node* pOld = position == NULL ? m_pNodeTail : At(position);
    Node* pNew = NewNode(newElement);
    pNew->pPrev = pOld;
    pNew->pNext = pOld != NULL ? pOld->pNext : NULL;
    if (pOld != NULL) {
      if (pOld->pNext != NULL) {
        pOld->pNext->pPrev = pNew;
      } else {
        m_pNodeTail = pNew;
      }
      pOld->pNext = pNew;
    } else {
      m_pNodeHead = m_pNodeTail = pNew;
    }
    ++m_nCount;
    return reinterpret_cast<POSITION>(pNew);
  }

  // The position of the first element equal to searchValue after startAfter
  // (NULL: from the head), or NULL.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
    Node* p = startAfter == NULL ? m_pNodeHead : At(startAfter)->pNext;
    for (; p != NULL; p = p->pNext) {
      if (p->data == searchValue) return reinterpret_cast<POSITION>(p);
    }
    return NULL;
  }
  // The position of the element at a 0-based index, or NULL.
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return NULL;
    Node* p = m_pNodeHead;
    while (nIndex-- > 0) p = p->pNext;
    return reinterpret_cast<POSITION>(p);
  }

 protected:
  explicit TypedList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }

 private:
  static Node* At(POSITION position) {
    if (position == NULL) AfxThrowInvalidArgException();
    return reinterpret_cast<Node*>(position);
  }
  static Node* NonEmpty(Node* p) {
    if (p == NULL) AfxThrowInvalidArgException();
    return p;
  }
  static Node* NewNode(ARG_TYPE value) {
    Node* p = new (std::nothrow) Node{NULL, NULL, TYPE()};
    if (p == NULL) AfxThrowMemoryException();
    p->data = value;
    return p;
  }
  void Unlink(Node* p) {
    if (p->pPrev != NULL) {
      p->pPrev->pNext = p->pNext;
    } else {
      m_pNodeHead = p->pNext;
    }
    if (p->pNext != NULL) {
      p->pNext->pPrev = p->pPrev;
    } else {
      m_pNodeTail = p->pPrev;
    }
    delete p;
    --m_nCount;
  }

  Node* m_pNodeHead = NULL;
  Node* m_pNodeTail = NULL;
  INT_PTR m_nCount = 0;
};

}  // namespace afx_internal
