// SPDX-License-Identifier: MIT
#include "dbnavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "guard.h"

namespace margem {

TDBNavigator::TDBNavigator(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  const struct {
    const char* text;
    const char* hint;
    void (TClientDataSet::*move)();
  } buttons[] = {{"|◀", "Primeiro", &TClientDataSet::First},
                 {"◀", "Anterior", &TClientDataSet::Prior},
                 {"▶", "Próximo", &TClientDataSet::Next},
                 {"▶|", "Último", &TClientDataSet::Last}};
  for (const auto& spec : buttons) {
    auto* button = new QToolButton(this);
    button->setText(QString::fromUtf8(spec.text));
    button->setToolTip(QString::fromUtf8(spec.hint));
    button->setAutoRaise(true);
    layout->addWidget(button);
    const auto move = spec.move;
    connect(button, &QToolButton::clicked, this, [this, move] {
      Guarded(this, [this, move] {
        if (TClientDataSet* set = m_dataSource ? m_dataSource->DataSet() : nullptr) (set->*move)();
      });
    });
  }
  layout->addStretch();
  refresh();
}

void TDBNavigator::SetDataSource(TDataSource* dataSource) {
  for (const auto& connection : m_connections) disconnect(connection);
  m_connections.clear();
  m_dataSource = dataSource;
  if (dataSource) {
    m_connections << connect(dataSource, &TDataSource::dataSetChanged, this, [this] {
      SetDataSource(m_dataSource);
    });
    if (TClientDataSet* set = dataSource->DataSet()) {
      m_connections << connect(set, &TClientDataSet::stateChanged, this, &TDBNavigator::refresh)
                    << connect(set, &TClientDataSet::rowsReset, this, &TDBNavigator::refresh)
                    << connect(set, &TClientDataSet::rowInserted, this, &TDBNavigator::refresh);
    }
  }
  refresh();
}

void TDBNavigator::refresh() {
  const TClientDataSet* set = m_dataSource ? m_dataSource->DataSet() : nullptr;
  const bool usable = set && set->Active() && !set->IsEmpty();
  for (QToolButton* button : findChildren<QToolButton*>()) button->setEnabled(usable);
}

}  // namespace margem
