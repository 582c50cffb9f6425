// SPDX-License-Identifier: MIT
#include "datasetmodel.h"

namespace margem {

TDataSetModel::TDataSetModel(TClientDataSet* dataSet, QList<TColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet), m_columns(std::move(columns)) {
  attach();
}

void TDataSetModel::setDataSet(TClientDataSet* dataSet) {
  beginResetModel();
  m_dataSet = dataSet;
  attach();
  endResetModel();
}

void TDataSetModel::setColumns(QList<TColumn> columns) {
  beginResetModel();
  m_columns = std::move(columns);
  resolveFields();
  endResetModel();
}

void TDataSetModel::setColumnField(int column, const QString& fieldName) {
  if (column < 0 || column >= m_columns.size()) return;
  m_columns[column].fieldName = fieldName;
  resolveFields();
  if (m_rowCount > 0) emit dataChanged(index(0, column), index(int(m_rowCount) - 1, column));
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void TDataSetModel::setColumnTitle(int column, const QString& title) {
  if (column < 0 || column >= m_columns.size()) return;
  m_columns[column].title = title;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

int TDataSetModel::indexOfField(const QString& fieldName) const {
  for (int i = 0; i < m_columns.size(); ++i) {
    if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

int TDataSetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(m_rowCount);
}

int TDataSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_rowCount || index.column() >= m_columns.size()) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) return int(m_columns[index.column()].alignment);
  TField* field = m_fields.value(index.column());
  if (!m_dataSet || !field || field->Index() < 0) return {};
  if (role == Qt::DisplayRole) return field->DisplayTextAt(index.row());
  if (role == Qt::EditRole) return m_dataSet->ValueAt(index.row(), field->Index());
  return {};
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const TColumn& column = m_columns[section];
  if (role == Qt::DisplayRole) {
    if (!column.title.isEmpty()) return column.title;
    TField* field = m_fields.value(section);
    return field ? field->Label() : column.fieldName;
  }
  if (role == Qt::TextAlignmentRole) return int(column.alignment);
  if (role == Qt::ToolTipRole && !column.hint.isEmpty()) return column.hint;
  return QAbstractTableModel::headerData(section, orientation, role);
}

void TDataSetModel::attach() {
  for (const auto& connection : std::as_const(m_connections)) disconnect(connection);
  m_connections.clear();
  resolveFields();
  m_rowCount = m_dataSet ? m_dataSet->RecordCount() : 0;
  if (!m_dataSet) return;
  TClientDataSet* set = m_dataSet;
  m_connections << connect(set, &TClientDataSet::rowsReset, this, [this]() {
    beginResetModel();
    resolveFields();
    m_rowCount = m_dataSet ? m_dataSet->RecordCount() : 0;
    endResetModel();
  });
  m_connections << connect(set, &TClientDataSet::rowInserted, this, [this](qsizetype row) {
    beginInsertRows({}, int(row), int(row));
    ++m_rowCount;
    endInsertRows();
  });
  m_connections << connect(set, &TClientDataSet::rowChanged, this, [this](qsizetype row) {
    if (!m_columns.isEmpty()) {
      emit dataChanged(index(int(row), 0), index(int(row), int(m_columns.size()) - 1));
    }
  });
  m_connections << connect(set, &TClientDataSet::cursorMoved, this,
                           [this](qsizetype row) { emit currentRowChanged(row); });
  m_connections << connect(set, &QObject::destroyed, this, [this]() {
    beginResetModel();
    m_fields.clear();
    m_rowCount = 0;
    endResetModel();
  });
}

void TDataSetModel::resolveFields() {
  m_fields.clear();
  for (const TColumn& column : std::as_const(m_columns)) {
    m_fields << (m_dataSet ? m_dataSet->FindField(column.fieldName) : nullptr);
  }
}

}  // namespace margem
