// SPDX-License-Identifier: MIT
#include "dateeditplus.h"

#include <algorithm>

#include "mensErro.h"
#include "ptbr.h"

namespace margem {

TDateEditPlus::TDateEditPlus(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  setInputMask(QStringLiteral("99/99/9999;_"));
  setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
  connect(this, &QLineEdit::textChanged, this, &TDateEditPlus::updateLook);
}

bool TDateEditPlus::IsEmpty() const {
  const QString typed = text();
  return std::none_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isDigit(); });
}

QDate TDateEditPlus::GetDate() const {
  if (IsEmpty()) return {};
  return ParseDate(text()).value_or(QDate());
}

void TDateEditPlus::SetDate(const QDate& date) {
  if (!date.isValid()) {
    Clear();
    return;
  }
  setText(FormatDate(date));
}

void TDateEditPlus::Clear() { setText(QString()); }

void TDateEditPlus::CheckValidDate() {
  if (IsEmpty() || GetDate().isValid()) return;
  setFocus();
  MensErro(
      QStringLiteral("Data inválida: \"%1\". Informe a data no formato dd/mm/aaaa.").arg(text()));
}

void TDateEditPlus::SetValidDateColor(const QColor& color) {
  if (!m_plainTextColor.isValid()) m_plainTextColor = palette().color(QPalette::Text);
  m_validDateColor = color;
  updateLook();
}

void TDateEditPlus::updateLook() {
  const QDate date = GetDate();
  if (NomeSemana.size() == 7 && date.isValid())
    setToolTip(NomeSemana[date.dayOfWeek() % 7]);
  else
    setToolTip(QString());
  if (m_validDateColor.isValid()) {
    QPalette look = palette();
    look.setColor(QPalette::Text, date.isValid() ? m_validDateColor : m_plainTextColor);
    setPalette(look);
  }
}

}  // namespace margem
