// Measures rendered sound: the energy of one frequency (Goertzel over a
// Hann window) and of the whole signal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One channel: the mean of left and right, scaled to -1..1.
std::vector<double> ToMono(const std::vector<std::int16_t>& stereo);

// Equal-tempered frequency of a MIDI key (69 = A4 = 440 Hz).
double KeyFrequency(int key);

// Energy at frequency in samples [begin, begin + count) of signal.
double ToneEnergy(const std::vector<double>& signal, std::size_t begin, std::size_t count, double frequency,
                  int sampleRate);

// Mean square of samples [begin, begin + count).
double MeanSquare(const std::vector<double>& signal, std::size_t begin, std::size_t count);
