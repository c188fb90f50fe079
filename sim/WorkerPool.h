// A handful of threads that live for the whole run and split a range of rows
// with the calling thread. Nothing is created or allocated per run once the
// pool has grown to the largest thread count asked for.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
 public:
  using Task = void (*)(void* context, uint32_t begin, uint32_t end);

  WorkerPool() = default;
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Runs task over [0, count) in pieces of `chunk` on `threads` threads, this
  // one included, and returns when every piece is done.
  void Run(int threads, uint32_t count, uint32_t chunk, Task task, void* context);
  // Threads started so far, besides the caller.
  int Workers() const { return static_cast<int>(workers_.size()); }

 private:
  void Serve(int index);
  void TakePieces();

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  uint64_t generation_ = 0;  // bumped once per run
  int helpers_ = 0;          // workers taking part in the current run
  int finished_ = 0;         // of those, how many are through
  bool stopping_ = false;
  Task task_ = nullptr;
  void* context_ = nullptr;
  uint32_t count_ = 0;
  uint32_t chunk_ = 1;
  std::atomic<uint32_t> next_{0};
};

// Hardware threads, at least 1.
int HardwareThreads();
