// SPDX-License-Identifier: MIT
#include "clientdataset.h"

namespace margem {

TDataSource::TDataSource(QString name, QObject* parent) : QObject(parent) {
  setObjectName(name);
}

void TDataSource::SetDataSet(TClientDataSet* dataSet) {
  if (dataSet == m_dataSet) return;
  disconnect(m_connection);
  disconnect(m_destroyedConnection);
  m_dataSet = dataSet;
  if (m_dataSet) {
    m_connection = connect(m_dataSet, &TClientDataSet::stateChanged, this, [this]() {
      if (OnStateChange) OnStateChange(*this);
    });
    m_destroyedConnection = connect(m_dataSet, &QObject::destroyed, this, [this]() {
      m_dataSet = nullptr;
      emit dataSetChanged();
    });
  }
  emit dataSetChanged();
  if (m_dataSet && OnStateChange) OnStateChange(*this);
}

}  // namespace margem
