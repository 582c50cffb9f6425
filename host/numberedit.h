// SPDX-License-Identifier: MIT
// A number edit. It shows its value in pt_BR ("1.234,56"; "R$ 1.234,56" with Currency; no
// thousands separators without Thousands) with Decimals decimals, and holds exactly the number it
// shows: SetNumber rounds half away from zero to Decimals, GetNumber returns that value.
// Typing accepts digits, ',', '.' and a leading '-', at most Decimals decimals; the value follows
// the typed text at once (empty text or a lone '-' is 0) and the text is reformatted when the
// focus leaves. changed() fires whenever the held value changes, typed or set; a SetNumber that
// does not change the shown value does not fire it. A disabled edit is drawn on the button-face
// colour.
#pragma once

#include <QLineEdit>

#include "hostexport.h"

namespace margem {

class MARGEM_HOST_EXPORT TNumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TNumberEdit(const QString& name = {}, QWidget* parent = nullptr);

  bool Currency = false;
  bool Thousands = true;
  int Decimals = 2;  // 0..6; call Reformat after changing the three settings

  double GetNumber() const { return m_value; }
  void SetNumber(double value);
  void Reformat();  // shows the held value in the current settings

 signals:
  void changed();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void onTextEdited(const QString& text);
  void applyPalette();
  QString formatted(double value) const;
  double m_value = 0;
};

}  // namespace margem
