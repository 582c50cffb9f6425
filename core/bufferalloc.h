// SPDX-License-Identifier: MIT
// Growing raw buffers for the row storage. Small buffers live on the heap; large ones are mapped
// straight from the kernel, so that growing them moves page tables instead of copying bytes, and
// they ask for huge pages, so that filling a few hundred megabytes does not fault every 4 KiB.
#pragma once

#include <cstddef>

namespace margem {

// Resizes a buffer of oldBytes (nullptr when 0) to newBytes, keeping the common prefix. Returns
// nullptr for 0 bytes; throws std::bad_alloc when memory runs out.
void* ResizeBuffer(void* data, std::size_t oldBytes, std::size_t newBytes);

// Whether a buffer of this size is mapped, and so can grow at its front.
bool IsMappedBuffer(std::size_t bytes);
inline constexpr std::size_t kBufferPage = 4096;

// Grows a mapped buffer by extraBytes (a multiple of kBufferPage) in front of its content: the
// content moves by page remapping, without copying, and the new bytes come first.
void* GrowBufferFront(void* data, std::size_t oldBytes, std::size_t extraBytes);

}  // namespace margem
