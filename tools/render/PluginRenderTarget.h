#pragma once

#include "render/RenderTarget.h"

#include "plughost/PluginHost.h"

#include <vector>

namespace render
{

// Plays blocks through a loaded plug-in instance: effProcessEvents, then processReplacing.
class PluginRenderTarget : public RenderTarget
{
public:
    explicit PluginRenderTarget(plughost::PluginInstance& plugin) : instance(plugin) {}

    void sendEvents(const ScheduledMessage* messages, size_t count) override;
    void process(float* left, float* right, uint32_t frames) override;

private:
    plughost::PluginInstance& instance;
    std::vector<plughost::PluginInstance::Midi> midi;
};

} // namespace render
