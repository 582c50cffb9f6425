// SPDX-License-Identifier: MIT
// The server's connection pool while its SQLite file is replaced again and again under workers
// that lease connections in a tight loop: every lease taken after a replacement reads the new
// file, and no worker is left waiting for a connection.
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "connection_pool.h"
#include "schema.h"

using namespace margem::server;

namespace {

constexpr int kWorkers = 8;
constexpr int kReplacements = 6;

// A database whose only branch has the code `mark`.
void writeDatabase(const std::string& path, const std::string& mark) {
  auto connection = openConnection("sqlite:" + path, OpenMode::Create);
  migrate(*connection);
  connection->insert("INSERT INTO branch (code, name) VALUES (?, ?)", {mark, "Filial " + mark});
}

}  // namespace

class TestConnectionPool : public QObject {
  Q_OBJECT

 private slots:
  void leasesFollowAReplacedFile();
};

void TestConnectionPool::leasesFollowAReplacedFile() {
  QTemporaryDir dir;
  const std::string served = dir.filePath("margem.db").toStdString();
  writeDatabase(served, "0");
  ConnectionPool pool("sqlite:" + served);

  std::atomic<int> current{0};  // the mark of the file at the path once a replacement is done
  std::atomic<bool> done{false};
  std::atomic<int> stale{0};
  std::atomic<long> leases{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&] {
      while (!done) {
        const int expected = current;
        try {
          auto lease = pool.acquire();
          const std::string mark(lease->query("SELECT code FROM branch", {})->text(0));
          if (std::stoi(mark) < expected) ++stale;
          ++leases;
        } catch (const DatabaseError&) {
          // Between the removal and the rename below a file may briefly be missing.
        }
      }
    });
  }
  for (int round = 1; round <= kReplacements; ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string next = dir.filePath("nova.db").toStdString();
    writeDatabase(next, std::to_string(round));
    std::filesystem::rename(next, served);
    current = round;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  done = true;
  for (auto& worker : workers) worker.join();
  QCOMPARE(stale.load(), 0);
  QVERIFY(leases > kWorkers * kReplacements);
  QCOMPARE(std::string(pool.acquire()->query("SELECT code FROM branch", {})->text(0)),
           std::to_string(kReplacements));
}

QTEST_GUILESS_MAIN(TestConnectionPool)
#include "tst_connection_pool.moc"
