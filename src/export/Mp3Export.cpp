#include "export/Mp3Export.h"

#include "audio/CWaveEngine.h"
#include "export/ExportMessages.h"
#include "export/ExportProgress.h"
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3ExportRenderer.h"
#include "export/Mp3ExportSize.h"
#include "platform/Prompts.h"

#include <cstdio>

using Outcome = Mp3ExportRenderer::Outcome;

Mp3Export::Mp3Export(CWaveEngine& engine, Mp3EncoderDriver& encoder, Prompts& prompts,
                     ExportProgress& progress)
    : m_engine(engine), m_encoder(encoder), m_prompts(prompts), m_progress(progress) {}

bool Mp3Export::ExportToFile(const std::vector<PlayItem>& items, const std::string& path,
                             int bitRate) {
    m_sourceBytes = m_pcmBytes = 0;
    if (!Prepare(mp3size::RenderedBytes(items), path, bitRate)) {
        return false;
    }
    if (!OpenStream(path, bitRate)) {
        m_prompts.ShowMessage(exportmsg::kCannotCreate, PromptIcon::Information);
        return false;
    }
    m_progress.Show(exportmsg::kProgressing, 0, static_cast<std::int64_t>(items.size()) - 1);
    Mp3ExportRenderer renderer(m_engine, m_encoder, m_progress);
    Outcome outcome = Outcome::Done;
    for (std::size_t i = 0; i < items.size() && outcome == Outcome::Done; ++i) {
        m_progress.SetPosition(static_cast<std::int64_t>(i) + 1);
        outcome = renderer.RenderItem(items[i]);
    }
    Count(renderer.SourceBytes(), renderer.EncodedPcmBytes());
    const bool closed = m_encoder.CloseEncoderStream() == 0;
    return Finish(outcome == Outcome::Done && closed, path);
}

bool Mp3Export::ExportEachToFile(const std::vector<PlayItem>& items,
                                 const std::vector<std::string>& files,
                                 const std::string& checkedPath, int bitRate) {
    m_sourceBytes = m_pcmBytes = 0;
    if (files.size() != items.size() ||
        !Prepare(mp3size::RenderedBytes(items), checkedPath, bitRate)) {
        return false;
    }
    m_progress.Show(exportmsg::kProgressing, 0, static_cast<std::int64_t>(items.size()) - 1);
    for (std::size_t i = 0; i < items.size(); ++i) {
        m_progress.SetPosition(static_cast<std::int64_t>(i) + 1);
        if (!OpenStream(files[i], bitRate)) {
            m_progress.Close();
            m_prompts.ShowMessage(exportmsg::kCannotCreate, PromptIcon::Information);
            return false;
        }
        Mp3ExportRenderer renderer(m_engine, m_encoder, m_progress);
        const Outcome outcome = renderer.RenderItem(items[i]);
        Count(renderer.SourceBytes(), renderer.EncodedPcmBytes());
        const bool closed = m_encoder.CloseEncoderStream() == 0;
        if (outcome != Outcome::Done || !closed) {
            return Finish(false, files[i]);
        }
    }
    return Finish(true, {});
}

bool Mp3Export::ExportRange(std::uint32_t start, std::uint32_t end, const std::string& path,
                            int bitRate) {
    m_sourceBytes = m_pcmBytes = 0;
    const std::uint64_t length = end > start ? end - start : 0;
    if (!Prepare(length, path, bitRate)) {
        return false;
    }
    m_progress.Show(exportmsg::kProgressing, 0, static_cast<std::int64_t>(length));
    if (!OpenStream(path, bitRate)) {
        m_progress.Close();
        m_prompts.ShowMessage(exportmsg::kCannotCreate, PromptIcon::Information);
        return false;
    }
    Mp3ExportRenderer renderer(m_engine, m_encoder, m_progress);
    const Outcome outcome = renderer.RenderRange(start, end);
    Count(renderer.SourceBytes(), renderer.EncodedPcmBytes());
    const bool closed = m_encoder.CloseEncoderStream() == 0;
    return Finish(outcome == Outcome::Done && closed, path);
}

// The size check on the folder of path, then the encoder library.
bool Mp3Export::Prepare(std::uint64_t waveBytes, const std::string& path, int bitRate) {
    const std::uint64_t estimate = mp3size::EncodedBytes(waveBytes, bitRate, m_engine.Format());
    if (!mp3size::HasSpaceFor(path, mp3size::RequiredBytes(estimate))) {
        m_prompts.ShowMessage(exportmsg::kNoSpace, PromptIcon::Warning);
        return false;
    }
    if (!m_encoder.WriteEncoderLibrary()) {
        m_prompts.ShowMessage(exportmsg::kCannotStart, PromptIcon::Information);
        return false;
    }
    return true;
}

bool Mp3Export::OpenStream(const std::string& path, int bitRate) {
    m_encoder.SetOutputPath(path);
    return m_encoder.OpenEncoderStream(bitRate, m_engine.Format()) == 0;
}

// Ends the export after its stream is closed; a failed one takes the file it was writing
// with it. A file whose last frames could not be written counts as failed.
bool Mp3Export::Finish(bool succeeded, const std::string& path) {
    m_progress.Close();
    if (succeeded) {
        m_prompts.ShowMessage(exportmsg::kCompleted, PromptIcon::Information);
        return true;
    }
    m_prompts.ShowMessage(exportmsg::kFailed, PromptIcon::Warning);
    std::remove(path.c_str());
    return false;
}

void Mp3Export::Count(std::uint64_t sourceBytes, std::uint64_t pcmBytes) {
    m_sourceBytes += sourceBytes;
    m_pcmBytes += pcmBytes;
}
