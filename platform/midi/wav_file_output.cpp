#include "wav_file_output.h"

#include <chrono>
#include <cstdint>
#include <vector>

#include "fluid_synthesizer.h"

WavFileOutput::WavFileOutput(FluidSynthesizer& synthesizer, const std::string& path)
    : m_synthesizer(synthesizer),
      m_writer(path, FluidSynthesizer::SAMPLE_RATE, FluidSynthesizer::CHANNELS),
      m_start(std::chrono::steady_clock::now()),
      m_renderThread(&WavFileOutput::RenderInRealTime, this)
{
}

WavFileOutput::~WavFileOutput()
{
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stop = true;
    }
    m_stopSignal.notify_one();
    m_renderThread.join();
    m_writer.Finish();
}

void WavFileOutput::RenderInRealTime()
{
    using Clock = std::chrono::steady_clock;
    std::vector<std::int16_t> block(BLOCK_FRAMES * FluidSynthesizer::CHANNELS);
    std::int64_t framesWritten = 0;
    std::unique_lock<std::mutex> lock(m_stopMutex);
    while (!m_stop)
    {
        lock.unlock();
        m_synthesizer.Render(block.data(), BLOCK_FRAMES);
        m_writer.Append(block.data(), block.size());
        framesWritten += BLOCK_FRAMES;
        lock.lock();
        // Each block is rendered when its moment comes, from the messages
        // received by then. Deadlines are counted from the start, not from
        // the last wake-up, so the file keeps pace with the clock; a late
        // wake-up only makes the next blocks follow at once.
        const auto due = m_start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                                       double(framesWritten) / FluidSynthesizer::SAMPLE_RATE));
        m_stopSignal.wait_until(lock, due, [this] { return m_stop; });
    }
}
