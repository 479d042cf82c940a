#pragma once

#include "render/RenderTarget.h"

#include "plughost/PluginHost.h"

#include <vector>

namespace virellando
{

// Plays blocks through a loaded plug-in instance: effProcessEvents, then processReplacing.
class PluginRenderTarget : public RenderTarget
{
public:
    explicit PluginRenderTarget(PluginInstance& instance) : instance_(instance) {}

    void sendEvents(const ScheduledMessage* messages, size_t count) override;
    void process(float* left, float* right, uint32_t frames) override;

private:
    PluginInstance& instance_;
    std::vector<PluginInstance::Midi> midi_;
};

} // namespace virellando
