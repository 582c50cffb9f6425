// SPDX-License-Identifier: MIT
#include "textarena.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "bufferalloc.h"
#include "datapacket.h"

namespace margem {

namespace {
constexpr std::size_t kMaxUnits = std::numeric_limits<std::uint32_t>::max();
}

TextArena::~TextArena() { clear(); }

TextArena::TextArena(TextArena&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_dead(std::exchange(other.m_dead, 0)) {}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
  if (this != &other) {
    clear();
    m_data = std::exchange(other.m_data, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_capacity = std::exchange(other.m_capacity, 0);
    m_dead = std::exchange(other.m_dead, 0);
  }
  return *this;
}

TextArena TextArena::clone() const {
  TextArena copy;
  copy.resize(m_size);
  if (m_size) std::memcpy(copy.m_data, m_data, m_size * sizeof(char16_t));
  copy.m_size = m_size;
  copy.m_dead = m_dead;
  return copy;
}

TextRef TextArena::append(QStringView text) {
  char16_t* tail = reserveTail(std::size_t(text.size()));
  if (!text.isEmpty()) std::memcpy(tail, text.utf16(), std::size_t(text.size()) * sizeof(char16_t));
  return commit(std::size_t(text.size()));
}

char16_t* TextArena::reserveTail(std::size_t units) {
  if (m_capacity - m_size < units) {
    if (units > kMaxUnits - m_size) {
      throw PacketError("Texto grande demais para um conjunto de dados (mais de 4 bilhões de "
                        "caracteres).");
    }
    std::size_t grown = m_capacity < 256 ? 256 : m_capacity + m_capacity / 2;
    if (grown < m_size + units) grown = m_size + units;
    if (grown > kMaxUnits) grown = kMaxUnits;
    resize(grown);
  }
  return m_data + m_size;
}

TextRef TextArena::commit(std::size_t units) {
  TextRef ref{std::uint32_t(m_size), std::uint32_t(units)};
  m_size += units;
  return ref;
}

void TextArena::reserve(std::size_t units) {
  if (units > m_capacity) resize(units > kMaxUnits ? kMaxUnits : units);
}

void TextArena::shrinkToFit() {
  if (m_size < m_capacity) resize(m_size);
}

void TextArena::clear() {
  ResizeBuffer(m_data, m_capacity * sizeof(char16_t), 0);
  m_data = nullptr;
  m_size = m_capacity = m_dead = 0;
}

void TextArena::resize(std::size_t capacity) {
  if (capacity == 0) {
    clear();
    return;
  }
  m_data = static_cast<char16_t*>(
      ResizeBuffer(m_data, m_capacity * sizeof(char16_t), capacity * sizeof(char16_t)));
  m_capacity = capacity;
}

}  // namespace margem
