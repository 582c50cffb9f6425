// SPDX-License-Identifier: MIT
// The text of one row storage: every text value lives in one UTF-16 buffer and a row refers to
// it by offset and length. Replaced values leave dead text behind until the owner compacts.
#pragma once

#include <QStringView>
#include <cstddef>
#include <cstdint>

namespace margem {

struct TextRef {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;  // UTF-16 units
};

class TextArena {
 public:
  TextArena() = default;
  ~TextArena();
  TextArena(TextArena&& other) noexcept;
  TextArena& operator=(TextArena&& other) noexcept;
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;

  TextArena clone() const;

  QStringView view(TextRef ref) const {
    return QStringView(m_data + ref.offset, qsizetype(ref.length));
  }
  TextRef append(QStringView text);

  // Room for at least `units` more units at the end: write them at the returned pointer, then
  // commit how many were written. Throws PacketError past the arena's reach (4 Gi units).
  char16_t* reserveTail(std::size_t units);
  TextRef commit(std::size_t units);

  void markDead(std::uint32_t units) { m_dead += units; }
  std::size_t size() const { return m_size; }
  std::size_t dead() const { return m_dead; }
  void reserve(std::size_t units);
  void shrinkToFit();
  void clear();

 private:
  void resize(std::size_t capacity);

  char16_t* m_data = nullptr;
  std::size_t m_size = 0;
  std::size_t m_capacity = 0;
  std::size_t m_dead = 0;
};

}  // namespace margem
