// The synthesizer rendering into a WAV file in real time: the file is a
// valid WAV once finished, holds what was played, at the moment it was
// played, and keeps pace with the clock. How closely it keeps pace is
// measured in bench/midi; here a busy machine may make the file lag for a
// while, so the checks wait for it to catch up instead of comparing it with
// the clock at one moment. The SoundFont has loaded before the output
// starts: notes given during the load sound when it ends, not at once.
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "midi/fluid_synthesizer.h"
#include "midi/midi_settings.h"
#include "midi/wav_file_output.h"
#include "scoped_environment.h"
#include "tone_analysis.h"
#include "wav_file.h"

namespace
{

constexpr int RATE = 44100;
constexpr int BYTES_PER_FRAME = 4;
constexpr int HEADER_BYTES = 44;
constexpr double BLOCK = WavFileOutput::BLOCK_FRAMES;

using Clock = std::chrono::steady_clock;

double FramesInFile(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error || size < HEADER_BYTES ? 0.0 : double(size - HEADER_BYTES) / BYTES_PER_FRAME;
}

double FramesSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count() * RATE;
}

// Waits until the file holds at least minimum frames and has caught up with
// the clock counted from since, within the one block being rendered. A
// renderer slower than the clock never catches up; one that is only late
// for a while does. The limit is generous: a loaded machine only delays.
bool WaitUntilCaughtUp(const std::string& path, Clock::time_point since, double minimum)
{
    const auto giveUp = Clock::now() + std::chrono::seconds(60);
    for (;;)
    {
        // The clock first: the file read after it can only have grown.
        const double due = FramesSince(since);
        const double frames = FramesInFile(path);
        if (frames >= minimum && frames + BLOCK >= due)
            return true;
        if (Clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TEST(WavOutputTest, RecordsTheNoteWhenItIsPlayed)
{
    const std::string path = FreshTempPath("output.wav");
    FluidSynthesizer synthesizer(FindSoundFont(""));
    ASSERT_TRUE(synthesizer.WaitUntilLoaded());

    double framesBefore = 0;
    double framesAfter = 0;
    const Clock::time_point beforeOpen = Clock::now();
    {
        WavFileOutput output(synthesizer, path);
        const Clock::time_point opened = Clock::now();
        ASSERT_TRUE(WaitUntilCaughtUp(path, opened, 0.3 * RATE));
        // The note lands in the file between what was there before it was
        // sent and what was there once it was sent.
        framesBefore = FramesInFile(path);
        synthesizer.ShortMessage(0x7F4590);  // A4, 440 Hz
        framesAfter = FramesInFile(path);
        ASSERT_TRUE(WaitUntilCaughtUp(path, opened, framesAfter + 0.6 * RATE));
    }
    const double framesSinceBeforeOpen = FramesSince(beforeOpen);

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
    // Never ahead of the clock: each block is rendered when its moment has
    // come, counted from the making of the output.
    EXPECT_LE(double(sound.size()), framesSinceBeforeOpen + BLOCK);

    // The note starts in the block rendered after it arrived: at most the
    // block being rendered then and the next one after the frames there
    // were once it was sent, plus the attack of the SoundFont's tone.
    const std::size_t step = RATE / 1000;
    std::size_t onset = 0;
    while (onset + step <= sound.size() && MeanSquare(sound, onset, step) < 1e-6)
        onset += step;
    EXPECT_GE(double(onset + step), framesBefore);
    EXPECT_LE(double(onset), framesAfter + 2 * BLOCK + 0.01 * RATE);

    const std::size_t start = static_cast<std::size_t>(framesAfter + 0.1 * RATE);
    const std::size_t count = static_cast<std::size_t>(0.3 * RATE);
    const double a4 = ToneEnergy(sound, start, count, 440.0, RATE);
    EXPECT_GT(a4, 100 * ToneEnergy(sound, start, count, KeyFrequency(70), RATE));
    const std::size_t silenceEnd = static_cast<std::size_t>(framesBefore) - 2 * step;
    EXPECT_GT(a4, 1000 * ToneEnergy(sound, 0, silenceEnd, 440.0, RATE));
}

}  // namespace
