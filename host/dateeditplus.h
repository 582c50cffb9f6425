// SPDX-License-Identifier: MIT
// A date edit with an empty state: the text is "dd/mm/aaaa" typed over a mask, or nothing.
// GetDate returns the date, an invalid QDate when the edit is empty or holds no real calendar day.
// CheckValidDate rejects a text that is neither empty nor a real date: the edit takes the focus
// and MensErro shows "Data inválida: \"31/02/2005\". Informe a data no formato dd/mm/aaaa.".
// NomeSemana, when set (seven names, Sunday first), shows the weekday of the date as tooltip.
// SetValidDateColor: the text of a valid date reads in that colour; any other text in the
// palette's own.
#pragma once

#include <QColor>
#include <QDate>
#include <QLineEdit>
#include <QStringList>

#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TDateEditPlus : public QLineEdit {
  Q_OBJECT
 public:
  explicit TDateEditPlus(const QString& name = {}, QWidget* parent = nullptr);

  QStringList NomeSemana;

  QDate GetDate() const;
  void SetDate(const QDate& date);  // an invalid date clears the edit
  void Clear();
  bool IsEmpty() const;  // no digit typed
  void CheckValidDate();
  void SetValidDateColor(const QColor& color);

 private:
  void updateLook();

  QColor m_validDateColor;
  QColor m_plainTextColor;
};

}  // namespace margem
