#include "instrument/SharedSettings.h"

#include <cstring>

namespace instrument
{

namespace
{
std::array<uint32_t, SharedSettings::kFields> wordsOf(const PianoSettings& settings)
{
    std::array<uint32_t, SharedSettings::kFields> words{};
    std::memcpy(words.data(), &settings, sizeof settings);
    return words;
}
} // namespace

SharedSettings::SharedSettings(const PianoSettings& initial)
{
    store(initial);
}

PianoSettings SharedSettings::load() const
{
    std::array<uint32_t, kFields> values{};
    for (int i = 0; i < kFields; ++i)
        values[static_cast<size_t>(i)] = words[static_cast<size_t>(i)].load(std::memory_order_relaxed);
    PianoSettings settings;
    std::memcpy(static_cast<void*>(&settings), values.data(), sizeof settings);
    return settings;
}

void SharedSettings::storeChanged(const PianoSettings& before, const PianoSettings& after)
{
    const auto old = wordsOf(before);
    const auto now = wordsOf(after);
    for (size_t i = 0; i < now.size(); ++i)
        if (old[i] != now[i])
            words[i].store(now[i], std::memory_order_relaxed);
}

void SharedSettings::store(const PianoSettings& settings)
{
    const auto now = wordsOf(settings);
    for (size_t i = 0; i < now.size(); ++i)
        words[i].store(now[i], std::memory_order_relaxed);
}

void SharedSettings::storeField(size_t offset, const PianoSettings& from)
{
    const auto now = wordsOf(from);
    const size_t index = offset / sizeof(uint32_t);
    if (index < now.size())
        words[index].store(now[index], std::memory_order_relaxed);
}

} // namespace instrument
