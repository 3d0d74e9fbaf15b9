// SharedText: an immutable text shared by its copies.
#include <tekora/shared_text.h>

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

namespace tekora {

SharedText::SharedText(const SharedText& other) noexcept : m_pBlock(other.m_pBlock) {
  if (m_pBlock != nullptr) ++m_pBlock->holders;
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
  if (other.m_pBlock != nullptr) ++other.m_pBlock->holders;
  Release();
  m_pBlock = other.m_pBlock;
  return *this;
}

SharedText::~SharedText() { Release(); }

void SharedText::Assign(LPCSTR text) {
  Block* block = nullptr;
  if (text != nullptr && *text != '\0') {
    const size_t length = strlen(text);
    block = static_cast<Block*>(malloc(offsetof(Block, text) + length + 1));
    if (block == nullptr) AfxThrowMemoryException();
    block->holders = 1;
    memcpy(block->text, text, length + 1);
  }
  Release();
  m_pBlock = block;
}

void SharedText::Release() noexcept {
  if (m_pBlock != nullptr && --m_pBlock->holders == 0) free(m_pBlock);
  m_pBlock = nullptr;
}

}  // namespace tekora
