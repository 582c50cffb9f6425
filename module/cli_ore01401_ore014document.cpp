// SPDX-License-Identifier: MIT
// Pagination of report ORE014: option blocks are never split; as many as fit go on a page.
#include "cli_ore01401_ore014.h"
#include "cli_ore01401_ore014layout.h"

namespace Cli_ore01401 {

using namespace ore014;

TOre014Document::TOre014Document(Ore014Data data) : m_data(std::move(data)) {
  m_pages.emplace_back();
  double y = ContentTop(0);
  for (int i = 0; i < m_data.options.size(); ++i) {
    const double height = OptionBlockHeight(m_data.options[i]);
    if (!m_pages.back().empty() && y + height > kContentBottom) {
      m_pages.emplace_back();
      y = ContentTop(static_cast<int>(m_pages.size()) - 1);
    }
    m_pages.back().push_back(i);
    y += height + kSectionGap;
  }
}

int TOre014Document::PageCount() const { return static_cast<int>(m_pages.size()); }

void TOre014Document::PaintPage(QPainter& painter, int index) const {
  if (index < 0 || index >= PageCount()) return;
  PaintPageHeader(painter, m_data);
  const double below = kTop + kHeaderHeight + kSectionGap;
  if (index == 0) {
    PaintQuoteBox(painter, m_data.header, below);
    PaintLegend(painter, below + kQuoteBoxHeight);
  } else {
    PaintContinuation(painter, m_data.header, below);
  }

  double y = ContentTop(index);
  for (int option : m_pages[static_cast<size_t>(index)]) {
    PaintOptionBlock(painter, m_data.options[option], y);
    y += OptionBlockHeight(m_data.options[option]) + kSectionGap;
  }
  if (m_data.options.isEmpty()) PaintNoOptions(painter, y);
  PaintFooter(painter, m_data, index, PageCount());
}

}  // namespace Cli_ore01401
