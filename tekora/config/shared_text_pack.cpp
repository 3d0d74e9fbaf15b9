// SharedTextPack: shared texts packed into chunks.
#include "shared_text_pack.h"

#include <stdint.h>
#include <string.h>

#include <atomic>
#include <new>

namespace tekora {

namespace {

// A chunk is aligned to its size, so a block finds its chunk from its own
// address.
const size_t kChunkSize = 64 * 1024;
// Longer texts get a block of their own: a chunk wastes at most this much
// at its end.
const size_t kLongestPacked = 1024;

size_t RoundUp(size_t n, size_t unit) { return (n + unit - 1) / unit * unit; }

}  // namespace

struct SharedTextPack::Chunk {
  // The blocks made in the chunk and not yet released, and one more while
  // a pack fills it.
  std::atomic<unsigned int> holds;
};

SharedTextPack::~SharedTextPack() { Leave(); }

void SharedTextPack::Leave() noexcept {
  if (m_pChunk == nullptr) return;
  ReleaseBlock(m_pChunk);
  m_pChunk = nullptr;
}

void SharedTextPack::Assign(SharedText* text, LPCSTR value, size_t length) {
  const size_t size = RoundUp(offsetof(SharedText::Block, text) + length + 1, alignof(SharedText::Block));
  if (length == 0 || size > kLongestPacked) {
    text->Assign(value, length);
    return;
  }
  if (m_pChunk == nullptr || m_nUsed + size > kChunkSize) {
    void* memory = ::operator new(kChunkSize, std::align_val_t(kChunkSize), std::nothrow);
    if (memory == nullptr) AfxThrowMemoryException();
    Leave();
    m_pChunk = new (memory) Chunk{{1}};
    m_nUsed = RoundUp(sizeof(Chunk), alignof(SharedText::Block));
  }
  auto* block = reinterpret_cast<SharedText::Block*>(reinterpret_cast<char*>(m_pChunk) + m_nUsed);
  m_nUsed += size;
  m_pChunk->holds.fetch_add(1, std::memory_order_relaxed);
  new (&block->holders) std::atomic<unsigned int>(SharedText::kPacked | 1);
  block->length = static_cast<unsigned int>(length);
  memcpy(block->text, value, length);
  block->text[length] = '\0';
  text->Release();
  text->m_pBlock = block;
}

void SharedTextPack::ReleaseBlock(const void* block) noexcept {
  auto* chunk = reinterpret_cast<Chunk*>(reinterpret_cast<uintptr_t>(block) & ~(uintptr_t{kChunkSize} - 1));
  if (chunk->holds.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  chunk->~Chunk();
  ::operator delete(chunk, std::align_val_t(kChunkSize));
}

}  // namespace tekora
