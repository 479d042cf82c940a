// What a plug-in format answers when the instrument calls its host: each format's adapter implements it, and
// the InstrumentDriver routes the instrument's host callbacks to it.
#pragma once

namespace host
{

class FormatHost
{
public:
    virtual ~FormatHost() = default;

    // The instrument changed a parameter by itself (its editor): the format's parameter-edit notice, with the
    // host value 0..1. Editor thread.
    virtual void parameterEdited(int index, float value) = 0;
    // The frames by which the output trails its events changed (while processing is suspended).
    virtual void latencyChanged(int frames) = 0;
    // The editor asks for another size; false when the host cannot give it. Editor thread.
    virtual bool resizeEditor(int width, int height) = 0;
};

} // namespace host
