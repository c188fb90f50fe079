// One film written through FFmpeg's libraries, a frame at a time on the
// caller's thread: the format's muxer and encoder, the frames' conversion to
// the codec's pixels, and the file the bytes go to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/OutputFile.h"
#include "render/OutputPath.h"
#include "render/RenderOptions.h"

struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;
struct FilmCodec;

struct FilmShape {
  FilmFormat format = FilmFormat::kMp4;  // any but kPng
  int width = 0;
  int height = 0;
  int frameMs = 16;  // frame i of the film shows at i x frameMs milliseconds
  int quality = kDefaultQuality;
};

class FilmEncoder {
 public:
  FilmEncoder() = default;
  ~FilmEncoder();
  FilmEncoder(const FilmEncoder&) = delete;
  FilmEncoder& operator=(const FilmEncoder&) = delete;

  // Opens path as image/OutputFile.h opens files ("-": standard output) and the
  // format's encoder at the shape's size, rate and quality; false with the reason.
  bool Open(const std::string& path, const FilmShape& shape, std::string* error);
  // One frame (RGB, top row first) converted, encoded and written: 0, or
  // FFmpeg's negative code. The film's header comes with the first frame, so a
  // film ended before it is no file.
  int Encode(const std::vector<uint8_t>& rgb);
  // The encoder's last packets and the container's end, or when `dropped` only
  // the bytes still buffered: 0, or the code at fault.
  int End(bool dropped);
  // The film renamed over its path; a film given no frame leaves nothing. False
  // with the reason.
  bool Commit(std::string* error);
  // What a code means here, naming the path: what the file refused, or what FFmpeg said.
  std::string Failure(int code) const;
  // Whether what failed was a pipe its reader closed.
  bool BrokenPipe() const;

 private:
  // The encoder's packets for picture (null: its last ones), each written as it
  // comes: 0, or the code at fault.
  int Send(const AVFrame* picture) const;
  // The AVIOContext's writes and seeks, on the file.
  static int Write(void* opaque, uint8_t* data, int size);
  static int64_t Seek(void* opaque, int64_t offset, int whence);

  const FilmCodec* codec_ = nullptr;
  FilmShape shape_;
  std::string path_;
  OutputFile out_;
  int writeErrno_ = 0;  // set by the writes
  AVFormatContext* muxer_ = nullptr;
  AVCodecContext* context_ = nullptr;
  AVStream* stream_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVDictionary* muxerOptions_ = nullptr;
  int64_t next_ = 0;  // frames encoded so far, the next one's timestamp
  bool started_ = false;
};
