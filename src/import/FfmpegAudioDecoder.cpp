#include "import/FfmpegAudioDecoder.h"

#include "import/MpegWaveWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct ResamplerFreer {
    void operator()(SwrContext* p) const { swr_free(&p); }
};

// Progress is asked for every so many packets: often enough for a prompt Cancel, rarely
// enough to cost nothing.
constexpr int kPacketsPerProgress = 32;

// One decoding run: the demuxer, the decoder of the chosen stream, the resampler that
// turns its frames into interleaved 16-bit PCM, and the wave file being written.
class DecodeRun {
public:
    DecodeRun(const FfmpegAudioDecoder::Progress& progress) : m_progress(progress) {}

    FfmpegAudioDecoder::Result Run(const std::string& source, const std::string& target,
                                   std::string& error);

private:
    bool Open(const std::string& source, std::string& error);
    bool ReadPackets(bool& cancelled);
    bool SendAndDrain(const AVPacket* packet);
    bool ConvertFrame(const AVFrame* frame);
    bool SetUpResampler(const AVFrame* frame);
    bool WriteConverted(int frames);
    bool FlushResampler();
    int PercentRead() const;

    const FfmpegAudioDecoder::Progress& m_progress;
    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    std::unique_ptr<SwrContext, ResamplerFreer> m_resampler;
    std::unique_ptr<AVFrame, FrameFreer> m_frame{av_frame_alloc()};
    int m_stream = -1;
    int m_inRate = 0;
    int m_inFormat = -1;
    AVChannelLayout m_inLayout{};
    int m_outRate = 0;
    int m_outChannels = 0;
    std::vector<std::uint8_t> m_pcm;
    MpegWaveWriter m_writer;
    bool m_writeFailed = false;
    std::uint64_t m_framesWritten = 0;
};

std::string Describe(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

bool DecodeRun::Open(const std::string& source, std::string& error) {
    AVFormatContext* format = nullptr;
    int code = avformat_open_input(&format, source.c_str(), nullptr, nullptr);
    if (code < 0) {
        error = "cannot read " + source + ": " + Describe(code);
        return false;
    }
    m_format.reset(format);
    if ((code = avformat_find_stream_info(format, nullptr)) < 0) {
        error = "cannot read " + source + ": " + Describe(code);
        return false;
    }
    const AVCodec* decoder = nullptr;
    m_stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (m_stream < 0 || decoder == nullptr) {
        error = source + " has no audio stream Earlark can decode";
        return false;
    }
    m_codec.reset(avcodec_alloc_context3(decoder));
    if (!m_codec ||
        avcodec_parameters_to_context(m_codec.get(), format->streams[m_stream]->codecpar) < 0 ||
        avcodec_open2(m_codec.get(), decoder, nullptr) < 0) {
        error = "cannot open the audio decoder for " + source;
        return false;
    }
    // Everything but the chosen stream is dropped by the demuxer, not read and thrown away.
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (static_cast<int>(i) != m_stream) {
            format->streams[i]->discard = AVDISCARD_ALL;
        }
    }
    return true;
}

bool DecodeRun::SetUpResampler(const AVFrame* frame) {
    if (m_resampler && !FlushResampler()) {
        return false;
    }
    av_channel_layout_uninit(&m_inLayout);
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&m_inLayout, frame->ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&m_inLayout, &frame->ch_layout) < 0) {
        return false;
    }
    m_inRate = frame->sample_rate;
    m_inFormat = frame->format;
    if (m_outRate == 0) {
        // The first frame fixes the wave file's format; a stream that changes later is
        // resampled to it.
        m_outRate = std::min(m_inRate, FfmpegAudioDecoder::kMaxSampleRate);
        m_outChannels = m_inLayout.nb_channels == 1 ? 1 : 2;
    }
    AVChannelLayout outLayout{};
    av_channel_layout_default(&outLayout, m_outChannels);
    SwrContext* resampler = nullptr;
    // No dither option is set: wider samples are cut to 16 bits without dither.
    const int code =
        swr_alloc_set_opts2(&resampler, &outLayout, AV_SAMPLE_FMT_S16, m_outRate, &m_inLayout,
                            static_cast<AVSampleFormat>(m_inFormat), m_inRate, 0, nullptr);
    m_resampler.reset(resampler);
    return code >= 0 && swr_init(resampler) >= 0;
}

bool DecodeRun::WriteConverted(int frames) {
    if (frames <= 0) {
        return frames == 0;
    }
    const auto bytes = static_cast<std::uint32_t>(frames * m_outChannels * 2);
    if (!m_writer.AppendFrame(m_pcm.data(), bytes, m_outChannels, m_outRate)) {
        m_writeFailed = true;
        return false;
    }
    m_framesWritten += static_cast<std::uint64_t>(frames);
    return true;
}

bool DecodeRun::ConvertFrame(const AVFrame* frame) {
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0 || frame->ch_layout.nb_channels <= 0) {
        return true;
    }
    if (!m_resampler || frame->sample_rate != m_inRate || frame->format != m_inFormat ||
        av_channel_layout_compare(&frame->ch_layout, &m_inLayout) != 0) {
        if (!SetUpResampler(frame)) {
            return false;
        }
    }
    const int capacity = swr_get_out_samples(m_resampler.get(), frame->nb_samples);
    if (capacity < 0) {
        return false;
    }
    m_pcm.resize(static_cast<size_t>(capacity) * m_outChannels * 2);
    std::uint8_t* out = m_pcm.data();
    const int frames =
        swr_convert(m_resampler.get(), &out, capacity,
                    const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
    return WriteConverted(frames);
}

bool DecodeRun::FlushResampler() {
    for (;;) {
        const int capacity = std::max(swr_get_out_samples(m_resampler.get(), 0), 0);
        if (capacity == 0) {
            return true;
        }
        m_pcm.resize(static_cast<size_t>(capacity) * m_outChannels * 2);
        std::uint8_t* out = m_pcm.data();
        const int frames = swr_convert(m_resampler.get(), &out, capacity, nullptr, 0);
        if (frames <= 0) {
            return frames == 0;
        }
        if (!WriteConverted(frames)) {
            return false;
        }
    }
}

// A packet the decoder rejects is skipped, as a damaged frame is by the MPEG decoder; only
// a write failure ends the run.
bool DecodeRun::SendAndDrain(const AVPacket* packet) {
    if (avcodec_send_packet(m_codec.get(), packet) < 0 && packet != nullptr) {
        return true;
    }
    while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
        const bool ok = ConvertFrame(m_frame.get());
        av_frame_unref(m_frame.get());
        if (!ok && m_writeFailed) {
            return false;
        }
    }
    return true;
}

int DecodeRun::PercentRead() const {
    const std::int64_t size = m_format->pb != nullptr ? avio_size(m_format->pb) : -1;
    if (size <= 0) {
        return 0;
    }
    const std::int64_t at = avio_tell(m_format->pb);
    return static_cast<int>(std::clamp<std::int64_t>(at * 100 / size, 0, 100));
}

bool DecodeRun::ReadPackets(bool& cancelled) {
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    if (!packet) {
        return false;
    }
    // A read error ends the file like its end does: what decoded so far is kept.
    for (int count = 0; av_read_frame(m_format.get(), packet.get()) >= 0; ++count) {
        bool ok = packet->stream_index != m_stream || SendAndDrain(packet.get());
        av_packet_unref(packet.get());
        if (!ok || m_writer.Full()) {
            return ok;
        }
        if (count % kPacketsPerProgress == 0 && m_progress && !m_progress(PercentRead())) {
            cancelled = true;
            return true;
        }
    }
    return SendAndDrain(nullptr) && (!m_resampler || FlushResampler());
}

FfmpegAudioDecoder::Result DecodeRun::Run(const std::string& source, const std::string& target,
                                          std::string& error) {
    using Result = FfmpegAudioDecoder::Result;
    if (!m_frame || !Open(source, error)) {
        return Result::Failed;
    }
    if (!m_writer.Create(target)) {
        error = "cannot write " + target;
        return Result::Failed;
    }
    bool cancelled = false;
    const bool read = ReadPackets(cancelled);
    const bool finished = m_writer.Finish();
    av_channel_layout_uninit(&m_inLayout);
    if (cancelled) {
        return Result::Cancelled;
    }
    if (!finished || m_writeFailed) {
        error = "cannot write " + target;
        return Result::Failed;
    }
    if (!read) {
        error = "cannot decode " + source;
        return Result::Failed;
    }
    if (m_framesWritten == 0) {
        error = "no audio could be decoded from " + source;
        return Result::Failed;
    }
    return Result::Done;
}

} // namespace

FfmpegAudioDecoder::Result FfmpegAudioDecoder::Decode(const std::string& source,
                                                      const std::string& target,
                                                      const Progress& progress,
                                                      std::string* error) {
    // The libraries' own log would print several lines per damaged file; the caller
    // reports a failure in one.
    av_log_set_level(AV_LOG_QUIET);
    std::string reason;
    DecodeRun run(progress);
    const Result result = run.Run(source, target, reason);
    if (error != nullptr) {
        *error = reason;
    }
    return result;
}
