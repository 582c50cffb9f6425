// SPDX-License-Identifier: MIT
// Rows of fixed-size records in a gap buffer. The gap stays where the last insertion happened, so
// inserting again and again at one place (or appending) costs O(1) amortised; only moving the
// insertion point costs the records between the old and the new place.
// Records are raw bytes; their layout is the owner's business.
#pragma once

#include <QtGlobal>
#include <cstddef>

namespace margem {

class RowBuffer {
 public:
  explicit RowBuffer(std::size_t recordSize = 1);
  ~RowBuffer();
  RowBuffer(RowBuffer&& other) noexcept;
  RowBuffer& operator=(RowBuffer&& other) noexcept;
  RowBuffer(const RowBuffer&) = delete;
  RowBuffer& operator=(const RowBuffer&) = delete;

  RowBuffer clone() const;  // an independent copy of every record

  std::size_t recordSize() const { return m_recordSize; }
  qsizetype size() const { return m_capacity - (m_gapEnd - m_gapBegin); }

  std::byte* at(qsizetype row) { return m_data + physical(row) * m_recordSize; }
  const std::byte* at(qsizetype row) const { return m_data + physical(row) * m_recordSize; }

  // A new record (content undefined) at position row, 0 <= row <= size(). Throws std::bad_alloc.
  std::byte* insert(qsizetype row);

  void clear();
  void reserve(qsizetype rows);
  void shrinkToFit();
  std::size_t capacityBytes() const { return std::size_t(m_capacity) * m_recordSize; }

 private:
  qsizetype physical(qsizetype row) const {
    return row < m_gapBegin ? row : row + (m_gapEnd - m_gapBegin);
  }
  void moveGapTo(qsizetype row);
  void growFront(qsizetype extra);
  void resize(qsizetype capacity);

  std::byte* m_data = nullptr;
  std::size_t m_recordSize;
  qsizetype m_capacity = 0;
  qsizetype m_gapBegin = 0;
  qsizetype m_gapEnd = 0;
};

}  // namespace margem
