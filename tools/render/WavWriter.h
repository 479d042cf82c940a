#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace render
{

enum class SampleFormat
{
    Float32,
    Pcm24,
};

// Writes a stereo WAV file block by block. 24-bit output clips samples beyond full scale instead of wrapping
// them round. Errors leave the writer failed with a message; close() reports whether everything was written.
class WavWriter
{
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool open(const std::string& path, uint32_t sampleRate, SampleFormat format);
    // Writes frames samples of each channel.
    bool write(const float* left, const float* right, uint32_t frames);
    bool close();

    const std::string& error() const { return error_; }

private:
    SNDFILE* file_ = nullptr;
    std::string path_;
    std::string error_;
    std::vector<float> interleaved;
};

} // namespace render
