// SPDX-License-Identifier: MIT
// "Margem Final": the shown quote's figures as a spreadsheet table, "Exportar" that writes them to
// a CSV or XLSX file the user names, and the ladder's copy menu.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

#include "dbgrid.h"
#include "mensErro.h"
#include "pagesheets.h"
#include "ptbr.h"
#include "savefiledialog.h"
#include "statusmessage.h"
#include "tfrmmargemfinal.h"
#include "tfrmmargemfinal_sheet.h"

namespace {

// A guest count shows as a whole number when it is one.
QVariant Count(double value) {
  return value == qRound64(value) ? QVariant(qRound64(value)) : QVariant(value);
}

// The grid's titles, then its rows as it shows them: numbers stay numbers.
void AppendGrid(margem::SheetTable& table, const margem::TDBGrid& grid) {
  const margem::TDataSetModel& model = *grid.Model();
  margem::SheetRow titles;
  for (int c = 0; c < model.columnCount(); ++c)
    titles << model.headerData(c, Qt::Horizontal, Qt::DisplayRole);
  table << titles;
  for (int r = 0; r < model.rowCount(); ++r) {
    margem::SheetRow row;
    for (int c = 0; c < model.columnCount(); ++c) {
      const QVariant value = model.index(r, c).data(Qt::EditRole);
      row << (value.typeId() == QMetaType::Double ? value : model.index(r, c).data());
    }
    table << row;
  }
}

}  // namespace

margem::SheetTable LadderTable(const TfrmMargemFinal::OptionSheet& sheet) {
  margem::SheetTable table;
  margem::SheetRow heading{QString()};
  for (const char* caption : kScenarioCaptions) heading << QString::fromUtf8(caption);
  table << heading;
  for (int row = 0; row < 5; ++row) {
    margem::SheetRow values{QString::fromUtf8(kLadderCaptions[row])};
    for (int k = 1; k <= 5; ++k) values << sheet.ladder[row][k - 1]->GetNumber();
    table << values;
  }
  return table;
}

void ShowLadderMenu(const TfrmMargemFinal::OptionSheet& sheet, const QPoint& position) {
  QMenu menu(sheet.panOpcao);
  auto* cell = qobject_cast<margem::TNumberEdit*>(sheet.panOpcao->childAt(position));
  if (cell) {
    menu.addAction(QStringLiteral("Copiar valor"),
                   [cell] { QApplication::clipboard()->setText(cell->text()); });
  }
  menu.addAction(QStringLiteral("Copiar quadro"), [&sheet] {
    QStringList lines;
    for (const margem::SheetRow& row : LadderTable(sheet)) {
      QStringList cells;
      for (const QVariant& value : row)
        cells << (value.typeId() == QMetaType::Double ? margem::FormatNumber(value.toDouble())
                                                      : value.toString());
      lines << cells.join(u'\t');
    }
    QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
  });
  menu.exec(sheet.panOpcao->mapToGlobal(position));
}

margem::SheetTable TfrmMargemFinal::QuoteTable() const {
  using margem::SheetRow;
  margem::SheetTable table;
  const auto field = [this](const char* name) {
    return cdsVdOrca->FieldByName(QLatin1String(name));
  };
  table << SheetRow{QStringLiteral("Margem Final"),
                    QStringLiteral("Orçamento ") + field("NRORCAEVENTO")->AsString()}
        << SheetRow{};
  const struct {
    const char* caption;
    const char* field;
  } texts[] = {{"Nr. Orçamento", "NRORCAEVENTO"}, {"Filial", "CDFILIAL"},
               {"Cliente", "NOMECLIENTE"},        {"Serviço", "NMTPSERVEVEN"},
               {"Local", "NMSALAOEVEN"},          {"Evento", "NMTIPOEVENTO"}};
  for (const auto& text : texts)
    table << SheetRow{QString::fromUtf8(text.caption), field(text.field)->AsString()};
  table << SheetRow{QStringLiteral("Data/Hora do Evento"), field("DTEVENTO")->Value()}
        << SheetRow{QStringLiteral("Convidados"), Count(field("QTCONVORCEVE")->AsFloat())}
        << SheetRow{QStringLiteral("Comissão (%)"), field("VRPEACRSALEV")->AsFloat()}
        << SheetRow{QStringLiteral("Despesa Fixa (%)"), field("VRPEDESFIXASERV")->AsFloat()};

  for (int n = 1; n <= 10; ++n) {
    const OptionSheet& sheet = *Sheet(n);
    const bool shown = n == 1 || margem::TabVisible(pgcPadrao, sheet.tsh);
    if (!shown || (sheet.cdsGrupo->IsEmpty() && sheet.cdsOpcao->IsEmpty())) continue;
    table << SheetRow{} << SheetRow{pgcPadrao->tabText(pgcPadrao->indexOf(sheet.tsh))}
          << LadderTable(sheet);
    const QAbstractButton* selected = sheet.scenarioGroup->checkedButton();
    table << SheetRow{}
          << SheetRow{QStringLiteral("Subgrupos em"), selected ? selected->text() : QString()};
    AppendGrid(table, *sheet.dbgGrupo);
    table << SheetRow{};
    AppendGrid(table, *sheet.dbgOpcao);
  }
  return table;
}

void TfrmMargemFinal::ExportQuote(const QString& path) const {
  const margem::SheetTable table = QuoteTable();
  const QString problem = path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)
                              ? margem::WriteXlsx(table, QStringLiteral("Margem Final"), path)
                              : margem::WriteCsv(table, path);
  if (!problem.isEmpty())
    margem::MensErro(QStringLiteral("Não foi possível gravar o arquivo %1 (%2). Verifique a pasta "
                                    "escolhida e tente novamente.")
                         .arg(path, problem));
  margem::ShowFileSaved(path);
}

void TfrmMargemFinal::sbtExportarClick(QObject*) {
  const QString path =
      margem::AskSaveFileName(this, QStringLiteral("planilha"), QStringLiteral("Exportar"),
                              QStringLiteral("margem-%1.csv").arg(edtNrOrcamento->text()),
                              {QStringLiteral("Planilha CSV (*.csv)"),
                               QStringLiteral("Pasta de trabalho do Excel (*.xlsx)")});
  if (!path.isEmpty()) ExportQuote(path);
}
