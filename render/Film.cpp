// The drawing thread only queues frames; one thread of the film's own
// converts, encodes and writes them (render/FilmEncoder.h).
#include "render/Film.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "cmdline/Arguments.h"
#include "platform/Platform.h"

namespace {
constexpr size_t kQueued = 3;  // frames drawn ahead of the encoder, at most
}  // namespace

struct Film::Encoder {
  FilmEncoder film;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<uint8_t>> queue;
  bool ending = false;   // no frame comes after those queued
  bool dropped = false;  // the film is given up: nothing more is encoded
  bool failed = false;
  std::string failure;
  std::thread thread;

  // The encoder's frames, then its last packets and the container's end.
  void Run() {
    LeaveEndSignalsToMainThread();
    int code = 0;
    bool drop = false;
    for (;;) {
      std::vector<uint8_t> rgb;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !queue.empty() || ending; });
        drop = dropped;
        if (queue.empty() || drop) break;
        rgb = std::move(queue.front());
        queue.pop_front();
      }
      changed.notify_all();
      code = film.Encode(rgb);
      if (code < 0) break;
    }
    if (code >= 0) code = film.End(drop);
    if (code < 0) {
      std::lock_guard lock(mutex);
      failed = true;
      failure = film.Failure(code);
      queue.clear();
    }
    changed.notify_all();
  }
};

bool Film::Open(const std::string& path, const FilmShape& shape, std::string* error) {
  encoder_ = std::make_unique<Encoder>();
  if (encoder_->film.Open(path, shape, error)) {
    encoder_->thread = std::thread([this] { encoder_->Run(); });
    return true;
  }
  encoder_.reset();
  return false;
}
Film::Film() = default;

Film::~Film() {
  if (encoder_ == nullptr || !encoder_->thread.joinable()) return;
  {
    std::lock_guard lock(encoder_->mutex);
    encoder_->ending = true;
    encoder_->dropped = true;
  }
  encoder_->changed.notify_all();
  encoder_->thread.join();
}

bool Film::Add(std::vector<uint8_t> rgb) {
  Encoder& e = *encoder_;
  std::unique_lock lock(e.mutex);
  e.changed.wait(lock, [&e] { return e.queue.size() < kQueued || e.failed; });
  if (e.failed) return false;
  e.queue.push_back(std::move(rgb));
  lock.unlock();
  e.changed.notify_all();
  return true;
}

bool Film::Finish(std::string* error) {
  Encoder& e = *encoder_;
  {
    std::lock_guard lock(e.mutex);
    e.ending = true;
  }
  e.changed.notify_all();
  e.thread.join();
  if (e.failed) return ::Fail(error, e.failure);
  // A film ended before its first frame leaves nothing: the file aside goes with the encoder.
  return e.film.Commit(error);
}

bool Film::BrokenPipe() const { return encoder_ != nullptr && encoder_->film.BrokenPipe(); }
