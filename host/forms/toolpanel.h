// SPDX-License-Identifier: MIT
// Pieces shared by the base forms: the tool panel frame, its standard buttons, the screen-code
// label.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QStyle>

#include "buttonflat.h"

namespace margem {

QFrame* MakeToolPanel(const QString& name, QWidget* parent);
// A flat button with text, hint and an icon from the theme (or the style's standard one).
TButtonFlat* MakeToolButton(const QString& name, const QString& text, const QString& hint,
                            const QString& themeIcon, QStyle::StandardPixmap fallback, QWidget* parent);
QLabel* MakeCodeLabel(const QString& name, QWidget* parent);

}  // namespace margem
