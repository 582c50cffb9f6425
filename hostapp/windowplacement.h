// SPDX-License-Identifier: MIT
// Where the host's main window opens. The first time, fitted inside the screen's available area
// (never larger than it, centred on it); afterwards with the size, position and maximised state
// it had when last closed (UserSettings, group "Janela"), brought back onto the screen if that
// place is no longer there. Subwindows of an MDI area are kept inside it as the area shrinks.
#pragma once

#include <QRect>

class QMainWindow;
class QMdiArea;

// The first-run frame of a window on a screen whose available area is `available`.
QRect FittedWindow(const QRect& available);

// Restores the window's last place, or fits it on its screen; call before showing it.
void PlaceMainWindow(QMainWindow& window);
// Remembers the window's place for the next run.
void RememberMainWindow(const QMainWindow& window);

// From now on, a subwindow of `area` that would stand out of it when the area shrinks (or when it
// opens) is moved and shrunk back inside it, so that the area never needs scrollbars of its own.
void KeepSubWindowsInside(QMdiArea& area);
