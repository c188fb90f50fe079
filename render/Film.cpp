// libavformat muxes, libavcodec encodes, libswscale turns the RGB frames into
// each codec's pixels. The drawing thread only queues frames; one thread of the
// film's own converts, encodes and writes them, through an AVIOContext over
// the file image/OutputFile.h opened.
#include "render/Film.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "cmdline/Arguments.h"
#include "image/OutputFile.h"
#include "platform/Platform.h"

namespace {

constexpr size_t kQueued = 3;       // frames drawn ahead of the encoder, at most
constexpr int kIoBuffer = 1 << 16;  // bytes handed to the file at once

struct Codec {
  const char* muxer;
  const char* encoder;
  const char* options;        // the encoder's, as key=value:key=value
  const char* qualityOption;  // its constant-quality setting, 0 the best; null: lossless
  int worstQuality;           // that setting at --quality 0
  FilmFormat format;
  AVPixelFormat pixels;
};
// x264's veryfast and libvpx's realtime speed 8 with row threads keep up with the
// drawing at 1920x1080 (SVT-AV1 at its fastest was no faster, and refuses sides under
// 64); at the default quality neither blocks the squares of the finest grid.
// YUV is BT.709 in limited range (x264 and VP9 at 4:2:0, the YUV4MPEG2 stream at 4:4:4,
// every pixel its own colour); FFV1 keeps the RGB itself.
constexpr Codec kCodecs[] = {
    {"mp4", "libx264", "preset=veryfast", "crf", 51, FilmFormat::kMp4, AV_PIX_FMT_YUV420P},
    {"webm", "libvpx-vp9", "deadline=realtime:cpu-used=8:row-mt=1:b=0", "crf", 63,
     FilmFormat::kWebm, AV_PIX_FMT_YUV420P},
    {"matroska", "ffv1", "level=3", nullptr, 0, FilmFormat::kMkv, AV_PIX_FMT_BGR0},
    {"yuv4mpegpipe", "wrapped_avframe", "", nullptr, 0, FilmFormat::kY4m, AV_PIX_FMT_YUV444P},
};

// FFmpeg's own error messages, the last one kept to name what failed; the rest unsaid.
std::mutex logMutex;
std::string lastLogged;

void KeepError(void* /*unused*/, int level, const char* format, va_list arguments) {
  if (level > AV_LOG_ERROR) return;
  char line[512];
  std::vsnprintf(line, sizeof line, format, arguments);
  std::string text = line;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  const std::lock_guard lock(logMutex);
  lastLogged = text;
}

// What FFmpeg said last, else what the code means.
std::string AvError(int code) {
  {
    const std::lock_guard lock(logMutex);
    if (!lastLogged.empty()) return lastLogged;
  }
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

struct Film::Encoder {
  const Codec* codec = nullptr;
  FilmShape shape;
  std::string path;
  OutputFile out;
  int writeErrno = 0;  // set by the writes, read once the thread has ended

  AVFormatContext* muxer = nullptr;
  AVCodecContext* context = nullptr;
  AVStream* stream = nullptr;
  SwsContext* scaler = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  AVDictionary* muxerOptions = nullptr;
  int64_t next = 0;  // frames encoded so far, the next one's timestamp
  bool started = false;

  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<uint8_t>> queue;
  bool ending = false;   // no frame comes after those queued
  bool dropped = false;  // the film is given up: nothing more is encoded
  bool failed = false;
  std::string failure;
  std::thread thread;

  ~Encoder() {
    if (muxer != nullptr && muxer->pb != nullptr) {
      av_freep(&muxer->pb->buffer);
      avio_context_free(&muxer->pb);
    }
    avformat_free_context(muxer);
    avcodec_free_context(&context);
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    av_dict_free(&muxerOptions);
  }

  // Every failure names the path: what the file refused, or what FFmpeg said.
  bool Fail(int code, std::string* error) const {
    return ::Fail(error, "cannot write " + path + ": " +
                             (writeErrno != 0 ? std::strerror(writeErrno) : AvError(code)));
  }

  static int Write(void* opaque, uint8_t* data, int size) {
    auto* self = static_cast<Encoder*>(opaque);
    for (int done = 0; done < size;) {
      const ssize_t wrote = write(self->out.fd(), data + done, static_cast<size_t>(size - done));
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) {
        self->writeErrno = wrote < 0 ? errno : EIO;
        return AVERROR(self->writeErrno);
      }
      done += static_cast<int>(wrote);
    }
    return size;
  }

  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    const int fd = static_cast<Encoder*>(opaque)->out.fd();
    if ((whence & AVSEEK_SIZE) != 0) {
      struct stat info {};
      return fstat(fd, &info) == 0 ? info.st_size : AVERROR(errno);
    }
    const off_t at = lseek(fd, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
  }

  bool Open(std::string* error) {
    for (const Codec& known : kCodecs) {
      if (known.format == shape.format) codec = &known;
    }
    const AVCodec* encoder = avcodec_find_encoder_by_name(codec->encoder);
    if (encoder == nullptr) {
      return ::Fail(error, "cannot write " + path + ": this FFmpeg has no " + codec->encoder);
    }
    if (!out.Open(path, error)) return false;
    const bool seekable = lseek(out.fd(), 0, SEEK_CUR) >= 0;
    if (shape.format == FilmFormat::kMp4 && !seekable) {
      return ::Fail(error, "cannot write " + path +
                               ": an .mp4 film is written to a file; .mkv, .webm and .y4m "
                               "also stream to pipes");
    }
    int code = avformat_alloc_output_context2(&muxer, nullptr, codec->muxer, nullptr);
    if (code < 0) return Fail(code, error);
    // The mp4 muxer reads the file back by this name to move its index to the front.
    av_freep(&muxer->url);
    muxer->url = av_strdup(("file:" + out.writtenPath()).c_str());
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBuffer));
    muxer->pb = avio_alloc_context(buffer, kIoBuffer, 1, this, nullptr, Write, Seek);
    muxer->pb->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
    muxer->flags |= AVFMT_FLAG_CUSTOM_IO;

    context = avcodec_alloc_context3(encoder);
    context->width = shape.width;
    context->height = shape.height;
    context->pix_fmt = codec->pixels;
    av_reduce(&context->time_base.num, &context->time_base.den, shape.frameMs, 1000, INT_MAX);
    context->framerate = av_inv_q(context->time_base);
    context->thread_count = 0;  // as many as the machine has
    const bool yuv = codec->pixels != AV_PIX_FMT_BGR0;
    context->color_range = yuv ? AVCOL_RANGE_MPEG : AVCOL_RANGE_JPEG;
    context->colorspace = yuv ? AVCOL_SPC_BT709 : AVCOL_SPC_RGB;
    context->color_primaries = AVCOL_PRI_BT709;
    context->color_trc = AVCOL_TRC_IEC61966_2_1;  // the frames are sRGB, as the PNGs are
    if ((muxer->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
      context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* options = nullptr;
    av_dict_parse_string(&options, codec->options, "=", ":", 0);
    if (codec->qualityOption != nullptr) {
      const long value = std::lround(codec->worstQuality * (100 - shape.quality) / 100.0);
      av_dict_set_int(&options, codec->qualityOption, value, 0);
    }
    code = avcodec_open2(context, encoder, &options);
    av_dict_free(&options);
    if (code < 0) return Fail(code, error);

    stream = avformat_new_stream(muxer, nullptr);
    stream->time_base = context->time_base;
    stream->avg_frame_rate = context->framerate;
    stream->r_frame_rate = context->framerate;
    code = avcodec_parameters_from_context(stream->codecpar, context);
    if (code < 0) return Fail(code, error);
    if (shape.format == FilmFormat::kMp4) av_dict_set(&muxerOptions, "movflags", "+faststart", 0);

    scaler = sws_getContext(shape.width, shape.height, AV_PIX_FMT_RGB24, shape.width, shape.height,
                            codec->pixels, SWS_AREA | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler, bt709, 1, bt709, yuv ? 0 : 1, 0, 1 << 16, 1 << 16);
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    thread = std::thread([this] { Run(); });
    return true;
  }

  // The encoder's packets, each written as it comes; false with the code at fault.
  int Send(const AVFrame* picture) const {
    int code = avcodec_send_frame(context, picture);
    while (code >= 0) {
      code = avcodec_receive_packet(context, packet);
      if (code < 0) break;
      av_packet_rescale_ts(packet, context->time_base, stream->time_base);
      packet->stream_index = stream->index;
      code = av_interleaved_write_frame(muxer, packet);
    }
    return code == AVERROR(EAGAIN) || code == AVERROR_EOF ? 0 : code;
  }

  // The film's header comes with its first frame: a film ended before it is no file.
  int Encode(const std::vector<uint8_t>& rgb) {
    if (!started) {
      if (out.regularInPlace() && ftruncate(out.fd(), 0) != 0) return AVERROR(errno);
      const int code = avformat_write_header(muxer, &muxerOptions);
      if (code < 0) return code;
      started = true;
    }
    // A picture the encoder still holds (YUV4MPEG2's packets are the pictures) is left
    // to it: the next one gets a buffer of its own, not a copy of the old one's pixels.
    if (av_frame_is_writable(frame) == 0) {
      av_frame_unref(frame);
      frame->width = shape.width;
      frame->height = shape.height;
      frame->format = codec->pixels;
      const int code = av_frame_get_buffer(frame, 0);
      if (code < 0) return code;
    }
    const uint8_t* const planes[1] = {rgb.data()};
    const int strides[1] = {shape.width * 3};
    sws_scale(scaler, planes, strides, 0, shape.height, frame->data, frame->linesize);
    frame->pts = next++;
    return Send(frame);
  }

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
      code = Encode(rgb);
      if (code < 0) break;
    }
    if (code >= 0 && started && !drop) code = Send(nullptr);
    if (code >= 0 && started && !drop) code = av_write_trailer(muxer);
    if (code >= 0 && started) {
      avio_flush(muxer->pb);
      code = muxer->pb->error;
    }
    if (code < 0) {
      std::lock_guard lock(mutex);
      failed = true;
      Fail(code, &failure);
      queue.clear();
    }
    changed.notify_all();
  }
};

bool Film::Open(const std::string& path, const FilmShape& shape, std::string* error) {
  av_log_set_callback(KeepError);
  encoder_ = std::make_unique<Encoder>();
  encoder_->path = path;
  encoder_->shape = shape;
  if (encoder_->Open(error)) return true;
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
  return !e.started || e.out.Commit(error);
}

bool Film::BrokenPipe() const { return encoder_ != nullptr && encoder_->writeErrno == EPIPE; }
