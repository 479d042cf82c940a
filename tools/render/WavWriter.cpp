#include "render/WavWriter.h"

#include <cerrno>
#include <cmath>
#include <cstring>

namespace render
{
namespace
{

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kChannels = 2;
// RIFF sizes are 32-bit: the data chunk stops growing before it would overflow them.
constexpr uint64_t kMaxDataBytes = 0xFFFFFF00u;

void put16(std::vector<unsigned char>& out, uint16_t value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(std::vector<unsigned char>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void putTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

uint32_t bytesPerSample(SampleFormat format)
{
    return format == SampleFormat::Float32 ? 4 : 3;
}

void putSample(std::vector<unsigned char>& out, float sample, SampleFormat format)
{
    if (format == SampleFormat::Float32)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &sample, sizeof bits);
        put32(out, bits);
        return;
    }
    // Full scale is 2^23; overs clip to the largest code of their sign, NaN writes silence.
    const double scaled = std::isnan(sample) ? 0.0 : std::nearbyint(double(sample) * 8388608.0);
    const double clipped = scaled > 8388607.0 ? 8388607.0 : (scaled < -8388608.0 ? -8388608.0 : scaled);
    const uint32_t code = static_cast<uint32_t>(static_cast<int32_t>(clipped));
    out.push_back(static_cast<unsigned char>(code));
    out.push_back(static_cast<unsigned char>(code >> 8));
    out.push_back(static_cast<unsigned char>(code >> 16));
}

} // namespace

WavWriter::~WavWriter()
{
    close();
}

bool WavWriter::writeHeader()
{
    const bool isFloat = format_ == SampleFormat::Float32;
    const uint32_t sampleBytes = bytesPerSample(format_);
    const uint32_t dataBytes = static_cast<uint32_t>(frames_ * kChannels * sampleBytes);
    // Float files carry the extended format record and the frame count that readers expect of them.
    const uint32_t formatBytes = isFloat ? 18 : 16;
    const uint32_t factBytes = isFloat ? 12 : 0;
    std::vector<unsigned char> header;
    putTag(header, "RIFF");
    put32(header, 4 + (8 + formatBytes) + factBytes + (8 + dataBytes));
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    put32(header, formatBytes);
    put16(header, isFloat ? kFormatFloat : kFormatPcm);
    put16(header, kChannels);
    put32(header, sampleRate_);
    put32(header, sampleRate_ * kChannels * sampleBytes);
    put16(header, static_cast<uint16_t>(kChannels * sampleBytes));
    put16(header, static_cast<uint16_t>(8 * sampleBytes));
    if (isFloat)
    {
        put16(header, 0);
        putTag(header, "fact");
        put32(header, 4);
        put32(header, static_cast<uint32_t>(frames_));
    }
    putTag(header, "data");
    put32(header, dataBytes);
    return std::fseek(file_, 0, SEEK_SET) == 0 &&
           std::fwrite(header.data(), 1, header.size(), file_) == header.size() &&
           std::fseek(file_, 0, SEEK_END) == 0;
}

bool WavWriter::open(const std::string& path, uint32_t sampleRate, SampleFormat format)
{
    close();
    error_.clear();
    path_ = path;
    if (sampleRate == 0 || sampleRate > 0x7FFFFFFFu / (kChannels * 4))
    {
        error_ = "cannot write a WAV file at " + std::to_string(sampleRate) + " Hz";
        return false;
    }
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
    {
        error_ = "cannot create '" + path + "': " + std::strerror(errno);
        return false;
    }
    sampleRate_ = sampleRate;
    format_ = format;
    frames_ = 0;
    if (!writeHeader())
    {
        error_ = "cannot write to '" + path + "'";
        return false;
    }
    return true;
}

bool WavWriter::write(const float* left, const float* right, uint32_t frames)
{
    if (!file_)
    {
        if (error_.empty())
            error_ = "no WAV file is open";
        return false;
    }
    const uint64_t frameBytes = kChannels * bytesPerSample(format_);
    if ((frames_ + frames) * frameBytes > kMaxDataBytes)
    {
        error_ = "cannot write to '" + path_ + "': the file would exceed 4 GB";
        return false;
    }
    bytes_.clear();
    for (uint32_t i = 0; i < frames; ++i)
    {
        putSample(bytes_, left[i], format_);
        putSample(bytes_, right[i], format_);
    }
    if (std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size())
    {
        error_ = "cannot write to '" + path_ + "': " + std::strerror(errno);
        return false;
    }
    frames_ += frames;
    return true;
}

bool WavWriter::close()
{
    if (!file_)
        return error_.empty();
    // The sizes in the header are known only now.
    if (!writeHeader() && error_.empty())
        error_ = "cannot finish '" + path_ + "'";
    if (std::fclose(file_) != 0 && error_.empty())
        error_ = "cannot finish '" + path_ + "': " + std::strerror(errno);
    file_ = nullptr;
    return error_.empty();
}

} // namespace render
