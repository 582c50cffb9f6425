// SPDX-License-Identifier: MIT
#include "numberedit.h"

#include <QEvent>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <cmath>

#include "framework.h"
#include "ptbr.h"

namespace margem {
namespace {

const QString kCurrencyPrefix = QStringLiteral("R$ ");

int clampDecimals(int decimals) { return std::clamp(decimals, 0, 6); }

// What the user typed, as a number: thousands dots and the currency sign ignored, the comma the
// decimal separator; an empty text or a lone sign is 0.
double typedNumber(QString text) {
  text.remove(QStringLiteral("R$"));
  text.remove(QLatin1Char(' '));
  text.remove(QLatin1Char('.'));
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  if (text.isEmpty() || text == QLatin1String("-")) return 0;
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text.toDouble();
}

}  // namespace

TNumberEdit::TNumberEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::textEdited, this, &TNumberEdit::onTextEdited);
  applyPalette();
  Reformat();
}

QString TNumberEdit::formatted(double value) const {
  QString text = FormatNumber(value == 0 ? 0.0 : value, clampDecimals(Decimals));
  if (!Thousands) text.remove(QLatin1Char('.'));
  return Currency ? kCurrencyPrefix + text : text;
}

void TNumberEdit::Reformat() {
  const int decimals = clampDecimals(Decimals);
  QString pattern = QStringLiteral("-?[0-9.]*");
  if (decimals > 0) pattern += QStringLiteral("(,[0-9]{0,%1})?").arg(decimals);
  if (Currency) pattern = QStringLiteral("(R\\$ ?)?") + pattern;
  setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
  m_value = std::isfinite(m_value) ? RoundDec(m_value, decimals) : 0.0;
  setText(formatted(m_value));
}

void TNumberEdit::SetNumber(double value) {
  const double rounded = std::isfinite(value) ? RoundDec(value, clampDecimals(Decimals)) : 0.0;
  const QString shown = formatted(rounded);
  const bool differs = rounded != m_value || shown != text();
  m_value = rounded;
  setText(shown);
  if (differs) emit changed();
}

void TNumberEdit::onTextEdited(const QString& typed) {
  const double value = RoundDec(typedNumber(typed), clampDecimals(Decimals));
  if (value == m_value) return;
  m_value = value;
  emit changed();
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
  setText(formatted(m_value));
  QLineEdit::focusOutEvent(event);
}

void TNumberEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::StyleChange) applyPalette();
}

void TNumberEdit::applyPalette() {
  QPalette colours = palette();
  colours.setColor(QPalette::Disabled, QPalette::Base, colours.color(QPalette::Active, QPalette::Button));
  colours.setColor(QPalette::Disabled, QPalette::Text, colours.color(QPalette::Active, QPalette::Text));
  setPalette(colours);
}

}  // namespace margem
