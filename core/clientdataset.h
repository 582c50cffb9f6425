// SPDX-License-Identifier: MIT
// The in-memory client data set: a fixed list of typed fields and an ordered list of rows with a
// cursor. It is the only container of the module's forms.
//
// Row order is the order of placement: Append puts the new row after the last row, Insert puts it
// immediately before the current row (into an empty set it becomes the only row); once posted the
// new row is current. Editing a row never moves it. Inserting at the cursor is O(1) amortised.
//
// Errors (a field that does not exist, a write outside edit or insert state, a navigation on a
// closed set, a packet that does not fit) raise DataSetError or PacketError with a Portuguese
// message that names the field or the row.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "datapacket.h"
#include "fieldtype.h"

namespace margem {

class DataSetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TClientDataSet;
struct CellRef;

// One field of a data set. It reads and writes the value of the data set's current row.
class TField {
 public:
  const QString& FieldName() const { return m_name; }
  FieldType DataType() const { return m_type; }
  int Size() const { return m_size; }  // characters, text fields only
  int Index() const { return m_index; }
  TClientDataSet* DataSet() const { return m_dataSet; }

  // Presentation, used by grids, charts and lookups.
  QString DisplayLabel;   // the column title; the field name when empty
  QString DisplayFormat;  // "#,##0.00" or "#,##0.00 %" for floats; empty: plain
  int DisplayWidth = 0;   // characters; 0: from the size
  bool Visible = true;
  bool Calculated = false;  // written only by the data set's OnCalcFields

  QString Label() const { return DisplayLabel.isEmpty() ? m_name : DisplayLabel; }

  bool IsNull() const;
  // Reads see the current row: the pending one during an insert or edit, nothing (Null) on a
  // closed or empty set. A field dropped by a later packet structure raises DataSetError.
  QString AsString() const;      // Null reads ""; floats "1234,5"; dates "dd/mm/aaaa[ hh:mm:ss]"
  double AsFloat() const;        // Null reads 0; text converted, DataSetError if not a number
  QDateTime AsDateTime() const;  // Null reads an invalid QDateTime; wall-clock time, in UTC
  double AsDateValue() const;    // days since 30/12/1899 (fraction = time); Null reads 0
  QVariant Value() const;        // an invalid QVariant for Null
  QString DisplayText() const;   // pt_BR text with the display format ("1.234,56", "12,50 %")
  QString DisplayTextAt(qsizetype row) const;  // the same for any stored row, no cursor move

  // Writes need edit or insert state. Text longer than the field is cut to its size; text for a
  // float or date field is read as pt_BR ("1.234,56", "dd/mm/aaaa hh:mm"), blank text is Null.
  // A date outside 01/01/0001 to 31/12/9999, as a date or as a number of days, raises
  // DataSetError, as does a number that is not finite.
  void SetAsString(const QString& value);
  void SetAsFloat(double value);
  void SetAsDateTime(const QDateTime& value);
  void SetValue(const QVariant& value);  // invalid or null QVariant makes the field Null
  void Clear();                          // makes the field Null

 private:
  friend class TClientDataSet;
  TField(TClientDataSet* dataSet, int index, QString name, FieldType type, int size);
  void checkAttached() const;
  CellRef current() const;

  TClientDataSet* m_dataSet;
  int m_index;
  QString m_name;
  FieldType m_type;
  int m_size;
};

class TClientDataSet : public QObject {
  Q_OBJECT
 public:
  enum State { dsInactive, dsBrowse, dsEdit, dsInsert };

  explicit TClientDataSet(QString name = {}, QObject* parent = nullptr);
  ~TClientDataSet() override;

  QString Name() const { return objectName(); }

  // Field list. Fields may be added only while the set is inactive. A text field without a size
  // gets 20 characters.
  TField* AddField(const QString& name, FieldType type, int size = 0);
  int FieldCount() const;
  TField* Field(int index) const;
  TField* FindField(const QString& name) const;    // letter case ignored; nullptr when absent
  TField* FieldByName(const QString& name) const;  // letter case ignored; DataSetError when absent
  QStringList FieldNames() const;

  // Open and close. CreateDataSet opens the set empty from its field list (an open set is
  // re-created empty); Close drops the rows and any pending insert or edit.
  void CreateDataSet();
  void Close();
  bool Active() const;
  State state() const;

  // Loads a packet whole, replacing the rows and opening the set in browse state on its first row.
  // A set with a field list matches the packet's fields by name (case ignored) and ignores extra
  // ones; a set without one takes the packet's structure. A packet that lacks a field, carries it
  // with another type or holds a bad row raises PacketError and leaves the set as it was.
  void LoadPacket(const DataPacket& packet);

  // Navigation over the open set (DataSetError on a closed one); a pending insert or edit is
  // posted first. Last leaves Eof true, as after Next on the last row. Eof, RecordCount and IsEmpty
  // read a closed set as empty.
  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const;  // true after Next on the last row, and on an empty set
  qsizetype RecordCount() const;
  bool IsEmpty() const;
  qsizetype RecNo() const;  // 0-based position of the current row, -1 when empty
  void MoveTo(qsizetype row);

  // Rows.
  // Insert and Append post a pending row first. Edit on an empty set starts an insert; Edit during
  // an insert or edit changes nothing. Post and Cancel outside edit or insert do nothing.
  void Insert();  // new row before the current one; state insert
  void Append();  // new row after the last one; state insert
  void Edit();    // the current row; state edit
  void Post();    // keeps the new or changed row; state browse, the row current
  void Cancel();  // drops the pending insert or edit
  void EmptyDataSet();

  // Finds the first row whose key fields ("CDGRUPPRODREL;CDSUBGRPRODREL") equal the values, text
  // compared without regard to letter case (a Null text equals ""; a null QVariant finds Null).
  // A pending insert or edit is posted first. Found: that row becomes current and true is returned.
  // Not found: the cursor stays where it was and false is returned.
  bool Locate(const QString& keyFields, const QVariantList& values);

  // While controls are disabled (calls nest) the views attached to the set are not notified
  // (stateChanged included); the last EnableControls emits stateChanged if the state differs from
  // the one at the first DisableControls, then rowsReset and cursorMoved once.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const;

  // Called for a row whenever it is posted or loaded, with the set positioned on it, when the set
  // has calculated fields; it may write the calculated fields (only those). If it raises during a
  // load, the set goes back to what it held before the load: its rows, cursor, state and any
  // pending insert or edit.
  std::function<void(TClientDataSet&)> OnCalcFields;

  // Direct reads of any row, for views and reports (no cursor move). Null reads as an invalid
  // QVariant; text as QString, floats as double, dates as QDateTime.
  QVariant ValueAt(qsizetype row, int field) const;

 signals:
  void stateChanged();                // open, close, browse/edit/insert changes
  void rowsReset();                   // rows replaced, emptied, or controls re-enabled
  void rowInserted(qsizetype row);    // a posted new row
  void rowChanged(qsizetype row);     // a posted edit
  void cursorMoved(qsizetype row);    // the current row changed

 private:
  friend class TField;
  class Impl;
  std::unique_ptr<Impl> d;
};

// The link between a data set and the controls that show it. OnStateChange runs whenever the data
// set opens, closes or changes state (not while its controls are disabled: then once, at the last
// EnableControls, if the state differs), and when the data source is switched to another set
// (not when it is left without one).
// A destroyed data set leaves the data source without one.
class TDataSource : public QObject {
  Q_OBJECT
 public:
  explicit TDataSource(QString name = {}, QObject* parent = nullptr);
  TClientDataSet* DataSet() const { return m_dataSet; }
  void SetDataSet(TClientDataSet* dataSet);
  std::function<void(TDataSource&)> OnStateChange;

 signals:
  void dataSetChanged();

 private:
  TClientDataSet* m_dataSet = nullptr;
  QMetaObject::Connection m_connection;
  QMetaObject::Connection m_destroyedConnection;
};

}  // namespace margem
