// The common body of the framework's typed arrays (CStringArray, CObArray,
// CPtrArray, CDWordArray ...): a growable, 0-based array of values.
//
// Indexes outside the array throw CInvalidArgException (GetAt, SetAt,
// ElementAt, operator[], RemoveAt; a negative index for InsertAt); running
// out of memory throws CMemoryException. An array of pointers never owns
// what the pointers point to: RemoveAll and RemoveAt do not delete objects.
#pragma once

#include <windows.h>
#include <afx/exceptions.h>
#include <afx/object.h>

#include <new>
#include <stdexcept>
#include <vector>

namespace afx_internal {

template <class TYPE, class ARG_TYPE>
class TypedArray : public CObject {
 public:
  // Number of elements; GetUpperBound is the last index (-1 when empty).
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }

  // Sets the number of elements; new elements are empty (0 for numbers and
  // pointers). nGrowBy is accepted for compatibility: growth is automatic.
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    (void)nGrowBy;
    if (nNewSize < 0) AfxThrowInvalidArgException();
    Guard([&] { m_data.resize(static_cast<size_t>(nNewSize)); });
  }
  void FreeExtra() { Guard([&] { m_data.shrink_to_fit(); }); }
  void RemoveAll() {
    std::vector<TYPE> empty;
    m_data.swap(empty);
  }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
  TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }

  // The elements as one block; valid until the array changes size.
  const TYPE* GetData() const { return m_data.empty() ? NULL : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? NULL : m_data.data(); }

  // Sets an element, growing the array when the index is past its end.
  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) AfxThrowInvalidArgException();
    TYPE copy(newElement);  // newElement may refer into the array
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = static_cast<TYPE&&>(copy);
  }
  // Appends one element; result: its index.
  INT_PTR Add(ARG_TYPE newElement) {
    TYPE copy(newElement);
    Guard([&] { m_data.push_back(static_cast<TYPE&&>(copy)); });
    return GetSize() - 1;
  }
  // Appends all elements of src; result: the index of the first one added.
  INT_PTR Append(const TypedArray& src) {
    INT_PTR nOldSize = GetSize();
    if (&src == this) {
      std::vector<TYPE> copy(m_data);
      Guard([&] { m_data.insert(m_data.end(), copy.begin(), copy.end()); });
    } else {
      Guard([&] { m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end()); });
    }
    return nOldSize;
  }
  // Makes this array an element-by-element copy of src.
  void Copy(const TypedArray& src) {
    if (&src != this) Guard([&] { m_data = src.m_data; });
  }

  // Inserts nCount copies of newElement at nIndex; an index past the end
  // grows the array first.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0) AfxThrowInvalidArgException();
    if (nCount == 0) return;
    TYPE copy(newElement);
    if (nIndex > GetSize()) SetSize(nIndex);
    Guard([&] { m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy); });
  }
  // Inserts all elements of pNewArray at nStartIndex.
  void InsertAt(INT_PTR nStartIndex, const TypedArray* pNewArray) {
    if (pNewArray == NULL || nStartIndex < 0) AfxThrowInvalidArgException();
    std::vector<TYPE> copy(pNewArray->m_data);
    if (nStartIndex > GetSize()) SetSize(nStartIndex);
    Guard([&] { m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end()); });
  }
  // Removes nCount elements from nIndex; the whole range must exist.
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nIndex > GetSize() || nCount > GetSize() - nIndex) {
      AfxThrowInvalidArgException();
    }
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 protected:
  TypedArray() {}

 private:
  size_t Checked(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(nIndex);
  }
  template <class F>
  static void Guard(F f) {
    try {
      f();
    } catch (const std::bad_alloc&) {
      AfxThrowMemoryException();
    } catch (const std::length_error&) {
      AfxThrowMemoryException();
    }
  }

  std::vector<TYPE> m_data;
};

}  // namespace afx_internal
