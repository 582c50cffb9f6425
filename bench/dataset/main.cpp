// SPDX-License-Identifier: MIT
// bench_dataset [--rows N] [--runs N]
// 1. One million rows, each inserted before the row posted just before it (the pattern of the
//    chart passes), against one million appends, on the same data set layout: the ratio of times.
// 2. Loading a one-million-row period packet (16 columns, ~150 MB of JSON): reading and loading,
//    rows and MB per second for a set that takes the packet's structure, rows per second for a
//    set with a fixed field list, the loaded set's resident bytes per row beyond its text content
//    (UTF-16, as stored), and the peak resident memory of the whole run.
// Timings are medians of --runs runs, in processor time of this process (the machine is shared);
// the wall-clock figures are printed beside them.
#include <cstring>
#include <memory>
#include <string>

#include "clientdataset.h"
#include "measure.h"
#include "periodpacket.h"

using namespace margem;

namespace {

void DefinePeriodFields(TClientDataSet& cds) {
  cds.AddField("CDFILIAL", FieldType::String, 4);
  cds.AddField("NRORCAEVENTO", FieldType::String, 10);
  cds.AddField("NROPCAITOREV", FieldType::String, 2);
  for (const char* name : {"VRDESCORCEVE", "VRTOTALITEM"}) cds.AddField(name, FieldType::Float);
  cds.AddField("CDGRUPPRODREL", FieldType::String, 10);
  cds.AddField("CDSUBGRPRODREL", FieldType::String, 10);
  cds.AddField("NMSUBGRPROD", FieldType::String, 40);
  for (const char* name : {"VRPEIMDEVAVEMP", "VRPEIMDEVAVEOU", "VRPEDESFIXASBGR"}) {
    cds.AddField(name, FieldType::Float);
  }
  cds.AddField("IDDIFEFRETESBGR", FieldType::String, 1);
  cds.AddField("VRFRETE", FieldType::Float);
  cds.AddField("IDDESCONTOSBGR", FieldType::String, 1);
  cds.AddField("IDFRETESBGR", FieldType::String, 1);
  cds.AddField("VRPEDESFIXASERV", FieldType::Float);
}

// Adds rows the way the chart passes do: a label and two figures per row, then Post.
bench::Timing PostRows(std::size_t rows, bool insertBefore) {
  TClientDataSet cds("cdsPercLucrGrup");
  DefinePeriodFields(cds);
  cds.CreateDataSet();
  TField* label = cds.FieldByName("NMSUBGRPROD");
  TField* total = cds.FieldByName("VRTOTALITEM");
  TField* freight = cds.FieldByName("VRFRETE");
  const QString text = QStringLiteral("SALGADOS Opção 01");
  return bench::Measure([&]() {
    for (std::size_t i = 0; i < rows; ++i) {
      insertBefore ? cds.Insert() : cds.Append();
      label->SetAsString(text);
      total->SetAsFloat(double(i));
      freight->SetAsFloat(0.5);
      cds.Post();
    }
  });
}

bench::Timing Load(const std::string& json, bool fixedFields) {
  TClientDataSet cds("cdsMarTLuc");
  if (fixedFields) DefinePeriodFields(cds);
  return bench::Measure([&]() { cds.LoadPacket(ReadDataPacket(json)); });
}

struct Medians {
  double cpu, wall;
};

Medians MedianOf(const std::vector<bench::Timing>& timings) {
  std::vector<double> cpu, wall;
  for (const bench::Timing& t : timings) {
    cpu.push_back(t.cpu);
    wall.push_back(t.wall);
  }
  return {bench::Median(cpu), bench::Median(wall)};
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t rows = 1'000'000;
  int runs = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--rows") == 0) rows = std::stoul(argv[i + 1]);
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::stoi(argv[i + 1]);
  }

  std::vector<bench::Timing> appends, inserts;
  for (int run = 0; run < runs; ++run) {
    appends.push_back(PostRows(rows, false));
    inserts.push_back(PostRows(rows, true));
  }
  const Medians append = MedianOf(appends);
  const Medians insert = MedianOf(inserts);
  bench::Print("append_rows_per_s", double(rows) / append.cpu, "rows/s");
  bench::Print("insert_before_rows_per_s", double(rows) / insert.cpu, "rows/s");
  bench::Print("insert_before_vs_append", insert.cpu / append.cpu, "ratio", 2);
  bench::Print("insert_before_vs_append_wall", insert.wall / append.wall, "ratio", 2);

  const bench::GeneratedPacket packet = bench::MakePeriodPacket(rows, 7);
  const double megabytes = double(packet.json.size()) / 1e6;
  bench::Print("packet_size", megabytes, "MB");
  std::vector<bench::Timing> taking, fixed;
  for (int run = 0; run < runs; ++run) {
    taking.push_back(Load(packet.json, false));
    fixed.push_back(Load(packet.json, true));
  }
  const Medians load = MedianOf(taking);
  bench::Print("load_rows_per_s", double(rows) / load.cpu, "rows/s");
  bench::Print("load_mb_per_s", megabytes / load.cpu, "MB/s");
  bench::Print("load_wall_rows_per_s", double(rows) / load.wall, "rows/s");
  bench::Print("load_fixed_fields_rows_per_s", double(rows) / MedianOf(fixed).cpu, "rows/s");

  const double before = bench::ResidentBytes();
  auto cds = std::make_unique<TClientDataSet>("cdsMarTLuc");
  cds->LoadPacket(ReadDataPacket(packet.json));
  const double held = bench::ResidentBytes() - before;
  const double text = double(packet.textChars) * 2;
  bench::Print("bytes_per_row", (held - text) / double(rows), "bytes");
  bench::Print("text_bytes_per_row", text / double(rows), "bytes");
  bench::Print("peak_rss", bench::PeakRssMb(), "MB");
  return cds->RecordCount() == qsizetype(rows) ? 0 : 1;
}
