// SPDX-License-Identifier: MIT
// The host's main window: an MDI area for the modules' screens, the menu "Módulos" with the entry
// "Margem Final" (the package's IniProc), a title that names the active screen, and a status bar
// with the application server's address. Closing it closes every screen first (each runs its
// FormClose); a screen that refuses keeps the host open. It opens where it was last closed
// (windowplacement.h).
#pragma once

#include <QMainWindow>
#include <QMdiArea>

class PackageLibrary;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(PackageLibrary& package);

  // Opens "Margem Final" through the package, or explains why it cannot.
  void OpenMargemFinal();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void updateTitle();
  void showAbout();
  PackageLibrary& m_package;
  QMdiArea* m_area;
};
