#include "render/WavWriter.h"

#include <sndfile.h>

namespace render
{

WavWriter::~WavWriter()
{
    close();
}

bool WavWriter::open(const std::string& path, uint32_t sampleRate, SampleFormat format)
{
    close();
    error_.clear();
    path_ = path;
    SF_INFO info = {};
    info.samplerate = static_cast<int>(sampleRate);
    info.channels = 2;
    info.format = SF_FORMAT_WAV | (format == SampleFormat::Float32 ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_24);
    if (!sf_format_check(&info))
    {
        error_ = "cannot write a WAV file at " + std::to_string(sampleRate) + " Hz";
        return false;
    }
    file_ = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file_)
    {
        error_ = "cannot create '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
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
    interleaved.resize(size_t(frames) * 2);
    for (uint32_t i = 0; i < frames; ++i)
    {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    if (sf_writef_float(file_, interleaved.data(), frames) != sf_count_t(frames))
    {
        error_ = "cannot write to '" + path_ + "': " + sf_strerror(file_);
        return false;
    }
    return true;
}

bool WavWriter::close()
{
    if (!file_)
        return error_.empty();
    const int result = sf_close(file_);
    file_ = nullptr;
    if (result != 0 && error_.empty())
        error_ = "cannot finish '" + path_ + "': " + sf_error_number(result);
    return error_.empty();
}

} // namespace render
