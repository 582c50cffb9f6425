// SPDX-License-Identifier: MIT
#include "previewzoom.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QWidgetAction>
#include <algorithm>
#include <cmath>

namespace margem {
namespace {

const QLocale kBrazil(QLocale::Portuguese, QLocale::Brazil);

QString PercentText(double percent) {
  return kBrazil.toString(percent, 'f', percent == std::round(percent) ? 0 : 1) + u'%';
}

}  // namespace

void UseBrazilianZoom(QPrintPreviewDialog& dialog) {
  auto* preview = dialog.findChild<QPrintPreviewWidget*>();
  auto* toolbar = dialog.findChild<QToolBar*>();
  auto* qtZoom = dialog.findChild<QComboBox*>();
  if (!preview || !toolbar || !qtZoom) return;
  QAction* qtZoomAction = nullptr;
  for (QAction* action : toolbar->actions())
    if (toolbar->widgetForAction(action) == qtZoom) qtZoomAction = action;
  if (!qtZoomAction) return;

  auto* zoom = new QComboBox(toolbar);
  zoom->setObjectName(QStringLiteral("cbxZoom"));
  zoom->setEditable(true);
  zoom->setInsertPolicy(QComboBox::NoInsert);
  zoom->setMinimumContentsLength(7);
  for (double percent : {12.5, 25.0, 50.0, 75.0, 100.0, 125.0, 150.0, 200.0, 400.0, 800.0})
    zoom->addItem(PercentText(percent), percent);
  toolbar->insertWidget(qtZoomAction, zoom);
  qtZoomAction->setVisible(false);

  const auto show = [zoom, preview] {
    zoom->lineEdit()->setText(PercentText(std::round(preview->zoomFactor() * 1000) / 10));
  };
  const auto apply = [zoom, preview, show](const QString& typed) {
    QString text = typed;
    text.remove(u'%');
    bool ok = false;
    const double percent = kBrazil.toDouble(text.trimmed(), &ok);
    if (ok) {
      preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
      preview->setZoomFactor(std::clamp(percent, 1.0, 1000.0) / 100);
    }
    show();
  };
  QObject::connect(preview, &QPrintPreviewWidget::previewChanged, zoom, show);
  QObject::connect(zoom, &QComboBox::textActivated, zoom, apply);
  QObject::connect(zoom->lineEdit(), &QLineEdit::editingFinished, zoom,
                   [zoom, apply] { apply(zoom->lineEdit()->text()); });
  show();
}

}  // namespace margem
