// SPDX-License-Identifier: MIT
#include "forms/toolpanel.h"

#include <QIcon>

namespace margem {

QFrame* MakeToolPanel(const QString& name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  return panel;
}

TButtonFlat* MakeToolButton(const QString& name, const QString& text, const QString& hint,
                            const QString& themeIcon, QStyle::StandardPixmap fallback,
                            QWidget* parent) {
  auto* button = new TButtonFlat(name, parent);
  button->setText(text);
  button->SetHint(hint);
  button->setIcon(QIcon::fromTheme(themeIcon, parent->style()->standardIcon(fallback)));
  return button;
}

TButtonFlat* MakeSideButton(const QString& name, const QString& text, const QString& themeIcon,
                            QStyle::StandardPixmap fallback, QWidget* parent) {
  TButtonFlat* button = MakeToolButton(name, text, text, themeIcon, fallback, parent);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return button;
}

QLabel* MakeCodeLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

}  // namespace margem
