// SPDX-License-Identifier: MIT
#include "dbtext.h"

namespace margem {

TDBText::TDBText(TDataSource* dataSource, QString fieldName, QWidget* parent)
    : QLabel(parent), m_dataSource(dataSource), m_fieldName(std::move(fieldName)) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setMinimumHeight(fontMetrics().height() + 6);
  if (dataSource) connect(dataSource, &TDataSource::dataSetChanged, this, &TDBText::bindDataSet);
  bindDataSet();
}

void TDBText::bindDataSet() {
  for (const auto& connection : m_connections) disconnect(connection);
  m_connections.clear();
  TClientDataSet* set = m_dataSource ? m_dataSource->DataSet() : nullptr;
  if (set) {
    m_connections << connect(set, &TClientDataSet::stateChanged, this, &TDBText::Refresh)
                  << connect(set, &TClientDataSet::rowsReset, this, &TDBText::Refresh)
                  << connect(set, &TClientDataSet::rowInserted, this, &TDBText::Refresh)
                  << connect(set, &TClientDataSet::rowChanged, this, &TDBText::Refresh)
                  << connect(set, &TClientDataSet::cursorMoved, this, &TDBText::Refresh);
  }
  Refresh();
}

void TDBText::Refresh() {
  TClientDataSet* set = m_dataSource ? m_dataSource->DataSet() : nullptr;
  QString shown;
  if (set && set->Active() && !set->IsEmpty()) {
    if (const TField* field = set->FindField(m_fieldName)) {
      try {
        shown = field->DisplayText();
      } catch (const std::exception&) {
        shown.clear();
      }
    }
  }
  setText(shown);
}

}  // namespace margem
