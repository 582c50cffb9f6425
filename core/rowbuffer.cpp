// SPDX-License-Identifier: MIT
#include "rowbuffer.h"

#include "bufferalloc.h"

#include <cstdlib>
#include <cstring>
#include <numeric>
#include <utility>

namespace margem {

RowBuffer::RowBuffer(std::size_t recordSize) : m_recordSize(recordSize ? recordSize : 1) {}

RowBuffer::~RowBuffer() { clear(); }

RowBuffer::RowBuffer(RowBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_recordSize(other.m_recordSize),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_gapBegin(std::exchange(other.m_gapBegin, 0)),
      m_gapEnd(std::exchange(other.m_gapEnd, 0)) {}

RowBuffer& RowBuffer::operator=(RowBuffer&& other) noexcept {
  if (this != &other) {
    clear();
    m_data = std::exchange(other.m_data, nullptr);
    m_recordSize = other.m_recordSize;
    m_capacity = std::exchange(other.m_capacity, 0);
    m_gapBegin = std::exchange(other.m_gapBegin, 0);
    m_gapEnd = std::exchange(other.m_gapEnd, 0);
  }
  return *this;
}

RowBuffer RowBuffer::clone() const {
  RowBuffer copy(m_recordSize);
  const qsizetype rows = size();
  copy.resize(rows);
  if (rows > 0) {
    std::memcpy(copy.m_data, m_data, std::size_t(m_gapBegin) * m_recordSize);
    std::memcpy(copy.m_data + std::size_t(m_gapBegin) * m_recordSize,
                m_data + std::size_t(m_gapEnd) * m_recordSize,
                std::size_t(m_capacity - m_gapEnd) * m_recordSize);
  }
  copy.m_gapBegin = copy.m_gapEnd = rows;
  return copy;
}

std::byte* RowBuffer::insert(qsizetype row) {
  if (m_gapBegin == m_gapEnd) {
    const qsizetype grown = m_capacity < 16 ? 16 : m_capacity + m_capacity / 2;
    if (row < m_capacity / 2 && IsMappedBuffer(capacityBytes())) {
      growFront(grown - m_capacity);
    } else {
      m_gapBegin = m_gapEnd = m_capacity;
      resize(grown);
    }
  }
  moveGapTo(row);
  std::byte* record = m_data + std::size_t(m_gapBegin) * m_recordSize;
  ++m_gapBegin;
  return record;
}

void RowBuffer::clear() {
  ResizeBuffer(m_data, std::size_t(m_capacity) * m_recordSize, 0);
  m_data = nullptr;
  m_capacity = m_gapBegin = m_gapEnd = 0;
}

void RowBuffer::reserve(qsizetype rows) {
  if (rows <= m_capacity) return;
  moveGapTo(size());
  resize(rows);
}

void RowBuffer::shrinkToFit() {
  if (m_gapBegin == m_gapEnd) return;
  moveGapTo(size());
  resize(size());
}

// The new room goes in front of the records, so that a gap near the front is reached by moving
// the few records before it rather than all those after it. The room is a whole number of pages
// and of records, so the records move by remapping pages.
void RowBuffer::growFront(qsizetype extra) {
  const std::size_t unit = kBufferPage / std::gcd(m_recordSize, kBufferPage);
  const qsizetype rounded = qsizetype((std::size_t(extra) + unit - 1) / unit * unit);
  m_data = static_cast<std::byte*>(
      GrowBufferFront(m_data, capacityBytes(), std::size_t(rounded) * m_recordSize));
  m_capacity += rounded;
  m_gapBegin = 0;
  m_gapEnd = rounded;
}

void RowBuffer::moveGapTo(qsizetype row) {
  if (row == m_gapBegin) return;
  const qsizetype gap = m_gapEnd - m_gapBegin;
  if (gap == 0) {
    m_gapBegin = m_gapEnd = row;
    return;
  }
  if (row < m_gapBegin) {
    // The records [row, gapBegin) move behind the gap.
    std::memmove(m_data + std::size_t(row + gap) * m_recordSize,
                 m_data + std::size_t(row) * m_recordSize,
                 std::size_t(m_gapBegin - row) * m_recordSize);
  } else {
    // The records right after the gap move in front of it.
    std::memmove(m_data + std::size_t(m_gapBegin) * m_recordSize,
                 m_data + std::size_t(m_gapEnd) * m_recordSize,
                 std::size_t(row - m_gapBegin) * m_recordSize);
  }
  m_gapBegin = row;
  m_gapEnd = row + gap;
}

// Only called with the gap at the end, so realloc keeps every record in place.
void RowBuffer::resize(qsizetype capacity) {
  const qsizetype rows = size();
  if (capacity == 0) {
    clear();
    return;
  }
  m_data = static_cast<std::byte*>(ResizeBuffer(m_data, std::size_t(m_capacity) * m_recordSize,
                                                std::size_t(capacity) * m_recordSize));
  m_capacity = capacity;
  m_gapBegin = rows;
  m_gapEnd = capacity;
}

}  // namespace margem
