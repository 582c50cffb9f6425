// SPDX-License-Identifier: MIT
#include "formhost.h"

#include <QApplication>
#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace margem {
namespace {

QPointer<QMdiArea>& area() {
  static QPointer<QMdiArea> instance;
  return instance;
}

// The dialog of a modal form: any way of closing it (Escape, the window's close button, the
// form's own close button, done()) goes through the form's close first, which may refuse it.
class FormDialog final : public QDialog {
 public:
  FormDialog(TForm* form, QWidget* parent) : QDialog(parent), m_form(form) {
    setObjectName(QStringLiteral("dlg") + form->objectName());
    setWindowTitle(form->Caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const bool sized = form->testAttribute(Qt::WA_Resized);
    const QSize size = form->size();
    layout->addWidget(form);
    if (form->minimumSize() == form->maximumSize())
      layout->setSizeConstraint(QLayout::SetFixedSize);
    else
      setWindowFlag(Qt::WindowMaximizeButtonHint);
    form->show();
    if (sized) resize(size);
    if (form->Position) moveOnScreen(*form->Position);
  }

  void done(int result) override {
    if (m_form && !m_form->IsClosed() && !m_form->close()) return;
    QDialog::done(result);
  }

 private:
  // The window's top left corner at `position` of the screen, moved back as far as needed for
  // the whole window to show.
  void moveOnScreen(QPoint position) {
    QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
    if (!shown) return;
    const QRect area = shown->availableGeometry();
    const QSize outer = frameGeometry().size().expandedTo(sizeHint());
    move(KeptInside(QRect(position + area.topLeft(), outer), area).topLeft());
  }

  QPointer<TForm> m_form;
};

}  // namespace

void SetMdiArea(QMdiArea* mdiArea) { area() = mdiArea; }

QMdiArea* MdiArea() { return area(); }

QWidget* MainForm() { return area() ? area()->window() : nullptr; }

void ShowMdiChild(TForm* form) {
  if (!form) return;
  form->setWindowTitle(form->Caption);
  if (!area()) {
    form->show();
    form->raise();
    form->activateWindow();
    return;
  }
  auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
  if (!sub) {
    const bool sized = form->testAttribute(Qt::WA_Resized);
    const QSize size = form->size();
    sub = area()->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (sized) sub->resize(size + (sub->size() - sub->contentsRect().size()));
  }
  sub->setWindowTitle(form->Caption);
  sub->show();
  form->show();
  area()->setActiveSubWindow(sub);
}

int ShowModal(TForm* form) {
  if (!form) return QDialog::Rejected;
  QWidget* owner = QApplication::activeWindow();
  if (!owner) owner = MainForm();
  QPointer<TForm> alive(form);
  int result = QDialog::Rejected;
  {
    FormDialog dialog(form, owner);
    result = dialog.exec();
    // A form that closed without being freed outlives its dialog, hidden.
    if (alive && alive->IsClosed() && alive->ClosedWith() != caFree) {
      alive->hide();
      alive->setParent(nullptr);
    }
  }
  return result;
}

QRect KeptInside(QRect frame, const QRect& room) {
  frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())));
  frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
  return frame;
}

void SetWindowStateNormal(TForm* form) {
  if (!form) return;
  QWidget* container = form->Container();
  if (container->isMinimized() || container->isMaximized() || container->isFullScreen())
    container->showNormal();
}

}  // namespace margem
