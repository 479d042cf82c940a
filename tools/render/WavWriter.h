#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace render
{

enum class SampleFormat
{
    Float32,
    Pcm24,
};

// Writes a stereo WAV file block by block, with the same bytes on every system. 24-bit output clips samples
// beyond full scale instead of wrapping them round. Errors leave the writer failed with a message; close()
// reports whether everything was written.
class WavWriter
{
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool open(const std::string& filePath, uint32_t rateHz, SampleFormat sampleFormat);
    // Writes frames samples of each channel.
    bool write(const float* left, const float* right, uint32_t count);
    bool close();

    const std::string& error() const { return errorText; }

private:
    bool writeHeader();

    std::FILE* file = nullptr;
    std::string path;
    std::string errorText;
    uint32_t sampleRate = 0;
    SampleFormat format = SampleFormat::Float32;
    uint64_t frames = 0;
    std::vector<unsigned char> bytes;
};

} // namespace render
