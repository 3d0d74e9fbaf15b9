// SharedText: an immutable text shared by its copies.
#include <tekora/shared_text.h>

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include <new>

#include "shared_text_pack.h"

namespace tekora {

SharedText::SharedText(const SharedText& other) noexcept : m_pBlock(other.m_pBlock) {
  if (m_pBlock != nullptr) m_pBlock->holders.fetch_add(1, std::memory_order_relaxed);
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
  if (other.m_pBlock != nullptr) other.m_pBlock->holders.fetch_add(1, std::memory_order_relaxed);
  Release();
  m_pBlock = other.m_pBlock;
  return *this;
}

SharedText::~SharedText() { Release(); }

void SharedText::Assign(LPCSTR text) { Assign(text, text != nullptr ? strlen(text) : 0); }

void SharedText::Assign(LPCSTR text, size_t length) {
  Block* block = nullptr;
  if (length > 0) {
    if (length > 0x7FFFFFFFu) AfxThrowMemoryException();
    block = static_cast<Block*>(malloc(offsetof(Block, text) + length + 1));
    if (block == nullptr) AfxThrowMemoryException();
    new (&block->holders) std::atomic<unsigned int>(1);
    block->length = static_cast<unsigned int>(length);
    memcpy(block->text, text, length);
    block->text[length] = '\0';
  }
  Release();
  m_pBlock = block;
}

void SharedText::Release() noexcept {
  if (m_pBlock == nullptr) return;
  const unsigned int holders = m_pBlock->holders.fetch_sub(1, std::memory_order_acq_rel);
  if ((holders & ~kPacked) == 1) {
    if ((holders & kPacked) != 0) {
      SharedTextPack::ReleaseBlock(m_pBlock);
    } else {
      free(m_pBlock);
    }
  }
  m_pBlock = nullptr;
}

}  // namespace tekora
