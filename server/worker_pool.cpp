// SPDX-License-Identifier: MIT
#include "worker_pool.h"

#include "call_log.h"

namespace margem::server {

WorkerPool::WorkerPool(int threads) {
  for (int i = 0; i < threads; ++i) m_threads.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() { finish(); }

void WorkerPool::post(std::function<void()> job) {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  m_posted.notify_one();
}

void WorkerPool::finish() {
  {
    std::lock_guard lock(m_mutex);
    m_finishing = true;
  }
  m_posted.notify_all();
  for (auto& thread : m_threads) {
    if (thread.joinable()) thread.join();
  }
}

void WorkerPool::work() {
  while (true) {
    std::function<void()> job;
    {
      std::unique_lock lock(m_mutex);
      m_posted.wait(lock, [this] { return m_finishing || !m_jobs.empty(); });
      if (m_jobs.empty()) return;
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
    }
    try {
      job();
    } catch (const std::exception& error) {
      logLine(std::string("margem-server: falha inesperada numa chamada: ") + error.what());
    }
  }
}

}  // namespace margem::server
