// SharedTextPack: many shared texts made at once, packed side by side.
#pragma once

#include <afx.h>

#include <stddef.h>

#include <tekora/shared_text.h>

namespace tekora {

// Makes shared texts in chunks of 64 KB, one after the other, rather than in
// one allocation each: a file's keys and values, which the INI model loads
// by the hundred thousand, then cost their characters and a count, without
// an allocation's header and rounding. A chunk is freed when the last text
// made in it is released (and the pack has moved on), so a chunk never costs
// more than the texts that were made in it. The texts behave as any other:
// copies share them, and another thread may release them.
class SharedTextPack {
 public:
  SharedTextPack() = default;
  SharedTextPack(const SharedTextPack&) = delete;
  SharedTextPack& operator=(const SharedTextPack&) = delete;
  // Lets go of the chunk being filled; the texts in it stay.
  ~SharedTextPack();

  // As text->Assign(value, length), with the copy packed into the chunk
  // being filled; a long text gets a block of its own. Throws the
  // framework's memory exception; the text is then unchanged.
  void Assign(SharedText* text, LPCSTR value, size_t length);

  // Releases a packed block's hold on its chunk; SharedText calls it when
  // the block's last holder lets go.
  static void ReleaseBlock(const void* block) noexcept;

 private:
  struct Chunk;

  // Lets go of the chunk being filled.
  void Leave() noexcept;

  Chunk* m_pChunk = nullptr;
  size_t m_nUsed = 0;  // bytes of the chunk in use, its header included
};

}  // namespace tekora
