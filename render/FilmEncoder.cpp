// libavformat muxes, libavcodec encodes, libswscale turns the RGB frames into
// each codec's pixels, through an AVIOContext over the file image/OutputFile.h opened.
#include "render/FilmEncoder.h"

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
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "cmdline/Arguments.h"

struct FilmCodec {
  const char* muxer;
  const char* encoder;
  const char* options;        // the encoder's, as key=value:key=value
  const char* qualityOption;  // its constant-quality setting, 0 the best; null: lossless
  int worstQuality;           // that setting at --quality 0
  FilmFormat format;
  AVPixelFormat pixels;
};
namespace {

// x264's veryfast and libvpx's realtime speed 8 with row threads keep up with the
// drawing at 1920x1080 (SVT-AV1 at its fastest was no faster, and refuses sides under
// 64); at the default quality neither blocks the squares of the finest grid.
// YUV is BT.709 in limited range (x264 and VP9 at 4:2:0, the YUV4MPEG2 stream at 4:4:4,
// every pixel its own colour); FFV1 keeps the RGB itself.
constexpr FilmCodec kCodecs[] = {
    {"mp4", "libx264", "preset=veryfast", "crf", 51, FilmFormat::kMp4, AV_PIX_FMT_YUV420P},
    {"webm", "libvpx-vp9", "deadline=realtime:cpu-used=8:row-mt=1:b=0", "crf", 63,
     FilmFormat::kWebm, AV_PIX_FMT_YUV420P},
    {"matroska", "ffv1", "level=3", nullptr, 0, FilmFormat::kMkv, AV_PIX_FMT_BGR0},
    {"yuv4mpegpipe", "wrapped_avframe", "", nullptr, 0, FilmFormat::kY4m, AV_PIX_FMT_YUV444P},
};

constexpr int kIoBuffer = 1 << 16;  // bytes handed to the file at once

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

FilmEncoder::~FilmEncoder() {
  if (muxer_ != nullptr && muxer_->pb != nullptr) {
    av_freep(&muxer_->pb->buffer);
    avio_context_free(&muxer_->pb);
  }
  avformat_free_context(muxer_);
  avcodec_free_context(&context_);
  sws_freeContext(scaler_);
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  av_dict_free(&muxerOptions_);
}

std::string FilmEncoder::Failure(int code) const {
  return "cannot write " + path_ + ": " +
         (writeErrno_ != 0 ? std::strerror(writeErrno_) : AvError(code));
}

int FilmEncoder::Write(void* opaque, uint8_t* data, int size) {
  auto* self = static_cast<FilmEncoder*>(opaque);
  for (int done = 0; done < size;) {
    const ssize_t wrote = write(self->out_.fd(), data + done, static_cast<size_t>(size - done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      self->writeErrno_ = wrote < 0 ? errno : EIO;
      return AVERROR(self->writeErrno_);
    }
    done += static_cast<int>(wrote);
  }
  return size;
}

int64_t FilmEncoder::Seek(void* opaque, int64_t offset, int whence) {
  const int fd = static_cast<FilmEncoder*>(opaque)->out_.fd();
  if ((whence & AVSEEK_SIZE) != 0) {
    struct stat info {};
    return fstat(fd, &info) == 0 ? info.st_size : AVERROR(errno);
  }
  const off_t at = lseek(fd, offset, whence & ~AVSEEK_FORCE);
  return at < 0 ? AVERROR(errno) : at;
}

bool FilmEncoder::Open(const std::string& path, const FilmShape& shape, std::string* error) {
  av_log_set_callback(KeepError);
  path_ = path;
  shape_ = shape;
  for (const FilmCodec& known : kCodecs) {
    if (known.format == shape_.format) codec_ = &known;
  }
  const AVCodec* encoder = avcodec_find_encoder_by_name(codec_->encoder);
  if (encoder == nullptr) {
    return ::Fail(error, "cannot write " + path_ + ": this FFmpeg has no " + codec_->encoder);
  }
  if (!out_.Open(path_, error)) return false;
  const bool seekable = lseek(out_.fd(), 0, SEEK_CUR) >= 0;
  if (shape_.format == FilmFormat::kMp4 && !seekable) {
    return ::Fail(error, "cannot write " + path_ +
                             ": an .mp4 film is written to a file; .mkv, .webm and .y4m "
                             "also stream to pipes");
  }
  int code = avformat_alloc_output_context2(&muxer_, nullptr, codec_->muxer, nullptr);
  if (code < 0) return ::Fail(error, Failure(code));
  // The mp4 muxer reads the file back by this name to move its index to the front.
  av_freep(&muxer_->url);
  muxer_->url = av_strdup(("file:" + out_.writtenPath()).c_str());
  auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBuffer));
  muxer_->pb = avio_alloc_context(buffer, kIoBuffer, 1, this, nullptr, Write, Seek);
  muxer_->pb->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
  muxer_->flags |= AVFMT_FLAG_CUSTOM_IO;

  context_ = avcodec_alloc_context3(encoder);
  context_->width = shape_.width;
  context_->height = shape_.height;
  context_->pix_fmt = codec_->pixels;
  av_reduce(&context_->time_base.num, &context_->time_base.den, shape_.frameMs, 1000, INT_MAX);
  context_->framerate = av_inv_q(context_->time_base);
  context_->thread_count = 0;  // as many as the machine has
  const bool yuv = codec_->pixels != AV_PIX_FMT_BGR0;
  context_->color_range = yuv ? AVCOL_RANGE_MPEG : AVCOL_RANGE_JPEG;
  context_->colorspace = yuv ? AVCOL_SPC_BT709 : AVCOL_SPC_RGB;
  context_->color_primaries = AVCOL_PRI_BT709;
  context_->color_trc = AVCOL_TRC_IEC61966_2_1;  // the frames are sRGB, as the PNGs are
  if ((muxer_->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
    context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  }
  AVDictionary* options = nullptr;
  av_dict_parse_string(&options, codec_->options, "=", ":", 0);
  if (codec_->qualityOption != nullptr) {
    const long value = std::lround(codec_->worstQuality * (100 - shape_.quality) / 100.0);
    av_dict_set_int(&options, codec_->qualityOption, value, 0);
  }
  code = avcodec_open2(context_, encoder, &options);
  av_dict_free(&options);
  if (code < 0) return ::Fail(error, Failure(code));

  stream_ = avformat_new_stream(muxer_, nullptr);
  stream_->time_base = context_->time_base;
  stream_->avg_frame_rate = context_->framerate;
  stream_->r_frame_rate = context_->framerate;
  code = avcodec_parameters_from_context(stream_->codecpar, context_);
  if (code < 0) return ::Fail(error, Failure(code));
  if (shape_.format == FilmFormat::kMp4) av_dict_set(&muxerOptions_, "movflags", "+faststart", 0);

  scaler_ =
      sws_getContext(shape_.width, shape_.height, AV_PIX_FMT_RGB24, shape_.width, shape_.height,
                     codec_->pixels, SWS_AREA | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
  const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
  sws_setColorspaceDetails(scaler_, bt709, 1, bt709, yuv ? 0 : 1, 0, 1 << 16, 1 << 16);
  frame_ = av_frame_alloc();
  packet_ = av_packet_alloc();
  return true;
}

int FilmEncoder::Send(const AVFrame* picture) const {
  int code = avcodec_send_frame(context_, picture);
  while (code >= 0) {
    code = avcodec_receive_packet(context_, packet_);
    if (code < 0) break;
    av_packet_rescale_ts(packet_, context_->time_base, stream_->time_base);
    packet_->stream_index = stream_->index;
    code = av_interleaved_write_frame(muxer_, packet_);
  }
  return code == AVERROR(EAGAIN) || code == AVERROR_EOF ? 0 : code;
}

int FilmEncoder::Encode(const std::vector<uint8_t>& rgb) {
  if (!started_) {
    if (out_.regularInPlace() && ftruncate(out_.fd(), 0) != 0) return AVERROR(errno);
    const int code = avformat_write_header(muxer_, &muxerOptions_);
    if (code < 0) return code;
    started_ = true;
  }
  // A picture the encoder still holds (YUV4MPEG2's packets are the pictures) is left
  // to it: the next one gets a buffer of its own, not a copy of the old one's pixels.
  if (av_frame_is_writable(frame_) == 0) {
    av_frame_unref(frame_);
    frame_->width = shape_.width;
    frame_->height = shape_.height;
    frame_->format = codec_->pixels;
    const int code = av_frame_get_buffer(frame_, 0);
    if (code < 0) return code;
  }
  const uint8_t* const planes[1] = {rgb.data()};
  const int strides[1] = {shape_.width * 3};
  sws_scale(scaler_, planes, strides, 0, shape_.height, frame_->data, frame_->linesize);
  frame_->pts = next_++;
  return Send(frame_);
}

int FilmEncoder::End(bool dropped) {
  if (!started_) return 0;
  int code = 0;
  if (!dropped) code = Send(nullptr);
  if (code >= 0 && !dropped) code = av_write_trailer(muxer_);
  if (code < 0) return code;
  avio_flush(muxer_->pb);
  return muxer_->pb->error;
}

bool FilmEncoder::Commit(std::string* error) { return !started_ || out_.Commit(error); }

bool FilmEncoder::BrokenPipe() const { return writeErrno_ == EPIPE; }
