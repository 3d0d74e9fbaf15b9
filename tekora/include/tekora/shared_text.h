// The texts that address a configuration item (file, section, key). It is
// part of the items' layout, not an interface of its own: callers use
// GetFile, GetSection and GetKey.
#pragma once

#include <afx.h>

namespace tekora {

// An immutable text that copies share: a copy counts one more holder of
// the same block instead of copying the characters, so the items a tree
// loads for one section hold one copy of its file and section name between
// them. The holders of one block are used by one thread at a time, as the
// items and nodes that hold them are.
class SharedText {
 public:
  SharedText() noexcept : m_pBlock(nullptr) {}
  SharedText(const SharedText& other) noexcept;
  SharedText& operator=(const SharedText& other) noexcept;
  ~SharedText();

  // Replaces the text by a copy of `text` (null is empty; `text` may be
  // this text itself). Throws the framework's memory exception; the text is
  // then unchanged.
  void Assign(LPCSTR text);

  operator LPCSTR() const { return m_pBlock != nullptr ? m_pBlock->text : ""; }
  bool IsEmpty() const { return m_pBlock == nullptr; }

 private:
  struct Block {
    unsigned int holders;
    char text[1];
  };

  void Release() noexcept;

  Block* m_pBlock;  // null: the empty text
};

}  // namespace tekora
