// SPDX-License-Identifier: MIT
// TForm, the common base of the framework's forms. A form is a QWidget whose components are its
// named descendants (objectName = the component's name). The creating code builds the form, then
// calls FormCreate (CreateForm in formhost.h does both); closing the window that shows it runs
// FormClose, whose action decides what the close does:
//   caNone: the form stays open; caHide: its window is hidden and kept;
//   caMinimize: its window is minimised; caFree (the default): its window and the form are deleted.
// FormClose runs inside the handler guard: if it raises, the message is shown and the form closes
// with the action it had set so far.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

#include "componentregistry.h"
#include "hostexport.h"

namespace margem {

enum CloseAction { caNone, caHide, caFree, caMinimize };

class MARGEM_HOST_EXPORT TForm : public QWidget {
  Q_OBJECT
 public:
  explicit TForm(QWidget* parent = nullptr);

  QString Caption;  // the window title wherever the form is shown
  // Where a form shown as a dialog opens on the screen (its window's top left corner); without
  // one the dialog opens centred on the window it belongs to.
  std::optional<QPoint> Position;

  virtual void FormCreate();
  virtual void FormClose(CloseAction& action);

  // The component of that name, letter case ignored; nullptr when none.
  QObject* FindComponent(const QString& name) const;
  template <class T>
  T* Find(const QString& name) const {
    return qobject_cast<T*>(FindComponent(name));
  }

  // The control inside this form that holds (or last held) the input focus; nullptr when none.
  QWidget* ActiveControl() const;

  // Closes the window that shows the form (its MDI subwindow, its dialog or itself).
  void Close();
  // The widget that is the form's window: the MDI subwindow, the dialog, or the form itself.
  QWidget* Container() const;
  // True once a close was accepted, until the form is shown again; the action it closed with.
  bool IsClosed() const { return m_closed; }
  CloseAction ClosedWith() const { return m_closedWith; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  ComponentRegistry m_registry;
  bool m_closed = false;
  CloseAction m_closedWith = caFree;
};

}  // namespace margem
