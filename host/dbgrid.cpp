// SPDX-License-Identifier: MIT
#include "dbgrid.h"

#include <QHeaderView>

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
  setSelectionMode(QAbstractItemView::SingleSelection);
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
  applyWidths();
}

void TDBGrid::applyWidths() {
  const QList<TColumn>& columns = m_model->columns();
  for (int i = 0; i < columns.size(); ++i) setColumnWidth(i, columns[i].width);
  fitTitles();
}

// Column widths are given for narrower letters than the screen's; a title wider than its column
// narrows the titles' letters (down to four fifths) rather than lose its first characters.
void TDBGrid::fitTitles() {
  QHeaderView* header = horizontalHeader();
  const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
  header->setFont(NarrowedToFit(header->font(), 80, [this, header, margins](const QFont& titles) {
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
