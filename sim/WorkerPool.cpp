// The pool's threads wait for a run, take pieces of its range until none is left,
// then report; the caller takes pieces too and returns once every piece is done.
#include "sim/WorkerPool.h"

#include <algorithm>

#include "platform/Platform.h"

WorkerPool::~WorkerPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

int HardwareThreads() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

void WorkerPool::TakePieces() {
  for (;;) {
    const uint32_t begin = next_.fetch_add(chunk_, std::memory_order_relaxed);
    if (begin >= count_) return;
    task_(context_, begin, std::min(count_, begin + chunk_));
  }
}

void WorkerPool::Serve(int index) {
  LeaveEndSignalsToMainThread();
  uint64_t seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || (generation_ != seen && index < helpers_); });
      if (stopping_) return;
      seen = generation_;
    }
    TakePieces();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (++finished_ == helpers_) done_.notify_one();
    }
  }
}

void WorkerPool::Run(int threads, uint32_t count, uint32_t chunk, Task task, void* context) {
  const int helpers = std::max(0, std::min(threads - 1, static_cast<int>(count) - 1));
  if (helpers == 0) {
    task(context, 0, count);
    return;
  }
  while (static_cast<int>(workers_.size()) < helpers) {
    const int index = static_cast<int>(workers_.size());
    workers_.emplace_back([this, index] { Serve(index); });
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = task;
    context_ = context;
    count_ = count;
    chunk_ = std::max<uint32_t>(chunk, 1);
    next_.store(0, std::memory_order_relaxed);
    helpers_ = helpers;
    finished_ = 0;
    ++generation_;
  }
  wake_.notify_all();
  TakePieces();
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [&] { return finished_ == helpers_; });
}
