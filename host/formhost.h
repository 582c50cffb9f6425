// SPDX-License-Identifier: MIT
// How forms are shown by the host application.
//   CreateForm<T>(args): builds the form (owned by the application: no parent), runs FormCreate;
//     if FormCreate raises, the form is deleted and the exception goes on to the caller.
//   ShowMdiChild: the form becomes a subwindow of the host's MDI area (title = Caption), or a
//     top-level window when the host has none (tests); showing it again brings it forward.
//     Closing the subwindow closes the form (FormClose).
//   ShowModal: runs the form in a modal dialog (title = Caption) and returns when it closes;
//     returns the dialog's result. A form closed with caFree is deleted on return. The dialog
//     opens at the form's Position when it has one (kept on the screen); a form of fixed size
//     gives a dialog that cannot be resized.
//   SetWindowStateNormal: a minimised or maximised form window is restored.
//   MainForm: the host's main window (nullptr without a host).
//   KeptInside: a window's frame moved as little as it takes to stand inside a room (a screen,
//     an MDI area); one larger than the room stands at its top left corner.
#pragma once

#include <QMdiArea>
#include <QRect>
#include <QWidget>
#include <exception>
#include <utility>

#include "forms/form.h"
#include "hostexport.h"

namespace margem {

MARGEM_HOST_EXPORT void SetMdiArea(QMdiArea* area);
MARGEM_HOST_EXPORT QMdiArea* MdiArea();
MARGEM_HOST_EXPORT QWidget* MainForm();

MARGEM_HOST_EXPORT void ShowMdiChild(TForm* form);
MARGEM_HOST_EXPORT int ShowModal(TForm* form);
MARGEM_HOST_EXPORT void SetWindowStateNormal(TForm* form);
MARGEM_HOST_EXPORT QRect KeptInside(QRect frame, const QRect& room);

template <class T, class... Args>
T* CreateForm(Args&&... args) {
  T* form = new T(std::forward<Args>(args)...);
  try {
    form->FormCreate();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

}  // namespace margem
