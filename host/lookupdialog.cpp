// SPDX-License-Identifier: MIT
#include "lookupdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "datasetmodel.h"

namespace margem {
namespace {

// The visible fields of the set, each as wide as its display width (or its size) in characters.
QList<TColumn> visibleColumns(const TClientDataSet* set, int charWidth) {
  QList<TColumn> columns;
  for (int i = 0; i < set->FieldCount(); ++i) {
    const TField* field = set->Field(i);
    if (!field->Visible) continue;
    const int chars = field->DisplayWidth > 0 ? field->DisplayWidth
                      : field->Size() > 0     ? field->Size()
                                              : 12;
    TColumn column;
    column.fieldName = field->FieldName();
    column.width = std::clamp(chars, 6, 40) * charWidth + 12;
    if (field->DataType() != FieldType::String)
      column.alignment = Qt::AlignRight | Qt::AlignVCenter;
    columns << column;
  }
  return columns;
}

}  // namespace

TLookupDialog::TLookupDialog(TClientDataSet* dataSet, const QString& title, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("dlgPesquisa"));
  setWindowTitle(title);
  setModal(true);

  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  m_model = new TDataSetModel(dataSet, visibleColumns(dataSet, charWidth), this);
  m_proxy = new QSortFilterProxyModel(this);
  m_proxy->setSourceModel(m_model);
  m_proxy->setFilterKeyColumn(-1);
  m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);

  auto* label = new QLabel(QStringLiteral("&Localizar:"), this);
  m_filter = new QLineEdit(this);
  m_filter->setObjectName(QStringLiteral("edtFiltro"));
  m_filter->setPlaceholderText(QStringLiteral("Digite parte de qualquer coluna"));
  m_filter->setClearButtonEnabled(true);
  label->setBuddy(m_filter);

  m_table = new QTableView(this);
  m_table->setObjectName(QStringLiteral("grdPesquisa"));
  m_table->setModel(m_proxy);
  m_table->verticalHeader()->hide();
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->horizontalHeader()->setStretchLastSection(true);
  int tableWidth = 0;
  for (int i = 0; i < m_model->columnCount(); ++i) {
    m_table->setColumnWidth(i, m_model->columns()[i].width);
    tableWidth += m_model->columns()[i].width;
  }

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* pick = buttons->addButton(QStringLiteral("&Selecionar"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
  pick->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(pick, &QPushButton::clicked, this, &TLookupDialog::pickCurrent);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(label);
  filterRow->addWidget(m_filter, 1);
  layout->addLayout(filterRow);
  layout->addWidget(m_table, 1);
  layout->addWidget(buttons);
  resize(std::clamp(tableWidth + 40, 320, 900), 420);

  connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_proxy->setFilterFixedString(text);
    if (m_proxy->rowCount() > 0) m_table->selectRow(0);
  });
  connect(m_table, &QTableView::doubleClicked, this, &TLookupDialog::pickCurrent);
  m_filter->installEventFilter(this);
  m_table->installEventFilter(this);

  const qsizetype current = dataSet->RecNo();
  m_table->selectRow(current >= 0 && current < m_proxy->rowCount() ? int(current) : 0);
  m_filter->setFocus();
}

int TLookupDialog::VisibleRowCount() const { return m_proxy->rowCount(); }

void TLookupDialog::PickVisibleRow(int row) {
  if (row < 0 || row >= m_proxy->rowCount()) return;
  m_table->selectRow(row);
  pickCurrent();
}

void TLookupDialog::pickCurrent() {
  QModelIndex current = m_table->currentIndex();
  if (!current.isValid()) {
    if (m_proxy->rowCount() == 0) return;
    current = m_proxy->index(0, 0);
  }
  m_picked = m_proxy->mapToSource(current).row();
  accept();
}

bool TLookupDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    pickCurrent();
    return true;
  }
  if (watched == m_filter && (key == Qt::Key_Down || key == Qt::Key_Up)) {
    const int row = m_table->currentIndex().row() + (key == Qt::Key_Down ? 1 : -1);
    if (row >= 0 && row < m_proxy->rowCount()) m_table->selectRow(row);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace margem
