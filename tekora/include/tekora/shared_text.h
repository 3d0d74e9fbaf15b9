// The texts that address a configuration item (file, section, key), and
// the keys and values of the INI model, which the items' values share. It is
// part of the items' and entries' layout, not an interface of its own:
// callers use GetFile, GetSection, GetKey and GetValue.
#pragma once

#include <afx.h>

#include <atomic>
#include <stddef.h>

namespace tekora {

class SharedTextPack;

// An immutable text that copies share: a copy counts one more holder of
// the same block instead of copying the characters, so the items a tree
// loads for one section hold one copy of its file and section name between
// them, and an item read from the profile cache holds the cached value
// itself. The count of holders is atomic: an entry of the process-wide cache
// and an item of another thread may hold one block.
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
  // The same with the first `length` characters of `text`, NULs included.
  void Assign(LPCSTR text, size_t length);

  operator LPCSTR() const { return m_pBlock != nullptr ? m_pBlock->text : ""; }
  bool IsEmpty() const { return m_pBlock == nullptr; }
  // The number of characters assigned, NULs included.
  int GetLength() const { return m_pBlock != nullptr ? static_cast<int>(m_pBlock->length) : 0; }

 private:
  // A block made by a SharedTextPack (in one of its chunks) rather than one
  // allocation of its own.
  friend class SharedTextPack;

  struct Block {
    // The count of holders; the top bit marks a packed block (kPacked).
    std::atomic<unsigned int> holders;
    unsigned int length;
    char text[1];
  };

  static const unsigned int kPacked = 0x80000000u;

  void Release() noexcept;

  Block* m_pBlock;  // null: the empty text
};

}  // namespace tekora
