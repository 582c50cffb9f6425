// SPDX-License-Identifier: MIT
// bench_target [--subgroups N] [--solves N]
// One target-price solve, as the dialog runs it on each keystroke (the target's total and the
// column shown at it), for an option of 200 generated subgroups with mixed flags: the median over
// --solves solves of targets of the three kinds, in processor time of this process (the machine
// is shared), the wall-clock median beside it; then the opening of the dialog's solver (the rows
// read, the two break-evens).
//   target_solve_us: N us / target_solve_wall_us: N us / target_open_us: N us
#include <cstring>
#include <string>
#include <vector>

#include "clientdataset.h"
#include "measure.h"
#include "optiongenerator.h"
#include "targetprice.h"

using namespace margem;

namespace {

int Option(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::stoi(argv[i + 1]);
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  const int subgroups = Option(argc, argv, "--subgroups", 200);
  const int solves = Option(argc, argv, "--solves", 2000);
  TClientDataSet grupo(QStringLiteral("cdsGrupo1"));
  const bench::GeneratedOption option = bench::GenerateOption(grupo, subgroups, 13);

  std::vector<double> openCpu;
  for (int run = 0; run < 50; ++run) {
    openCpu.push_back(bench::Measure([&] {
                        const TargetPriceSolver solver(ReadSubgroupRows(grupo), option.currentTotal,
                                                       option.serv);
                        solver.BreakEven();
                        solver.DifferentiatedBreakEven();
                      }).cpu);
  }

  const TargetPriceSolver solver(ReadSubgroupRows(grupo), option.currentTotal, option.serv);
  const TargetKind kinds[] = {TargetKind::ProfitPct, TargetKind::DiffProfitPct, TargetKind::Profit};
  std::vector<double> cpu;
  std::vector<double> wall;
  volatile double shown = 0;  // keeps the column from being optimised away
  for (int i = 0; i < solves; ++i) {
    const TargetKind kind = kinds[i % 3];
    const double target =
        kind == TargetKind::Profit ? option.currentTotal * (0.05 + i % 40 * 0.01) : 5 + i % 45;
    const bench::Timing timing = bench::Measure([&] {
      const TargetAnswer answer = solver.Solve(kind, target);
      shown = solver.ColumnAt(answer.total, option.guests).profit;
    });
    cpu.push_back(timing.cpu);
    wall.push_back(timing.wall);
  }
  bench::Print("target_solve_us", bench::Median(cpu) * 1e6, "us");
  bench::Print("target_solve_wall_us", bench::Median(wall) * 1e6, "us");
  bench::Print("target_open_us", bench::Median(openCpu) * 1e6, "us");
  return 0;
}
