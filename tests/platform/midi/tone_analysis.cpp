#include "tone_analysis.h"

#include <cmath>

std::vector<double> ToMono(const std::vector<std::int16_t>& stereo)
{
    std::vector<double> mono(stereo.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = (stereo[2 * i] + stereo[2 * i + 1]) / 65536.0;
    return mono;
}

double KeyFrequency(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

double ToneEnergy(const std::vector<double>& signal, std::size_t begin, std::size_t count, double frequency,
                  int sampleRate)
{
    // The window keeps a loud neighbouring partial from leaking into a
    // frequency that is not played.
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / sampleRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const double window = 0.5 - 0.5 * std::cos(2.0 * M_PI * i / (count - 1));
        const double current = signal[begin + i] * window + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power =
        previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    return power / (double(count) * count);
}

double MeanSquare(const std::vector<double>& signal, std::size_t begin, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
        sum += signal[begin + i] * signal[begin + i];
    return sum / count;
}
