// SPDX-License-Identifier: MIT
// Driving a screen as a user does, on the offscreen platform: focus moves that raise the same
// focus events a Tab or a mouse click would, typed text, clicks.
#pragma once

#include <QString>

class QAbstractButton;
class QWidget;

namespace testsupport {

// Shows the window of widget and makes it the active window, so focus moves are real ones.
// False when the platform did not activate it.
bool ShowActive(QWidget* widget);
// Moves the keyboard focus to widget as a Tab would.
void MoveFocus(QWidget* widget);
// Focus into the widget, its text selected and replaced by text typed key by key.
void TypeText(QWidget* widget, const QString& text);
// A left mouse click in the middle of the button.
void Click(QAbstractButton* button);

}  // namespace testsupport
