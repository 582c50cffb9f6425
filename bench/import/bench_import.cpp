// SPDX-License-Identifier: MIT
// Benchmark of `margem-server import` and `export` on a generated file of one million item rows
// (ten thousand quotes), into SQLite and, when MARGEM_TEST_PG names a server, PostgreSQL. Each
// import goes into a fresh database; the figure is the median of MARGEM_BENCH_REPEAT runs (3).
// MARGEM_BENCH_ROWS changes the row count. Prints one `name: value unit` line per figure.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "database.h"
#include "measure.h"
#include "quote_file_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

struct ToolRun {
  double seconds;
  double peakMb;
};

std::int64_t environmentNumber(const char* name, std::int64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atoll(text) : fallback;
}

std::string serverBinary() {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "margem-server").string();
}

// Runs margem-server with the arguments to its end, its standard output dropped and its
// standard error (progress, problems) kept in `log`.
ToolRun runTool(const std::vector<std::string>& arguments, const std::string& log) {
  const std::string binary = serverBinary();
  std::vector<char*> argv{const_cast<char*>(binary.c_str())};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stdout) || !std::freopen(log.c_str(), "w", stderr)) {
      _exit(127);
    }
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("margem-server " + arguments.front() + " failed; see " + log);
  }
  return {std::chrono::duration<double>(Clock::now() - start).count(),
          static_cast<double>(usage.ru_maxrss) / 1024.0};
}

using bench::Median;
using bench::Print;

// A fresh database for one run: a SQLite file, or a PostgreSQL database dropped afterwards.
class BenchDatabase {
 public:
  BenchDatabase(const std::string& admin, const std::filesystem::path& folder, int run)
      : m_admin(admin) {
    if (admin.empty()) {
      const auto file = folder / ("bench" + std::to_string(run) + ".db");
      std::filesystem::remove(file);
      m_location = "sqlite:" + file.string();
      return;
    }
    m_name = "margem_bench_import_" + std::to_string(getpid()) + "_" + std::to_string(run);
    execute("DROP DATABASE IF EXISTS " + m_name);
    execute("CREATE DATABASE " + m_name);
    m_location = admin + " dbname=" + m_name;
  }
  ~BenchDatabase() {
    if (m_name.empty()) return;
    try {
      execute("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s\n", error.what());
    }
  }
  const std::string& location() const { return m_location; }

 private:
  void execute(const std::string& sql) {
    margem::server::openConnection(m_admin, margem::server::OpenMode::ExistingOnly)->execute(sql);
  }
  std::string m_admin;
  std::string m_name;
  std::string m_location;
};

void measure(const std::string& admin, const std::string& suffix,
             const std::filesystem::path& folder, const std::string& file, std::int64_t rows,
             int repeat) {
  std::vector<double> importRates, peaks, exportRates;
  for (int run = 0; run < repeat; ++run) {
    const BenchDatabase database(admin, folder, run);
    const std::string log = (folder / "tool.log").string();
    const ToolRun imported = runTool({"import", "--db", database.location(), file}, log);
    importRates.push_back(static_cast<double>(rows) / imported.seconds);
    peaks.push_back(imported.peakMb);
    const ToolRun exported =
        runTool({"export", "--db", database.location(), (folder / "export.csv").string()}, log);
    exportRates.push_back(static_cast<double>(rows) / exported.seconds);
  }
  Print("import_rows_per_s" + suffix, Median(importRates), "rows/s", 0);
  Print("import_peak_rss_mb" + suffix, Median(peaks), "MB", 1);
  Print("export_rows_per_s" + suffix, Median(exportRates), "rows/s", 0);
}

}  // namespace

int main() {
  const std::int64_t wanted = environmentNumber("MARGEM_BENCH_ROWS", 1000000);
  const int repeat =
      static_cast<int>(std::max<std::int64_t>(1, environmentNumber("MARGEM_BENCH_REPEAT", 3)));
  char pattern[] = "/tmp/margem-bench-import.XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
  const std::filesystem::path folder(pattern);
  try {
    const std::string file = (folder / "quotes.csv").string();
    const std::int64_t rows = benchimport::writeQuoteFile(file, wanted);
    Print("import_file_rows", static_cast<double>(rows), "rows", 0);
    Print("import_file_mb", static_cast<double>(std::filesystem::file_size(file)) / 1048576.0, "MB",
          1);
    measure({}, "", folder, file, rows, repeat);
    if (const char* admin = std::getenv("MARGEM_TEST_PG"); admin && *admin) {
      measure(admin, "_postgres", folder, file, rows, repeat);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_import: %s\n", error.what());
    return 1;  // the folder stays for its log
  }
  std::filesystem::remove_all(folder);
  return 0;
}
