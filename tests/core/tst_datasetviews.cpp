// SPDX-License-Identifier: MIT
// What views see of a data set: state changes through a data source, and the table model
// following inserts, edits, resets, cursor moves and disabled controls.
#include <QSignalSpy>
#include <QtTest>

#include "clientdataset.h"
#include "datasetmodel.h"

using namespace margem;

Q_DECLARE_METATYPE(TClientDataSet::State)

namespace {

void DefineFields(TClientDataSet& cds) {
  TField* name = cds.AddField("NMSUBGRPROD", FieldType::String, 40);
  name->DisplayLabel = "Grupo";
  TField* value = cds.AddField("VRTOTALITEM", FieldType::Float);
  value->DisplayLabel = "Vr. Venda";
  value->DisplayFormat = "#,##0.00";
  cds.AddField("VRPELUCRO", FieldType::Float)->DisplayFormat = "#,##0.00 %";
}

void AddRow(TClientDataSet& cds, bool insert, const QString& name, double value) {
  insert ? cds.Insert() : cds.Append();
  cds.FieldByName("NMSUBGRPROD")->SetAsString(name);
  cds.FieldByName("VRTOTALITEM")->SetAsFloat(value);
  cds.Post();
}

QList<TColumn> Columns() {
  return {{"NMSUBGRPROD", {}, 170, Qt::AlignLeft | Qt::AlignVCenter, {}},
          {"vrtotalitem", {}, 80, Qt::AlignRight | Qt::AlignVCenter, {}},
          {"VRPELUCRO", "% Lucro", 80, Qt::AlignRight | Qt::AlignVCenter, {}}};
}

}  // namespace

class TestDataSetViews : public QObject {
  Q_OBJECT

 private slots:
  void dataSourceRelaysStateChanges() {
    TClientDataSet cds("cdsVdOrca");
    DefineFields(cds);
    TDataSource source("dtsVdOrca");
    QList<TClientDataSet::State> seen;
    source.OnStateChange = [&seen](TDataSource& s) { seen << s.DataSet()->state(); };
    source.SetDataSet(&cds);
    cds.CreateDataSet();
    cds.Insert();
    cds.Post();
    cds.Edit();
    cds.Cancel();
    cds.Edit();
    cds.Edit();
    cds.Post();
    cds.Close();
    cds.Close();
    using S = TClientDataSet;
    QCOMPARE(seen, (QList<S::State>{S::dsInactive, S::dsBrowse, S::dsInsert, S::dsBrowse, S::dsEdit,
                                    S::dsBrowse, S::dsEdit, S::dsBrowse, S::dsInactive}));
  }

  void dataSourceFollowsItsSet() {
    auto* first = new TClientDataSet("cdsA");
    TClientDataSet second("cdsB");
    DefineFields(*first);
    DefineFields(second);
    TDataSource source;
    int calls = 0;
    source.OnStateChange = [&calls](TDataSource&) { ++calls; };
    source.SetDataSet(first);
    source.SetDataSet(&second);
    QCOMPARE(calls, 2);
    first->CreateDataSet();
    QCOMPARE(calls, 2);
    second.CreateDataSet();
    QCOMPARE(calls, 3);
    source.SetDataSet(first);
    delete first;
    QVERIFY(!source.DataSet());
  }

  void disabledControlsDeferStateChanges() {
    TClientDataSet cds("cdsVdOrca");
    DefineFields(cds);
    TDataSource source;
    source.SetDataSet(&cds);
    int calls = 0;
    source.OnStateChange = [&calls](TDataSource&) { ++calls; };
    cds.DisableControls();
    cds.CreateDataSet();
    cds.Insert();
    cds.Post();
    QCOMPARE(calls, 0);
    cds.EnableControls();
    QCOMPARE(calls, 1);
    cds.DisableControls();
    cds.Edit();
    cds.Post();
    cds.EnableControls();
    QCOMPARE(calls, 1);
  }

  void modelShowsDisplayTexts() {
    TClientDataSet cds("cdsGrupo1");
    DefineFields(cds);
    cds.CreateDataSet();
    AddRow(cds, false, "SALGADOS", 1234.5);
    cds.Edit();
    cds.FieldByName("VRPELUCRO")->SetAsFloat(12.5);
    cds.Post();
    AddRow(cds, false, "DOCES", -0.004);
    TDataSetModel model(&cds, Columns());
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "SALGADOS");
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), "1.234,50");
    QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), "12,50 %");
    QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "0,00");
    QCOMPARE(model.data(model.index(1, 2), Qt::DisplayRole).toString(), "");
    QCOMPARE(model.data(model.index(0, 1), Qt::EditRole).toDouble(), 1234.5);
    QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Grupo");
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Vr. Venda");
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "% Lucro");
    QCOMPARE(model.indexOfField("VRTOTALITEM"), 1);
    model.setColumnField(1, "VRPELUCRO");
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), "12,50 %");
  }

  void modelFollowsInsertsEditsAndMoves() {
    TClientDataSet cds("cdsGrupo1");
    DefineFields(cds);
    cds.CreateDataSet();
    TDataSetModel model(&cds, Columns());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy moved(&model, &TDataSetModel::currentRowChanged);
    AddRow(cds, true, "A", 1);
    AddRow(cds, true, "B", 2);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(1).at(1).toInt(), 0);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "B");
    QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), "A");
    cds.Last();
    QCOMPARE(moved.last().at(0).toLongLong(), 1);
    cds.Edit();
    cds.FieldByName("NMSUBGRPROD")->SetAsString("Z");
    cds.Post();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 1);
    QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), "Z");
    cds.Close();
    QCOMPARE(model.rowCount(), 0);
  }

  void disableControlsNestsAsSeenFromTheModel() {
    TClientDataSet cds("cdsGrupo1");
    DefineFields(cds);
    cds.CreateDataSet();
    TDataSetModel model(&cds, Columns());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moved(&model, &TDataSetModel::currentRowChanged);
    cds.DisableControls();
    cds.DisableControls();
    QVERIFY(cds.ControlsDisabled());
    for (int i = 0; i < 3; ++i) AddRow(cds, true, QString::number(i), i);
    cds.First();
    cds.EnableControls();
    QVERIFY(cds.ControlsDisabled());
    QCOMPARE(reset.count(), 0);
    QCOMPARE(model.rowCount(), 0);
    cds.EnableControls();
    QVERIFY(!cds.ControlsDisabled());
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "2");
    cds.EnableControls();
    QCOMPARE(reset.count(), 1);
  }

  // A pass with the controls disabled changes the rows under the model: until the end of the pass
  // its cells read them as they are, and those no longer there read empty.
  void disabledModelReadsTheRowsAsTheyAre() {
    TClientDataSet cds("cdsGrupo1");
    DefineFields(cds);
    cds.CreateDataSet();
    for (int i = 0; i < 3; ++i) AddRow(cds, false, QString::number(i), i);
    TDataSetModel model(&cds, Columns());
    cds.DisableControls();
    cds.First();
    cds.Edit();
    cds.FieldByName("VRTOTALITEM")->SetAsFloat(1234.5);
    cds.Post();
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), "1.234,50");
    cds.EmptyDataSet();
    AddRow(cds, false, "novo", 7);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "novo");
    QVERIFY(model.data(model.index(2, 0), Qt::DisplayRole).toString().isEmpty());
    QVERIFY(!model.data(model.index(2, 1), Qt::EditRole).isValid());
    cds.EnableControls();
    QCOMPARE(model.rowCount(), 1);
  }

  void modelSurvivesALoadThatChangesTheStructure() {
    TClientDataSet cds("cdsOrcamento");
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"NMSUBGRPROD","type":"string","size":40}],"rows":[["A"],["B"]]})"));
    TDataSetModel model(&cds, Columns());
    QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), "B");
    cds.DisableControls();
    cds.LoadPacket(ReadDataPacket(R"({"fields":[{"name":"X","type":"float"}],"rows":[[1]]})"));
    QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole), QVariant());
    cds.EnableControls();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "NMSUBGRPROD");
  }
};

QTEST_GUILESS_MAIN(TestDataSetViews)
#include "tst_datasetviews.moc"
