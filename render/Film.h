// A film: the renderer's frames as one video file or YUV4MPEG2 stream, encoded
// through FFmpeg's libraries on a thread of their own behind a short queue.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/FilmEncoder.h"

class Film {
 public:
  // Opens path as image/OutputFile.h opens files ("-": standard output) and
  // starts the encoder; false with the reason.
  bool Open(const std::string& path, const FilmShape& shape, std::string* error);
  // An unfinished film is dropped: its thread stopped, the file aside removed.
  ~Film();
  Film();
  Film(const Film&) = delete;
  Film& operator=(const Film&) = delete;
  // Queues the next frame (RGB, top row first), waiting while the queue is full;
  // false once encoding or writing has failed (Finish says why).
  bool Add(std::vector<uint8_t> rgb);
  // The queued frames encoded, the film ended and renamed over its path; false
  // with the reason. A film given no frame is no file: nothing is left aside.
  bool Finish(std::string* error);
  // Whether what failed was a pipe its reader closed.
  bool BrokenPipe() const;

 private:
  struct Encoder;
  std::unique_ptr<Encoder> encoder_;
};
