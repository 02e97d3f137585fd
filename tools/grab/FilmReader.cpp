#include "grab/FilmReader.h"

#include "grab/GrabTime.h"

#include <QDir>
#include <QFile>

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace FilmReader {

namespace {
struct CloseFormat {
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct FreeCodec {
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct FreeFrame {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct FreePacket {
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FreeScaler {
    void operator()(SwsContext *scaler) const { sws_freeContext(scaler); }
};
using FramePtr = std::unique_ptr<AVFrame, FreeFrame>;

// A broken packet here and there is decoded past, as players do; this many means the film is
// damaged beyond use.
constexpr int MaxDecodeErrors = 64;

Frame failed(const QString &problem)
{
    Frame frame;
    frame.problem = problem;
    return frame;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The decoded frame as RGB, in the colours its film declares (limited or full range, BT.601 or
// BT.709; films that say nothing are taken as BT.709 from 720 lines up, as players do).
QImage toRgb(const AVFrame *frame)
{
    std::unique_ptr<SwsContext, FreeScaler> scaler(sws_getContext(
        frame->width, frame->height, AVPixelFormat(frame->format), frame->width, frame->height,
        AV_PIX_FMT_RGB24, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr));
    if (!scaler)
        return QImage();
    const int space = frame->colorspace != AVCOL_SPC_UNSPECIFIED ? frame->colorspace
                      : frame->height >= 720                     ? SWS_CS_ITU709
                                                                 : SWS_CS_DEFAULT;
    const AVPixelFormat format = AVPixelFormat(frame->format);
    const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG || format == AV_PIX_FMT_YUVJ420P
                           || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P;
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(space), fullRange,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    QImage image(frame->width, frame->height, QImage::Format_RGB888);
    if (image.isNull())
        return QImage();
    uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides)
        != frame->height)
        return QImage();
    return image;
}
} // namespace

Frame frameAt(const QString &path, qint64 time)
{
    av_log_set_level(AV_LOG_QUIET); // what went wrong is told in our own words
    const QString film = shown(path);
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return failed(
            QStringLiteral("%1 non è un film che FFmpeg sappia leggere (formato sconosciuto, o file "
                           "troncato o danneggiato)")
                .arg(film));
    const std::unique_ptr<AVFormatContext, CloseFormat> format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return failed(QStringLiteral("%1 è danneggiato: FFmpeg non ne legge le tracce").arg(film));

    const AVCodec *decoder = nullptr;
    const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (index == AVERROR_DECODER_NOT_FOUND)
        return failed(QStringLiteral("%1: FFmpeg non sa decodificare il suo video").arg(film));
    if (index < 0 || (format->streams[index]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        return failed(QStringLiteral("%1 non contiene video").arg(film));
    AVStream *stream = format->streams[index];
    const AVCodecParameters *parameters = stream->codecpar;
    if (parameters->width > MaxSide || parameters->height > MaxSide)
        return failed(QStringLiteral("%1: fotogrammi di %2 × %3, oltre il massimo di %4 × %4")
                          .arg(film)
                          .arg(parameters->width)
                          .arg(parameters->height)
                          .arg(MaxSide));

    // The film's length as its container declares it; the data may still end earlier.
    qint64 length = -1;
    if (format->duration > 0)
        length = format->duration;
    else if (stream->duration > 0)
        length = av_rescale_q(stream->duration, stream->time_base, AV_TIME_BASE_Q);
    if (length > 0 && time >= length)
        return failed(QStringLiteral("%1 dura %2: %3 è oltre la fine")
                          .arg(film, GrabTime::format(length), GrabTime::format(time)));

    const std::unique_ptr<AVCodecContext, FreeCodec> codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), parameters) < 0)
        return failed(QStringLiteral("%1: FFmpeg non sa decodificare il suo video").arg(film));
    codec->thread_count = 0; // as many as the machine has
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return failed(QStringLiteral("%1: FFmpeg non sa decodificare il suo video").arg(film));

    // Times are counted from the film's first frame, whatever number its container starts at.
    qint64 start = 0;
    if (stream->start_time != AV_NOPTS_VALUE)
        start = stream->start_time;
    else if (format->start_time != AV_NOPTS_VALUE)
        start = av_rescale_q(format->start_time, AV_TIME_BASE_Q, stream->time_base);
    // The frame that covers the time is the last one starting at or before it: round down.
    const qint64 target = start + av_rescale_q_rnd(time, AV_TIME_BASE_Q, stream->time_base, AV_ROUND_DOWN);
    const qint64 frameTicks = stream->avg_frame_rate.num > 0
                                  ? av_rescale_q(1, av_inv_q(stream->avg_frame_rate), stream->time_base)
                                  : 0;

    const std::unique_ptr<AVPacket, FreePacket> packet(av_packet_alloc());
    FramePtr decoded(av_frame_alloc());
    FramePtr shownFrame(av_frame_alloc());
    if (!packet || !decoded || !shownFrame)
        return failed(QStringLiteral("memoria esaurita"));

    // Seek to the key frame at or before the target and decode forward. Containers that seek
    // by decoding time land a few frames late when frames are reordered (B-frames): aim a little
    // earlier. Should the index still land after the target, seek again from further back, and
    // at last from the film's very beginning.
    const qint64 reorderMargin = !(format->iformat->flags & AVFMT_SEEK_TO_PTS) && parameters->video_delay > 0
                                     ? av_rescale_q(AV_TIME_BASE / 4, AV_TIME_BASE_Q, stream->time_base)
                                     : 0;
    const qint64 stepBack = av_rescale_q(10 * AV_TIME_BASE, AV_TIME_BASE_Q, stream->time_base);
    int errors = 0;
    bool haveFrame = false; // shownFrame holds a frame at or before the target
    qint64 shownEnd = 0;    // where that frame's presentation ends
    bool fromBeginning = false;
    for (qint64 seekTo = std::max(start, target - reorderMargin);;) {
        const bool sought = fromBeginning
                                ? av_seek_frame(format.get(), -1, 0, AVSEEK_FLAG_BYTE) >= 0
                                      || av_seek_frame(format.get(), index, start, AVSEEK_FLAG_BACKWARD) >= 0
                                : av_seek_frame(format.get(), index, seekTo, AVSEEK_FLAG_BACKWARD) >= 0;
        if (!sought && fromBeginning)
            return failed(
                QStringLiteral("%1 è danneggiato: non ci si può spostare al punto voluto").arg(film));
        if (!sought) {
            fromBeginning = true;
            continue;
        }
        avcodec_flush_buffers(codec.get());
        haveFrame = false;
        enum class Decoding { Running, Passed, LandedLate, Ended } state = Decoding::Running;
        bool flushed = false;
        while (state == Decoding::Running) {
            if (!flushed) {
                int sent = 0;
                const int read = av_read_frame(format.get(), packet.get());
                if (read < 0) {
                    flushed = true; // the end, or data that stops: what the decoder holds comes out
                    sent = avcodec_send_packet(codec.get(), nullptr);
                } else if (packet->stream_index == index) {
                    sent = avcodec_send_packet(codec.get(), packet.get());
                }
                av_packet_unref(packet.get());
                if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_EOF && ++errors > MaxDecodeErrors)
                    return failed(QStringLiteral("%1 è danneggiato: troppi errori di decodifica").arg(film));
            }
            int received = 0;
            while (state == Decoding::Running
                   && (received = avcodec_receive_frame(codec.get(), decoded.get())) >= 0) {
                // A frame without a time follows the one before it; the first after a seek cannot
                // be placed, unless the film is read from its beginning.
                qint64 pts = decoded->best_effort_timestamp;
                if (pts == AV_NOPTS_VALUE)
                    pts = haveFrame ? shownEnd : fromBeginning ? start : AV_NOPTS_VALUE;
                if (pts == AV_NOPTS_VALUE) {
                    // skipped
                } else if (pts > target && !haveFrame && !fromBeginning) {
                    state = Decoding::LandedLate;
                } else if (pts > target && haveFrame) {
                    state = Decoding::Passed;
                } else {
                    // At or before the target; or the film's first frame, when the target lies
                    // before it.
                    const qint64 duration = decoded->pkt_duration > 0 ? decoded->pkt_duration : frameTicks;
                    av_frame_unref(shownFrame.get());
                    av_frame_move_ref(shownFrame.get(), decoded.get());
                    haveFrame = true;
                    shownEnd = pts + duration;
                    if (pts > target)
                        state = Decoding::Passed;
                }
                av_frame_unref(decoded.get());
            }
            if (state == Decoding::Running
                && (received == AVERROR_EOF || (flushed && received == AVERROR(EAGAIN))))
                state = !haveFrame && !fromBeginning ? Decoding::LandedLate : Decoding::Ended;
            else if (received < 0 && received != AVERROR(EAGAIN) && ++errors > MaxDecodeErrors)
                return failed(QStringLiteral("%1 è danneggiato: troppi errori di decodifica").arg(film));
        }
        if (state == Decoding::LandedLate) {
            fromBeginning = seekTo <= start;
            seekTo = std::max(start, seekTo - stepBack);
            continue;
        }
        if (state == Decoding::Ended && (!haveFrame || target >= shownEnd)) {
            const qint64 end
                = haveFrame ? av_rescale_q(shownEnd - start, stream->time_base, AV_TIME_BASE_Q) : 0;
            if (length > 0 && end < length)
                return failed(
                    QStringLiteral("%1 finisce a %2 invece che a %3: il file è troncato o danneggiato")
                        .arg(film, GrabTime::format(end), GrabTime::format(length)));
            return failed(QStringLiteral("%1 dura %2: %3 è oltre la fine")
                              .arg(film, GrabTime::format(end), GrabTime::format(time)));
        }
        break;
    }

    if (shownFrame->width > MaxSide || shownFrame->height > MaxSide)
        return failed(QStringLiteral("%1: fotogrammi di %2 × %3, oltre il massimo di %4 × %4")
                          .arg(film)
                          .arg(shownFrame->width)
                          .arg(shownFrame->height)
                          .arg(MaxSide));
    Frame frame;
    frame.image = toRgb(shownFrame.get());
    if (frame.image.isNull())
        return failed(QStringLiteral("%1: il fotogramma non si può convertire in colori RGB").arg(film));
    const AVRational aspect = av_guess_sample_aspect_ratio(format.get(), stream, shownFrame.get());
    if (aspect.num > 0 && aspect.den > 0)
        frame.sampleAspect = av_q2d(aspect);
    return frame;
}

} // namespace FilmReader
