// SPDX-License-Identifier: MIT
// A fixed number of threads that run the database work of calls, in the order it is posted, so
// that the connections to the database never outnumber them. A job that throws is logged and the
// thread goes on with the next.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace margem::server {

class WorkerPool {
 public:
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  void post(std::function<void()> job);
  // Runs what was posted to its end, then ends the threads.
  void finish();

 private:
  void work();

  std::mutex m_mutex;
  std::condition_variable m_posted;
  std::deque<std::function<void()>> m_jobs;
  bool m_finishing = false;
  std::vector<std::thread> m_threads;
};

}  // namespace margem::server
