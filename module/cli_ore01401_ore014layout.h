// SPDX-License-Identifier: MIT
// Geometry of report ORE014 in report units (tenths of a point) and the painters of its pieces:
// page header, quote box with the legend under it, option block and footer. Each painter draws at a
// given top and returns nothing; the heights below are what pagination counts on.
#pragma once

#include <QPainter>

#include "cli_ore01401_ore014.h"

namespace Cli_ore01401::ore014 {

inline constexpr double kLeft = margem::ReportMm(15);
inline constexpr double kWidth = margem::kReportPageWidth - 2 * kLeft;
inline constexpr double kTop = margem::ReportMm(12);

inline constexpr double kHeaderHeight = 700;        // company line, title, rule
inline constexpr double kQuoteBoxHeight = 760;      // first page only
inline constexpr double kLegendHeight = 300;        // first page only, under the quote box
inline constexpr double kContinuationHeight = 260;  // later pages: the quote line
inline constexpr double kSectionGap = 160;

inline constexpr double kBandHeight = 220;
inline constexpr double kTableHeaderHeight = 220;
inline constexpr double kRowHeight = 170;

inline constexpr double kFooterTop = margem::kReportPageHeight - margem::ReportMm(14);
inline constexpr double kContentBottom = kFooterTop - 60;

double OptionBlockHeight(const Ore014Option& option);

// Page 1 starts its content below the quote box and legend, later pages below the continuation
// line.
double ContentTop(int page);

void PaintPageHeader(QPainter& painter, const Ore014Data& data);
void PaintQuoteBox(QPainter& painter, const Ore014Header& header, double top);
void PaintContinuation(QPainter& painter, const Ore014Header& header, double top);
void PaintOptionBlock(QPainter& painter, const Ore014Option& option, double top);
void PaintLegend(QPainter& painter, double top);
void PaintNoOptions(QPainter& painter, double top);
void PaintFooter(QPainter& painter, const Ore014Data& data, int page, int pageCount);

}  // namespace Cli_ore01401::ore014
