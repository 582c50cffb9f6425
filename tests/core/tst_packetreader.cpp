// SPDX-License-Identifier: MIT
// Reading data packets and replies, and loading packets into data sets: what is accepted, what is
// refused with a clear message, and that a refused packet leaves the set as it was.
#include <QRandomGenerator>
#include <QtTest>

#include "clientdataset.h"
#include "servervalue.h"

using namespace margem;

namespace {

const char* const kGood =
    R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},)"
    R"({"name":"VRTOTALITEM","type":"float"},{"name":"DTEVENTO","type":"datetime"}],)"
    R"("rows":[["0001",1500.5,"2005-03-10T20:00:00"],["0002",null,null]]})";

QString PacketMessage(const std::string& json) {
  try {
    ReadDataPacket(json);
  } catch (const PacketError& error) {
    return QString::fromStdString(error.what());
  }
  return {};
}

void DefineFixed(TClientDataSet& cds) {
  cds.AddField("CDFILIAL", FieldType::String, 4);
  cds.AddField("VRTOTALITEM", FieldType::Float);
}

}  // namespace

class TestPacketReader : public QObject {
  Q_OBJECT

 private slots:
  void readsValues() {
    const DataPacket packet = ReadDataPacket(kGood);
    QCOMPARE(packet.Fields().size(), 3u);
    QCOMPARE(packet.Fields()[0].size, 4);
    QCOMPARE(packet.RowCount(), 2);
    QCOMPARE(packet.String(0, 0), "0001");
    QCOMPARE(packet.Float(0, 1), 1500.5);
    QVERIFY(packet.IsNull(1, 1));
    QVERIFY(packet.IsNull(1, 2));
    // 10/03/2005 is day 38421 after 30/12/1899; 20:00 is 5/6 of a day.
    QCOMPARE(packet.DateTime(0, 2), 38421 + 20.0 / 24);
    // A size on a float field means nothing and is not checked.
    QCOMPARE(ReadDataPacket(R"({"fields":[{"name":"F","type":"float","size":0}],"rows":[[1]]})")
                 .Float(0, 0),
             1.0);
  }

  void acceptsValidVariants_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("text");
    auto packet = [](const char* value) {
      return QByteArray(R"({"fields":[{"name":"T","type":"string","size":6}],"rows":[[)") + value +
             "]]}";
    };
    QTest::newRow("escapes") << packet(R"("a\"\\\/\n")") << "a\"\\/\n";
    QTest::newRow("unicode escape") << packet(R"("\u00e7\u00E3o")") << "ção";
    QTest::newRow("surrogate pair escape") << packet(R"("\ud83d\ude00!")") << "😀!";
    QTest::newRow("UTF-8 text") << packet("\"ação\"") << "ação";
    QTest::newRow("cut to the size") << packet(R"("1234567890")") << "123456";
    QTest::newRow("cut after escapes") << packet(R"("\u00e7\u00e7\u00e7\u00e7\u00e7\u00e7\u00e7")")
                                       << "çççççç";
    QTest::newRow("whitespace everywhere")
        << QByteArray(" {\n\"fields\" : [ {\"size\":6 , \"type\":\"string\",\"name\":\"T\"} ] ,"
                      "\r\n\t\"rows\":[ [ \"x\" ] ] } \n")
        << "x";
    QTest::newRow("rows before fields")
        << QByteArray(R"({"rows":[["y"]],"fields":[{"name":"T","type":"string","size":6}]})")
        << "y";
    QTest::newRow("unknown members ignored")
        << QByteArray(R"({"v":{"a":[1,true,false,null]},"fields":[{"name":"T","type":"string",)"
                      R"("size":6,"note":"x"}],"rows":[["z"]]})")
        << "z";
  }
  void acceptsValidVariants() {
    QFETCH(QByteArray, json);
    QFETCH(QString, text);
    const DataPacket packet = ReadDataPacket(json.toStdString());
    QCOMPARE(packet.RowCount(), 1);
    QCOMPARE(packet.String(0, 0), text);
  }

  void refusesMalformed_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("mentions");
    const QByteArray head = R"({"fields":[{"name":"S","type":"string","size":4},)"
                            R"({"name":"F","type":"float"},{"name":"D","type":"datetime"}],"rows":)";
    auto rows = [&](const char* body) { return head + body + "}"; };
    QTest::newRow("empty text") << QByteArray() << "terminou";
    QTest::newRow("not JSON") << QByteArray("hello") << "posição 1";
    QTest::newRow("an array") << QByteArray("[]") << "'{'";
    QTest::newRow("no fields") << QByteArray(R"({"rows":[]})") << "fields";
    QTest::newRow("no rows") << QByteArray(R"({"fields":[{"name":"F","type":"float"}]})") << "rows";
    QTest::newRow("empty field list") << QByteArray(R"({"fields":[],"rows":[]})") << "campos";
    QTest::newRow("unknown type")
        << QByteArray(R"({"fields":[{"name":"F","type":"int"}],"rows":[]})") << "int";
    QTest::newRow("text without size")
        << QByteArray(R"({"fields":[{"name":"S","type":"string"}],"rows":[]})") << "S";
    QTest::newRow("size not integer")
        << QByteArray(R"({"fields":[{"name":"S","type":"string","size":2.5}],"rows":[]})")
        << "tamanho";
    QTest::newRow("huge size")
        << QByteArray(R"({"fields":[{"name":"S","type":"string","size":1e300}],"rows":[]})")
        << "tamanho";
    QTest::newRow("size zero")
        << QByteArray(R"({"fields":[{"name":"S","type":"string","size":0}],"rows":[]})")
        << "tamanho";
    QTest::newRow("field without name") << QByteArray(R"({"fields":[{"type":"float"}],"rows":[]})")
                                        << "nome";
    QTest::newRow("repeated field")
        << QByteArray(R"({"fields":[{"name":"F","type":"float"},{"name":"f","type":"float"}],)"
                      R"("rows":[]})")
        << "f";
    QTest::newRow("rows not an array") << rows(R"({})") << "'['";
    QTest::newRow("row too short") << rows(R"([["a",1,null],["a",1]])") << "linha 2";
    QTest::newRow("row too long") << rows(R"([["a",1,null,4]])") << "linha 1";
    QTest::newRow("empty row") << rows(R"([[]])") << "linha 1";
    QTest::newRow("text where a float goes") << rows(R"([["a","1",null]])") << "campo F";
    QTest::newRow("number where a text goes") << rows(R"([[1,1,null]])") << "campo S";
    QTest::newRow("boolean value") << rows(R"([["a",true,null]])") << "campo F";
    QTest::newRow("nested array value") << rows(R"([["a",[1],null]])") << "campo F";
    QTest::newRow("huge number") << rows(R"([["a",1e999,null]])") << "fora do alcance";
    QTest::newRow("huge negative") << rows(R"([["a",-1e400,null]])") << "fora do alcance";
    QTest::newRow("NaN") << rows(R"([["a",NaN,null]])") << "campo F";
    QTest::newRow("Infinity") << rows(R"([["a",Infinity,null]])") << "campo F";
    QTest::newRow("leading plus") << rows(R"([["a",+1,null]])") << "campo F";
    QTest::newRow("leading zero") << rows(R"([["a",01,null]])") << "linha 1";
    QTest::newRow("bare dot") << rows(R"([["a",1.,null]])") << "número inválido";
    QTest::newRow("hex number") << rows(R"([["a",0x10,null]])") << "linha 1";
    QTest::newRow("date in another form") << rows(R"([["a",1,"10/03/2005"]])") << "campo D";
    QTest::newRow("date without time") << rows(R"([["a",1,"2005-03-10"]])") << "AAAA-MM-DD";
    QTest::newRow("February 30") << rows(R"([["a",1,"2005-02-30T00:00:00"]])") << "2005-02-30";
    QTest::newRow("February 29 of 1900") << rows(R"([["a",1,"1900-02-29T00:00:00"]])") << "1900";
    QTest::newRow("hour 24") << rows(R"([["a",1,"2005-03-10T24:00:00"]])") << "campo D";
    QTest::newRow("date as number") << rows(R"([["a",1,38421]])") << "campo D";
    QTest::newRow("date with zone") << rows(R"([["a",1,"2005-03-10T20:00:00Z"]])") << "campo D";
    QTest::newRow("truncated text") << rows("[[\"ab") << "aspas";
    QTest::newRow("truncated row") << head + R"([["a",1)" << "linha 1";
    QTest::newRow("raw control character") << rows("[[\"a\tb\",1,null]]") << "controle";
    QTest::newRow("bad escape") << rows(R"([["\x41",1,null]])") << "escape";
    QTest::newRow("short unicode escape") << rows(R"([["\u12",1,null]])") << "escape";
    QTest::newRow("lone low surrogate") << rows(R"([["\udc00",1,null]])") << "surrogate";
    QTest::newRow("lone high surrogate") << rows(R"([["\ud800x",1,null]])") << "surrogate";
    QTest::newRow("invalid UTF-8 byte") << rows("[[\"a\xff\",1,null]]") << "UTF-8";
    QTest::newRow("overlong UTF-8") << rows("[[\"\xc0\xaf\",1,null]]") << "UTF-8";
    QTest::newRow("UTF-8 surrogate") << rows("[[\"\xed\xa0\x80\",1,null]]") << "UTF-8";
    QTest::newRow("UTF-8 beyond U+10FFFF") << rows("[[\"\xf4\x90\x80\x80\",1,null]]") << "UTF-8";
    QTest::newRow("cut UTF-8 sequence") << rows("[[\"\xc3\",1,null]]") << "UTF-8";
    QTest::newRow("trailing comma in row") << rows(R"([["a",1,null,]])") << "linha 1";
    QTest::newRow("trailing comma in rows") << rows(R"([["a",1,null],])") << "linha 2";
    QTest::newRow("content after the packet") << QByteArray(kGood) + " x" << "a mais";
    QTest::newRow("two packets") << QByteArray(kGood) + kGood << "a mais";
    QTest::newRow("misspelled null") << rows(R"([["a",nul,null]])") << "campo F";
    QTest::newRow("deep nesting in an unknown member")
        << QByteArray(R"({"x":)") + QByteArray(5000, '[') << "aninhados";
  }
  void refusesMalformed() {
    QFETCH(QByteArray, json);
    QFETCH(QString, mentions);
    const QString message = PacketMessage(json.toStdString());
    QVERIFY2(!message.isEmpty(), "the packet was accepted");
    QVERIFY2(message.startsWith("Pacote de dados inválido"), qPrintable(message));
    QVERIFY2(message.contains(mentions), qPrintable(message));
  }

  // Every strict prefix of a valid packet is refused, and never crashes.
  void refusesEveryTruncation() {
    const std::string json = kGood;
    for (std::size_t size = 0; size < json.size(); ++size) {
      QVERIFY2(!PacketMessage(json.substr(0, size)).isEmpty(), qPrintable(QString::number(size)));
    }
  }

  // Random byte damage either still reads or is refused with PacketError; nothing else escapes.
  void survivesByteDamage() {
    QRandomGenerator random(4242);
    const std::string good = kGood;
    for (int round = 0; round < 3000; ++round) {
      std::string json = good;
      for (int hits = 1 + random.bounded(3); hits > 0; --hits) {
        json[random.bounded(int(json.size()))] = char(random.bounded(256));
      }
      try {
        ReadDataPacket(json);
      } catch (const PacketError&) {
      }
    }
  }

  void loadMatchesByNameAndIgnoresExtraFields() {
    TClientDataSet cds("cdsOrca");
    DefineFixed(cds);
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"EXTRA","type":"string","size":3},)"
        R"({"name":"vrtotalitem","type":"float"},{"name":"cdfilial","type":"string","size":10}],)"
        R"("rows":[["x",10,"00012345"],["y",null,"0002"]]})"));
    QCOMPARE(cds.FieldCount(), 2);
    QCOMPARE(cds.RecordCount(), 2);
    QCOMPARE(cds.state(), TClientDataSet::dsBrowse);
    QCOMPARE(cds.RecNo(), 0);
    QCOMPARE(cds.FieldByName("CDFILIAL")->AsString(), "0001");
    QCOMPARE(cds.FieldByName("VRTOTALITEM")->AsFloat(), 10.0);
    cds.Next();
    QVERIFY(cds.FieldByName("VRTOTALITEM")->IsNull());
  }

  void loadRefusal_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("missing field")
        << QByteArray(R"({"fields":[{"name":"CDFILIAL","type":"string","size":4}],"rows":[["9"]]})")
        << "VRTOTALITEM";
    QTest::newRow("field of another type")
        << QByteArray(R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},)"
                      R"({"name":"VRTOTALITEM","type":"string","size":5}],"rows":[["9","1"]]})")
        << "VRTOTALITEM";
  }
  void loadRefusal() {
    QFETCH(QByteArray, json);
    QFETCH(QString, mentions);
    TClientDataSet cds("cdsOrca");
    DefineFixed(cds);
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},{"name":"VRTOTALITEM",)"
        R"("type":"float"}],"rows":[["0001",1],["0002",2],["0003",3]]})"));
    cds.MoveTo(1);
    cds.Edit();
    cds.FieldByName("VRTOTALITEM")->SetAsFloat(22);
    try {
      cds.LoadPacket(ReadDataPacket(json.toStdString()));
      QFAIL("the packet was loaded");
    } catch (const PacketError& error) {
      const QString message = QString::fromStdString(error.what());
      QVERIFY2(message.contains(mentions) && message.contains("cdsOrca"), qPrintable(message));
    }
    QCOMPARE(cds.state(), TClientDataSet::dsEdit);
    QCOMPARE(cds.RecordCount(), 3);
    QCOMPARE(cds.RecNo(), 1);
    QCOMPARE(cds.FieldByName("VRTOTALITEM")->AsFloat(), 22.0);
    cds.Post();
    QCOMPARE(cds.ValueAt(2, 0).toString(), "0003");
  }

  void calculationFailureRestoresTheSet() {
    TClientDataSet cds("cdsVdOrca");
    DefineFixed(cds);
    cds.AddField("NOME", FieldType::String, 10)->Calculated = true;
    int calls = 0;
    cds.OnCalcFields = [&calls](TClientDataSet& set) {
      if (++calls == 3) throw DataSetError("falhou");
      set.FieldByName("NOME")->SetAsString("n" + set.FieldByName("CDFILIAL")->AsString());
    };
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},{"name":"VRTOTALITEM",)"
        R"("type":"float"}],"rows":[["1",1],["2",2]]})"));
    QCOMPARE(cds.ValueAt(1, 2).toString(), "n2");
    QVERIFY_THROWS_EXCEPTION(
        DataSetError, cds.LoadPacket(ReadDataPacket(
                          R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},)"
                          R"({"name":"VRTOTALITEM","type":"float"}],"rows":[["7",1],["8",2]]})")));
    QCOMPARE(cds.RecordCount(), 2);
    QCOMPARE(cds.ValueAt(0, 0).toString(), "1");
  }

  // A load whose calculation fails leaves the row being edited or inserted pending, as typed, so
  // that it can still be read and posted.
  void calculationFailureKeepsThePendingRow_data() {
    QTest::addColumn<bool>("inserting");
    QTest::newRow("edit") << false;
    QTest::newRow("insert") << true;
  }
  void calculationFailureKeepsThePendingRow() {
    QFETCH(bool, inserting);
    TClientDataSet cds("cdsVdOrca");
    DefineFixed(cds);
    cds.AddField("NOME", FieldType::String, 10)->Calculated = true;
    bool failing = false;
    cds.OnCalcFields = [&failing](TClientDataSet& set) {
      if (failing) throw DataSetError("falhou");
      set.FieldByName("NOME")->SetAsString("n" + set.FieldByName("CDFILIAL")->AsString());
    };
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},{"name":"VRTOTALITEM",)"
        R"("type":"float"}],"rows":[["1",1],["2",2],["3",3]]})"));
    cds.MoveTo(1);
    inserting ? cds.Insert() : cds.Edit();
    cds.FieldByName("CDFILIAL")->SetAsString("9");
    cds.FieldByName("VRTOTALITEM")->SetAsFloat(22);
    failing = true;
    QVERIFY_THROWS_EXCEPTION(
        DataSetError, cds.LoadPacket(ReadDataPacket(
                          R"({"fields":[{"name":"CDFILIAL","type":"string","size":4},)"
                          R"({"name":"VRTOTALITEM","type":"float"}],"rows":[["7",1],["8",2]]})")));
    failing = false;

    QCOMPARE(cds.state(), inserting ? TClientDataSet::dsInsert : TClientDataSet::dsEdit);
    QCOMPARE(cds.RecordCount(), 3);
    QCOMPARE(cds.RecNo(), 1);
    QCOMPARE(cds.FieldByName("CDFILIAL")->AsString(), "9");
    QCOMPARE(cds.FieldByName("VRTOTALITEM")->AsFloat(), 22.0);
    cds.Post();
    QStringList rows;
    for (qsizetype row = 0; row < cds.RecordCount(); ++row) {
      rows << cds.ValueAt(row, 0).toString() + ':' + cds.ValueAt(row, 1).toString() + ':' +
                  cds.ValueAt(row, 2).toString();
    }
    QCOMPARE(rows, inserting ? QStringList({"1:1:n1", "9:22:n9", "2:2:n2", "3:3:n3"})
                             : QStringList({"1:1:n1", "9:22:n9", "3:3:n3"}));
    QCOMPARE(cds.RecNo(), 1);
  }

  void setWithoutFieldsTakesTheStructure() {
    TClientDataSet cds("cdsMarTLuc");
    cds.LoadPacket(ReadDataPacket(kGood));
    QCOMPARE(cds.FieldNames(), QStringList({"CDFILIAL", "VRTOTALITEM", "DTEVENTO"}));
    QCOMPARE(cds.FieldByName("cdfilial")->Size(), 4);
    QCOMPARE(cds.FieldByName("DTEVENTO")->AsDateTime(),
             QDateTime(QDate(2005, 3, 10), QTime(20, 0), Qt::UTC));
    TField* kept = cds.FieldByName("VRTOTALITEM");
    TField* dropped = cds.FieldByName("DTEVENTO");
    cds.LoadPacket(ReadDataPacket(
        R"({"fields":[{"name":"VRTOTALITEM","type":"float"},{"name":"NOVO","type":"float"}],)"
        R"("rows":[[5,6]]})"));
    QCOMPARE(cds.FieldByName("VRTOTALITEM"), kept);
    QCOMPARE(kept->AsFloat(), 5.0);
    QCOMPARE(cds.FieldByName("NOVO")->AsFloat(), 6.0);
    QVERIFY_THROWS_EXCEPTION(DataSetError, dropped->AsString());
  }

  void replies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("shape");
    QTest::newRow("null result") << QByteArray(R"({"jsonrpc":"2.0","id":7,"result":null})") << "null";
    QTest::newRow("packet result")
        << QByteArray(R"({"result":)") + kGood + R"(,"id":"x","jsonrpc":"2.0"})" << "packet:2";
    QTest::newRow("array of packet and null")
        << QByteArray(R"({"jsonrpc":"2.0","id":1,"result":[)") + kGood + R"(,null]})"
        << "array:packet:2,null";
    QTest::newRow("error")
        << QByteArray(R"({"jsonrpc":"2.0","id":1,"error":{"code":-32602,)"
                      R"("message":"Parâmetro inválido.","data":{"x":1}}})")
        << "error:-32602:Parâmetro inválido.";
  }
  void replies() {
    QFETCH(QByteArray, body);
    QFETCH(QString, shape);
    const RpcReply reply = ReadRpcReply(body.toStdString());
    auto describe = [](const ServerValue& value, auto& self) -> QString {
      switch (value.kind()) {
        case ServerValue::Kind::Null: return "null";
        case ServerValue::Kind::Packet:
          return QString("packet:%1").arg(value.Packet().RowCount());
        case ServerValue::Kind::Array: {
          QStringList items;
          for (qsizetype i = 0; i < value.Size(); ++i) items << self(value[i], self);
          return "array:" + items.join(',');
        }
      }
      return {};
    };
    const QString seen = reply.isError ? QString("error:%1:%2").arg(reply.errorCode).arg(reply.errorMessage)
                                       : describe(reply.result, describe);
    QCOMPARE(seen, shape);
  }

  void refusesBadReplies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("not JSON") << QByteArray("<html>");
    QTest::newRow("no version") << QByteArray(R"({"id":1,"result":null})");
    QTest::newRow("wrong version") << QByteArray(R"({"jsonrpc":"1.0","id":1,"result":null})");
    QTest::newRow("neither result nor error") << QByteArray(R"({"jsonrpc":"2.0","id":1})");
    QTest::newRow("both") << QByteArray(R"({"jsonrpc":"2.0","result":null,"error":{"code":1,"message":"x"}})");
    QTest::newRow("result is a number") << QByteArray(R"({"jsonrpc":"2.0","result":5})");
    QTest::newRow("error without message") << QByteArray(R"({"jsonrpc":"2.0","error":{"code":1}})");
    QTest::newRow("error code not integer")
        << QByteArray(R"({"jsonrpc":"2.0","error":{"code":1.5,"message":"x"}})");
    QTest::newRow("bad packet inside")
        << QByteArray(R"({"jsonrpc":"2.0","result":{"fields":[{"name":"F","type":"float"}],"rows":[["x"]]}})");
    QTest::newRow("deep arrays") << QByteArray(R"({"jsonrpc":"2.0","result":)") + QByteArray(100, '[');
  }
  void refusesBadReplies() {
    QFETCH(QByteArray, body);
    QVERIFY_THROWS_EXCEPTION(PacketError, ReadRpcReply(body.toStdString()));
  }

  void serverValueAccessRaises() {
    const ServerValue value = ReadServerValue("[null]");
    QVERIFY_THROWS_EXCEPTION(PacketError, value.Packet());
    QVERIFY_THROWS_EXCEPTION(PacketError, value[1]);
    QVERIFY(value[0].IsNull());
    QVERIFY_THROWS_EXCEPTION(PacketError, value[0].Size());
  }
};

QTEST_GUILESS_MAIN(TestPacketReader)
#include "tst_packetreader.moc"
