// The synthesizer rendering into a WAV file instead of a sound device, for
// machines without one. A thread of its own renders in real time, so that
// what is played at a moment lands at that moment of the file (counted from
// the open).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "audio_output.h"
#include "wav_file_writer.h"

class WavFileOutput : public AudioOutput
{
public:
    // Frames rendered at a time: how late after its moment a message may
    // sound in the file (2.9 ms).
    static constexpr int BLOCK_FRAMES = 128;

    // Creates the file and starts rendering; throws MidiOpenError.
    WavFileOutput(FluidSynthesizer& synthesizer, const std::string& path);
    // Stops rendering and finishes the file.
    ~WavFileOutput() override;
    WavFileOutput(const WavFileOutput&) = delete;
    WavFileOutput& operator=(const WavFileOutput&) = delete;

private:
    void RenderInRealTime();

    FluidSynthesizer& m_synthesizer;
    WavFileWriter m_writer;
    std::mutex m_stopMutex;
    std::condition_variable m_stopSignal;
    bool m_stop = false;
    // The file's first frame: the open, not the moment the thread first
    // runs, which a busy machine delays.
    const std::chrono::steady_clock::time_point m_start;
    std::thread m_renderThread;
};
