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
    const bool isFloat = format == SampleFormat::Float32;
    const uint32_t sampleBytes = bytesPerSample(format);
    const uint32_t dataBytes = static_cast<uint32_t>(frames * kChannels * sampleBytes);
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
    put32(header, sampleRate);
    put32(header, sampleRate * kChannels * sampleBytes);
    put16(header, static_cast<uint16_t>(kChannels * sampleBytes));
    put16(header, static_cast<uint16_t>(8 * sampleBytes));
    if (isFloat)
    {
        put16(header, 0);
        putTag(header, "fact");
        put32(header, 4);
        put32(header, static_cast<uint32_t>(frames));
    }
    putTag(header, "data");
    put32(header, dataBytes);
    return std::fseek(file, 0, SEEK_SET) == 0 &&
           std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
           std::fseek(file, 0, SEEK_END) == 0;
}

bool WavWriter::open(const std::string& filePath, uint32_t rateHz, SampleFormat sampleFormat)
{
    close();
    errorText.clear();
    path = filePath;
    if (rateHz == 0 || rateHz > 0x7FFFFFFFu / (kChannels * 4))
    {
        errorText = "cannot write a WAV file at " + std::to_string(rateHz) + " Hz";
        return false;
    }
    file = std::fopen(filePath.c_str(), "wb");
    if (!file)
    {
        errorText = "cannot create '" + filePath + "': " + std::strerror(errno);
        return false;
    }
    sampleRate = rateHz;
    format = sampleFormat;
    frames = 0;
    if (!writeHeader())
    {
        errorText = "cannot write to '" + filePath + "'";
        return false;
    }
    return true;
}

bool WavWriter::write(const float* left, const float* right, uint32_t count)
{
    if (!file)
    {
        if (errorText.empty())
            errorText = "no WAV file is open";
        return false;
    }
    const uint64_t frameBytes = kChannels * bytesPerSample(format);
    if ((frames + count) * frameBytes > kMaxDataBytes)
    {
        errorText = "cannot write to '" + path + "': the file would exceed 4 GB";
        return false;
    }
    bytes.clear();
    for (uint32_t i = 0; i < count; ++i)
    {
        putSample(bytes, left[i], format);
        putSample(bytes, right[i], format);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
    {
        errorText = "cannot write to '" + path + "': " + std::strerror(errno);
        return false;
    }
    frames += count;
    return true;
}

bool WavWriter::close()
{
    if (!file)
        return errorText.empty();
    // The sizes in the header are known only now.
    if (!writeHeader() && errorText.empty())
        errorText = "cannot finish '" + path + "'";
    if (std::fclose(file) != 0 && errorText.empty())
        errorText = "cannot finish '" + path + "': " + std::strerror(errno);
    file = nullptr;
    return errorText.empty();
}

} // namespace render
