// SPDX-License-Identifier: MIT
#include "bufferalloc.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace margem {

namespace {

constexpr std::size_t kPage = kBufferPage;
constexpr std::size_t kMapped = std::size_t(1) << 20;  // from this size on, buffers are mapped

std::size_t PageRound(std::size_t bytes) { return (bytes + kPage - 1) & ~(kPage - 1); }

// Every mapped buffer gets the same advice, so that the kernel can keep a buffer that grew in
// front as one mapping. Only advice: without huge pages a buffer works the same, just slower.
void AdviseHuge(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  madvise(data, PageRound(bytes), MADV_HUGEPAGE);
#endif
}

void* Map(std::size_t bytes) {
  void* data = mmap(nullptr, PageRound(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                    -1, 0);
  if (data == MAP_FAILED) throw std::bad_alloc();
  AdviseHuge(data, bytes);
  return data;
}

}  // namespace

bool IsMappedBuffer(std::size_t bytes) { return bytes >= kMapped; }

void* GrowBufferFront(void* data, std::size_t oldBytes, std::size_t extraBytes) {
  const std::size_t oldMapped = PageRound(oldBytes);
  void* base = mmap(nullptr, extraBytes + oldMapped, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) throw std::bad_alloc();
  AdviseHuge(base, extraBytes + oldMapped);
  void* content = static_cast<char*>(base) + extraBytes;
  if (mremap(data, oldMapped, oldMapped, MREMAP_MAYMOVE | MREMAP_FIXED, content) == MAP_FAILED) {
    // The kernel would not move it in one piece: copy instead.
    std::memcpy(content, data, oldBytes);
    munmap(data, oldMapped);
  }
  return base;
}

void* ResizeBuffer(void* data, std::size_t oldBytes, std::size_t newBytes) {
  const bool wasMapped = data && oldBytes >= kMapped;
  const bool mapped = newBytes >= kMapped;
  if (wasMapped && mapped) {
    void* moved = mremap(data, PageRound(oldBytes), PageRound(newBytes), MREMAP_MAYMOVE);
    if (moved != MAP_FAILED) {
      AdviseHuge(moved, newBytes);
      return moved;
    }
    // The kernel would not move it in one piece: copy instead.
    void* fresh = Map(newBytes);
    std::memcpy(fresh, data, oldBytes < newBytes ? oldBytes : newBytes);
    munmap(data, PageRound(oldBytes));
    return fresh;
  }
  if (!wasMapped && !mapped) {
    if (newBytes == 0) {
      std::free(data);
      return nullptr;
    }
    void* grown = std::realloc(data, newBytes);
    if (!grown) throw std::bad_alloc();
    return grown;
  }
  // Crossing between heap and mapping: a fresh block and one copy.
  void* fresh = mapped ? Map(newBytes) : (newBytes ? std::malloc(newBytes) : nullptr);
  if (newBytes && !fresh) throw std::bad_alloc();
  if (data) {
    if (fresh) std::memcpy(fresh, data, oldBytes < newBytes ? oldBytes : newBytes);
    if (wasMapped) {
      munmap(data, PageRound(oldBytes));
    } else {
      std::free(data);
    }
  }
  return fresh;
}

}  // namespace margem
