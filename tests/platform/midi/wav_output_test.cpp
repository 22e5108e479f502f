// Device 0 rendering into a WAV file in real time: the file is a valid WAV
// once closed, holds what was played, at the moment it was played.
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "mmsystem.h"
#include "scoped_environment.h"
#include "tone_analysis.h"
#include "wav_file.h"

namespace
{

constexpr int RATE = 44100;
constexpr int BYTES_PER_FRAME = 4;
constexpr int HEADER_BYTES = 44;

using Clock = std::chrono::steady_clock;

double FramesInFile(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error || size < HEADER_BYTES ? 0.0 : double(size - HEADER_BYTES) / BYTES_PER_FRAME;
}

// Waits until the file holds at least frames of sound, at most ten seconds.
bool WaitForFrames(const std::string& path, double frames)
{
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    while (FramesInFile(path) < frames)
    {
        if (Clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST(WavOutputTest, RecordsTheNoteWhenItIsPlayed)
{
    ScopedEnvironment env;
    const std::string path = FreshTempPath("output.wav");
    env.Set("TABULOR_MIDI_WAV", path);

    HMIDIOUT handle = nullptr;
    const Clock::time_point opened = Clock::now();
    ASSERT_EQ(midiOutOpen(&handle, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ASSERT_TRUE(WaitForFrames(path, 0.3 * RATE));
    const double playedAt = FramesInFile(path);
    midiOutShortMsg(handle, 0x7F4590); // A4, 440 Hz
    ASSERT_TRUE(WaitForFrames(path, playedAt + 0.6 * RATE));
    midiOutClose(handle);
    const double secondsOpen = std::chrono::duration<double>(Clock::now() - opened).count();

    const WavFile wav = ReadWavFile(path);
    ASSERT_TRUE(wav.isRiffWave);
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.sampleRate, 44100u);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_EQ(wav.blockAlign, 4);
    EXPECT_EQ(wav.byteRate, 44100u * 4);
    EXPECT_EQ(wav.riffSize, wav.fileSize - 8);
    EXPECT_EQ(wav.dataSize, wav.fileSize - HEADER_BYTES);

    const std::vector<double> sound = ToMono(wav.samples);
    const double seconds = double(sound.size()) / RATE;
    // Rendered in real time: as long as the device was open, not faster.
    EXPECT_LE(seconds, secondsOpen + 0.05);
    EXPECT_GE(seconds, 0.8 * secondsOpen - 0.05);

    // The note starts within 100 ms of the moment it was played.
    const std::size_t block = RATE / 200;
    std::size_t onset = 0;
    while (onset + block <= sound.size() && MeanSquare(sound, onset, block) < 1e-6)
        onset += block;
    EXPECT_GE(onset + block, playedAt);
    EXPECT_LE(onset, playedAt + 0.1 * RATE);

    const std::size_t start = static_cast<std::size_t>(playedAt + 0.1 * RATE);
    const std::size_t count = static_cast<std::size_t>(0.3 * RATE);
    const double a4 = ToneEnergy(sound, start, count, 440.0, RATE);
    EXPECT_GT(a4, 100 * ToneEnergy(sound, start, count, KeyFrequency(70), RATE));
    EXPECT_GT(a4, 1000 * ToneEnergy(sound, 0, static_cast<std::size_t>(playedAt) - 2 * block, 440.0, RATE));
}

} // namespace
