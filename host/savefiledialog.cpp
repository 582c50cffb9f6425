// SPDX-License-Identifier: MIT
#include "savefiledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "usersettings.h"

namespace margem {
namespace {

QString FolderKey(const QString& kind) { return QStringLiteral("Pastas/") + kind; }

// "Planilha CSV (*.csv)" -> "csv"; empty when the filter names no single extension.
QString ExtensionOf(const QString& filter) {
  const QRegularExpressionMatch match =
      QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)\\)")).match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

QString SaveFolder(const QString& kind) {
  const QString remembered = UserSettings()->value(FolderKey(kind)).toString();
  if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

QString AskSaveFileName(QWidget* parent, const QString& kind, const QString& title,
                        const QString& suggestedName, const QStringList& filters) {
  QString chosenFilter = filters.value(0);
  QString path =
      QFileDialog::getSaveFileName(parent, title, QDir(SaveFolder(kind)).filePath(suggestedName),
                                   filters.join(QStringLiteral(";;")), &chosenFilter);
  if (path.isEmpty()) return {};
  // The name keeps the chosen type's extension: added when typed without one, swapped when it
  // still carries another type's of the list (the suggested name's).
  const QString extension = ExtensionOf(chosenFilter);
  const QString suffix = QFileInfo(path).suffix();
  QStringList others;
  for (const QString& filter : filters) others << ExtensionOf(filter);
  others.removeAll(extension);
  if (!extension.isEmpty() && suffix.isEmpty())
    path += u'.' + extension;
  else if (!extension.isEmpty() && others.contains(suffix, Qt::CaseInsensitive))
    path = path.left(path.size() - suffix.size()) + extension;
  UserSettings()->setValue(FolderKey(kind), QFileInfo(path).absolutePath());
  return path;
}

}  // namespace margem
