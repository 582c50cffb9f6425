// SPDX-License-Identifier: MIT
#include "dbgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "guard.h"
#include "narrowfont.h"

namespace margem {

TDBGrid::TDBGrid(const QString& name, QWidget* parent)
    : QTableView(parent), m_model(new TDataSetModel(nullptr, {}, this)) {
  setObjectName(name);
  setModel(m_model);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setTabKeyNavigation(false);
  setShowGrid(true);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

  // The selection stays as visible without the focus as with it.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(colours);

  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
    if (!m_applyingWidths) m_resizedByUser = true;
  });
  connect(m_model, &TDataSetModel::currentRowChanged, this, &TDBGrid::followCursor);
  connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
    TClientDataSet* set = m_model->dataSet();
    if (set && set->Active()) followCursor(set->RecNo());
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            TClientDataSet* set = m_model->dataSet();
            if (!current.isValid() || !set || set->state() != TClientDataSet::dsBrowse) return;
            if (set->RecNo() == current.row()) return;
            Guarded(this, [set, &current] { set->MoveTo(current.row()); });
          });
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
  if (m_sourceConnection) disconnect(m_sourceConnection);
  m_dataSource = dataSource;
  if (dataSource)
    m_sourceConnection =
        connect(dataSource, &TDataSource::dataSetChanged, this, &TDBGrid::bindDataSet);
  bindDataSet();
}

void TDBGrid::bindDataSet() {
  m_model->setDataSet(m_dataSource ? m_dataSource->DataSet() : nullptr);
  applyWidths();
}

void TDBGrid::SetColumns(QList<TColumn> columns) {
  m_model->setColumns(std::move(columns));
  m_resizedByUser = false;
  applyWidths();
}

void TDBGrid::applyWidths() {
  const QList<TColumn>& columns = m_model->columns();
  int given = 0;
  for (const TColumn& column : columns) given += column.width;
  const int room = isVisible() ? viewport()->width() : 0;  // a hidden grid has no room yet
  const double growth = given > 0 && room > given ? double(room) / given : 1.0;
  m_applyingWidths = true;
  int placed = 0;
  for (int i = 0; i < columns.size(); ++i) {
    // The last column takes what rounding left, so the columns end at the grid's edge.
    const bool last = i + 1 == columns.size() && growth > 1.0;
    const int width = last ? room - placed : int(columns[i].width * growth);
    setColumnWidth(i, width);
    placed += width;
  }
  m_applyingWidths = false;
  fitTitles();
}

int TDBGrid::HeightForRows(int rows) const {
  return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() +
         2 * frameWidth();
}

void TDBGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (!m_resizedByUser) applyWidths();
}

QString TDBGrid::CopyText(bool allRows) const {
  QList<int> rows;
  if (!allRows) {
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
  }
  if (rows.isEmpty()) {
    for (int row = 0; row < m_model->rowCount(); ++row) rows << row;
  }
  // A tab or a line break inside a cell would split it: it travels as a blank.
  const auto cell = [](QString text) {
    for (QChar& c : text) {
      if (c == u'\t' || c == u'\n' || c == u'\r') c = u' ';
    }
    return text;
  };
  QStringList lines;
  QStringList titles;
  for (int column = 0; column < m_model->columnCount(); ++column)
    titles << cell(m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
  lines << titles.join(u'\t');
  for (int row : rows) {
    QStringList cells;
    for (int column = 0; column < m_model->columnCount(); ++column)
      cells << cell(m_model->index(row, column).data().toString());
    lines << cells.join(u'\t');
  }
  return lines.join(u'\n') + u'\n';
}

void TDBGrid::CopyToClipboard(bool allRows) const {
  QApplication::clipboard()->setText(CopyText(allRows));
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard(false);
    return;
  }
  QTableView::keyPressEvent(event);
}

void TDBGrid::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy =
      menu.addAction(QStringLiteral("Copiar"), this, [this] { CopyToClipboard(false); });
  copy->setShortcut(QKeySequence::Copy);
  menu.addAction(QStringLiteral("Copiar tudo"), this, [this] { CopyToClipboard(true); });
  menu.exec(event->globalPos());
}

// Column widths are given for narrower letters than the screen's; a title wider than its column
// narrows the titles' letters (down to four fifths) rather than lose its first characters.
void TDBGrid::fitTitles() {
  QHeaderView* header = horizontalHeader();
  const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
  QFont plain = header->font();
  plain.setStretch(QFont::Unstretched);  // wider columns may take back the ordinary letters
  header->setFont(NarrowedToFit(plain, 80, [this, header, margins](const QFont& titles) {
    const QFontMetrics metrics(titles);
    for (int i = 0; i < m_model->columnCount(); ++i) {
      const QString title = m_model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
      if (metrics.horizontalAdvance(title) + margins > header->sectionSize(i)) return false;
    }
    return true;
  }));
}

void TDBGrid::followCursor(qsizetype row) {
  if (row < 0 || row >= m_model->rowCount()) {
    clearSelection();
    return;
  }
  if (currentIndex().isValid() && currentIndex().row() == row) return;
  const QModelIndex target = m_model->index(int(row), 0);
  selectionModel()->setCurrentIndex(
      target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(target);
}

int IndiceCol(TDBGrid* grid, const QString& fieldName) {
  return grid ? grid->Model()->indexOfField(fieldName) : -1;
}

}  // namespace margem
