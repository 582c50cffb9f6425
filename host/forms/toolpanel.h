// SPDX-License-Identifier: MIT
// Pieces shared by the base forms: the tool panel frame, its standard buttons, the screen-code
// label.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QStyle>

#include "buttonflat.h"
#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT QFrame* MakeToolPanel(const QString& name, QWidget* parent);
// A flat button with text, hint and an icon from the theme (or the style's standard one).
MARGEM_HOST_EXPORT TButtonFlat* MakeToolButton(const QString& name, const QString& text,
                                               const QString& hint, const QString& themeIcon,
                                               QStyle::StandardPixmap fallback, QWidget* parent);
// A tool button for a side panel: its text under its icon, as wide as the panel.
MARGEM_HOST_EXPORT TButtonFlat* MakeSideButton(const QString& name, const QString& text,
                                               const QString& themeIcon,
                                               QStyle::StandardPixmap fallback, QWidget* parent);
MARGEM_HOST_EXPORT QLabel* MakeCodeLabel(const QString& name, QWidget* parent);

}  // namespace margem
