// SPDX-License-Identifier: MIT
// The comparison chart over a period of one million margin rows: from the chart button of
// "Gráficos" to the chart shown (offscreen), against the same mean computed by one SQL query on
// the server's database. Prints the median of each, their ratio and the client's peak RSS:
//   chart_ms: X ms / sql_ms: Y ms / compare_chart_vs_sql: R ratio / peak_rss: N MB
// Usage: bench_charts --db FILE [--quote N] [--first dd/mm/aaaa] [--last dd/mm/aaaa] [--runs N]
// The server must be running on MARGEM_SERVER_HOST/PORT over the same database (bench/charts/run).
#include <sqlite3.h>
#include <sys/resource.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "cli_ore01400.h"
#include "cli_ore01402.h"
#include "dateeditplus.h"
#include "formhost.h"
#include "guard.h"
#include "messagerecorder.h"
#include "pkg_ore01400.h"
#include "ptbr.h"
#include "tfrmcompperlucmed.h"
#include "tfrmdadograf.h"
#include "tfrmdadograf_barchart.h"
#include "tfrmmargemfinal.h"

namespace {

// The period mean as the chart computes it, over the server's margin rows: each row's profit
// percentage (materials, other costs and the subgroup's fixed expense at the service's share),
// 0 for a row without sale value, averaged over every row.
const char* kPeriodMeanSql = R"sql(
SELECT AVG(CASE WHEN t > 0 THEN (t - mp * t / 100 - ou * t / 100 - serv * (ex * t / 100) / 100) * 100 / t
                ELSE 0 END), COUNT(*)
FROM (SELECT SUM(i.value) AS t,
             CASE WHEN SUM(i.value) <> 0 THEN SUM(i.value * i.materials_pct) / SUM(i.value)
                  ELSE AVG(i.materials_pct) END AS mp,
             CASE WHEN SUM(i.value) <> 0 THEN SUM(i.value * i.other_pct) / SUM(i.value)
                  ELSE AVG(i.other_pct) END AS ou,
             s.expense_pct AS ex, COALESCE(st.fixed_expense_pct, 0) AS serv
      FROM quote q
      JOIN branch b ON b.id = q.branch_id
      JOIN quote_item i ON i.quote_id = q.id
      LEFT JOIN quote_option o ON o.id = i.option_id
      JOIN product p ON p.id = i.product_id
      JOIN product_subgroup s ON s.id = p.subgroup_id
      JOIN product_group g ON g.id = s.group_id
      LEFT JOIN service_type st ON st.id = q.service_type_id
      WHERE b.code = ?1 AND q.included_at >= ?2 AND q.included_at < ?3
      GROUP BY b.id, q.id, o.id, s.id, g.id, st.id)
)sql";

struct SqlMean {
  double mean = 0;
  long long rows = 0;
  double ms = 0;
};

std::optional<SqlMean> PeriodMeanBySql(const QString& path, const QString& branch,
                                       const QDate& first, const QDate& last) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), sqlite3_errmsg(db));
    sqlite3_close(db);
    return std::nullopt;
  }
  QElapsedTimer clock;
  clock.start();
  sqlite3_stmt* statement = nullptr;
  std::optional<SqlMean> result;
  if (sqlite3_prepare_v2(db, kPeriodMeanSql, -1, &statement, nullptr) == SQLITE_OK) {
    const QByteArray code = branch.toUtf8();
    const QByteArray from = first.toString(Qt::ISODate).toUtf8() + "T00:00:00";
    const QByteArray to = last.addDays(1).toString(Qt::ISODate).toUtf8() + "T00:00:00";
    sqlite3_bind_text(statement, 1, code.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, from.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 3, to.constData(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(statement) == SQLITE_ROW) {
      result = SqlMean{sqlite3_column_double(statement, 0), sqlite3_column_int64(statement, 1),
                       static_cast<double>(clock.nsecsElapsed()) / 1e6};
    }
  } else {
    std::fprintf(stderr, "query: %s\n", sqlite3_errmsg(db));
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Closes each comparison chart as soon as it is shown, noting the time and the "Média" bar.
class ChartCatcher : public QObject {
 public:
  QElapsedTimer clock;
  double shownMs = -1;
  double meanBar = std::nan("");

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && shownMs < 0) {
      if (auto* chart = qobject_cast<TfrmCompPerLucMed*>(watched)) {
        shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const QStringList labels = BarLabels(*chart->Chart());
        const QList<double> values = BarValues(*chart->Chart());
        const qsizetype at = labels.indexOf(QStringLiteral("Média"));
        if (at >= 0) meanBar = values[at];
        QTimer::singleShot(0, chart, [chart] { chart->Close(); });
      }
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser options;
  options.addOption({"db", "SQLite database of the server.", "file"});
  options.addOption({"quote", "Quote loaded in the workspace.", "number", "9000000001"});
  options.addOption({"first", "First day of the period.", "date", "01/01/2025"});
  options.addOption({"last", "Last day of the period.", "date", "31/12/2025"});
  options.addOption({"runs", "Repetitions of each side.", "n", "3"});
  options.process(app);
  const QDate first = margem::ParseDate(options.value("first")).value_or(QDate());
  const QDate last = margem::ParseDate(options.value("last")).value_or(QDate());
  const int runs = std::max(1, options.value("runs").toInt());

  QStringList messages;
  margem::SetMessageRecorder([&messages](const QString& text) { messages << text; });
  Initialize();
  IniProc();
  TfrmMargemFinal* workspace = Cli_ore01400::frmMargemFinal;
  if (!workspace) {
    std::fprintf(stderr, "the workspace did not open: %s\n", qPrintable(messages.join(" | ")));
    return 1;
  }
  workspace->edtNrOrcamento->setText(options.value("quote"));
  margem::Guarded(workspace, [&] { workspace->panFiltroExit(workspace->panFiltro); });
  if (workspace->CdFilial().isEmpty() || !messages.isEmpty()) {
    std::fprintf(stderr, "quote %s not loaded: %s\n", qPrintable(options.value("quote")),
                 qPrintable(messages.join(" | ")));
    return 1;
  }

  auto* form = margem::CreateForm<TfrmDadoGraf>();
  Cli_ore01402::frmDadoGraf = form;
  Cli_ore01402::boIdCriado = true;
  form->show();
  form->rbtPercGrupxMedPer->setChecked(true);
  form->rbtPercGrupxMedPerClick(form->rbtPercGrupxMedPer);
  form->depDeDtInc->SetDate(first);
  form->depAteDtInc->SetDate(last);

  ChartCatcher catcher;
  app.installEventFilter(&catcher);
  std::vector<double> chartMs;
  for (int run = 0; run < runs; ++run) {
    catcher.shownMs = -1;
    catcher.clock.start();
    margem::Guarded(form, [form] { form->sbtGraficoClick(form->sbtGrafico); });
    if (catcher.shownMs < 0) {
      std::fprintf(stderr, "no chart was shown: %s\n", qPrintable(messages.join(" | ")));
      return 1;
    }
    chartMs.push_back(catcher.shownMs);
  }

  std::vector<double> sqlMs;
  SqlMean sql;
  for (int run = 0; run < runs; ++run) {
    const std::optional<SqlMean> measured =
        PeriodMeanBySql(options.value("db"), workspace->CdFilial(), first, last);
    if (!measured) return 1;
    sql = *measured;
    sqlMs.push_back(sql.ms);
  }

  const double chart = Median(chartMs);
  const double query = Median(sqlMs);
  std::printf("period_rows: %lld rows\n", sql.rows);
  std::printf("mean_chart: %.2f %%\n", catcher.meanBar);
  std::printf("mean_sql: %.2f %%\n", sql.mean);
  std::printf("chart_ms: %.0f ms\n", chart);
  std::printf("sql_ms: %.0f ms\n", query);
  std::printf("compare_chart_vs_sql: %.2f ratio\n", chart / query);
  std::printf("peak_rss: %.0f MB\n", PeakRssMb());
  return 0;
}
