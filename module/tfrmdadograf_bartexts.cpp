// SPDX-License-Identifier: MIT
#include "tfrmdadograf_bartexts.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QGraphicsWidget>
#include <QPointer>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <optional>

#include "ptbr.h"

namespace {

constexpr int kRole = 0;  // item data key telling the chart's bar texts apart
const QString kHolderRole = QStringLiteral("barTexts");
const QString kNameRole = QStringLiteral("barName");
const QString kMarkRole = QStringLiteral("barMark");
constexpr int kMaxLinesAcross = 3;
constexpr int kSmallestPixels = 7;
constexpr qreal kGap = 4;

// How the names stand under the bars: across (wrapped to the bar's width) or turned upright
// (wrapped to `length`), with the letters of `font`.
struct NameLayout {
  bool turned = false;
  qreal length = 0;  // the width a name is wrapped to
  QFont font;
  qreal room = 0;  // height below the plot the names need
};

// The size a text takes wrapped to width (its widest line may pass it when a word does).
QSizeF Wrapped(const QFont& font, const QString& text, qreal width) {
  return QFontMetricsF(font)
      .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignHCenter, text)
      .size();
}

std::optional<NameLayout> Across(const QFont& font, const QStringList& names, qreal slot) {
  const qreal width = slot - kGap;
  const qreal line = QFontMetricsF(font).lineSpacing();
  qreal room = 0;
  for (const QString& name : names) {
    const QSizeF size = Wrapped(font, name, width);
    if (size.width() > width || size.height() > kMaxLinesAcross * line + 1) return std::nullopt;
    room = std::max(room, size.height());
  }
  return NameLayout{false, width, font, room};
}

std::optional<NameLayout> Turned(const QFont& font, const QStringList& names, qreal slot,
                                 qreal longest) {
  const qreal line = QFontMetricsF(font).lineSpacing();
  const int lines = std::max(1, int((slot - 2) / line));
  qreal room = 0;
  for (const QString& name : names) {
    const QSizeF size = Wrapped(font, name, longest);
    if (size.width() > longest || size.height() > lines * line + 1) return std::nullopt;
    room = std::max(room, size.width());
  }
  // Wrapped to the widest of them the names break where they did, and take no more room.
  room = std::ceil(room) + 1;
  return NameLayout{true, room, font, room};
}

NameLayout ChooseLayout(QFont font, const QStringList& names, qreal slot, qreal chartHeight) {
  for (int pixels = QFontInfo(font).pixelSize(); pixels >= kSmallestPixels; --pixels) {
    font.setPixelSize(pixels);
    if (auto across = Across(font, names, slot)) return *across;
    if (auto turned = Turned(font, names, slot, chartHeight * 0.35)) return *turned;
  }
  // One line each, as long as the longest name needs.
  qreal longest = 0;
  for (const QString& name : names)
    longest = std::max(longest, std::ceil(QFontMetricsF(font).horizontalAdvance(name)) + 2);
  return NameLayout{true, longest, font, longest};
}

class BarTexts final : public QObject {
 public:
  BarTexts(QChart& chart, QBarSeries& series, const QStringList& names)
      : QObject(&series),
        m_chart(chart),
        m_series(series),
        m_names(names),
        m_holder(new QGraphicsWidget(&chart)) {
    // The texts hang from one holder at the chart's origin, so they are in the chart's
    // coordinates and go with whichever of the chart and the series goes first.
    m_holder->setData(kRole, kHolderRole);
    m_holder->setZValue(100);  // above the grid lines and the bars
    const QBarSet* set = series.barSets().first();
    m_nameFont = chart.font();
    m_markFont = set->labelFont();
    for (int i = 0; i < names.size(); ++i) {
      const QString value = margem::FormatNumber(set->at(i), 2);
      auto* name = new QGraphicsTextItem(m_holder);
      name->setData(kRole, kNameRole);
      name->document()->setDocumentMargin(0);
      name->setPlainText(names[i]);
      name->setToolTip(names[i] + QStringLiteral(": ") + value);
      auto* mark = new QGraphicsSimpleTextItem(value, m_holder);
      mark->setData(kRole, kMarkRole);
      mark->setToolTip(name->toolTip());
      m_nameItems << name;
      m_markItems << mark;
    }
    connect(&chart, &QChart::plotAreaChanged, this, &BarTexts::layOut);
    layOut();
  }
  ~BarTexts() override { delete m_holder.data(); }

 private:
  void layOut() {
    const QRectF plot = m_chart.plotArea();
    if (m_names.isEmpty() || plot.width() <= 0) return;
    const qreal slot = plot.width() / m_names.size();
    const NameLayout names = ChooseLayout(m_nameFont, m_names, slot, m_chart.size().height());
    const QBarSet* set = m_series.barSets().first();
    for (int i = 0; i < m_names.size(); ++i) {
      const qreal centre = plot.left() + slot * (i + 0.5);
      placeName(*m_nameItems[i], names, centre, plot.bottom());
      placeMark(*m_markItems[i], set->at(i), centre, slot, names.font);
    }
    // The room below the plot holds the names; changing it lays the texts out once more.
    QMargins margins = m_chart.margins();
    const int bottom = int(names.room + 2 * kGap);
    if (margins.bottom() != bottom) {
      margins.setBottom(bottom);
      m_chart.setMargins(margins);
    }
  }

  void placeName(QGraphicsTextItem& item, const NameLayout& layout, qreal centre, qreal top) {
    item.setFont(layout.font);
    item.setTextWidth(layout.length);
    QTextOption option = item.document()->defaultTextOption();
    // Turned names end at the axis, names across are centred under their bar.
    option.setAlignment(layout.turned ? Qt::AlignRight : Qt::AlignHCenter);
    item.document()->setDefaultTextOption(option);
    const QSizeF size = item.boundingRect().size();
    item.setRotation(layout.turned ? -90 : 0);
    if (layout.turned)
      item.setPos(centre - size.height() / 2, top + kGap + layout.length);
    else
      item.setPos(centre - layout.length / 2, top + kGap);
  }

  // A mark takes the names' letters when those had to shrink below its own.
  void placeMark(QGraphicsSimpleTextItem& item, double value, qreal centre, qreal slot,
                 const QFont& nameFont) {
    const bool smaller = QFontInfo(nameFont).pixelSize() < QFontInfo(m_markFont).pixelSize();
    item.setFont(smaller ? nameFont : m_markFont);
    const QSizeF size = item.boundingRect().size();
    const QPointF end = m_chart.mapToPosition(QPointF(0, value), &m_series);
    const bool turned = size.width() + kGap > slot;
    const bool below = value < 0;
    item.setRotation(turned ? -90 : 0);
    if (turned)
      item.setPos(centre - size.height() / 2,
                  below ? end.y() + kGap + size.width() : end.y() - kGap);
    else
      item.setPos(centre - size.width() / 2,
                  below ? end.y() + kGap : end.y() - kGap - size.height());
  }

  QChart& m_chart;
  QBarSeries& m_series;
  QStringList m_names;
  QFont m_nameFont;
  QFont m_markFont;
  QPointer<QGraphicsWidget> m_holder;
  QList<QGraphicsTextItem*> m_nameItems;
  QList<QGraphicsSimpleTextItem*> m_markItems;
};

QList<ShownBarText> Shown(const QChart& chart, const QString& role) {
  QList<std::pair<qreal, ShownBarText>> found;
  QList<QGraphicsItem*> items;
  for (QGraphicsItem* holder : chart.childItems())
    if (holder->data(kRole).toString() == kHolderRole) items << holder->childItems();
  for (QGraphicsItem* item : items) {
    if (item->data(kRole).toString() != role) continue;
    QString text;
    if (auto* name = qgraphicsitem_cast<QGraphicsTextItem*>(item)) text = name->toPlainText();
    if (auto* mark = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item)) text = mark->text();
    const QRectF area = item->mapRectToParent(item->boundingRect());
    found.append({area.center().x(), ShownBarText{text, area}});
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  QList<ShownBarText> texts;
  for (const auto& entry : found) texts << entry.second;
  return texts;
}

}  // namespace

void AddBarTexts(QChart& chart, QBarSeries& series, const QStringList& names) {
  new BarTexts(chart, series, names);
}

QList<ShownBarText> BarNames(const QChart& chart) { return Shown(chart, kNameRole); }
QList<ShownBarText> BarMarks(const QChart& chart) { return Shown(chart, kMarkRole); }
