// Base of the plug-in's editor as the host sees it through the dispatcher.
#pragma once

#include "host/VstInterface.h"

namespace host
{

class AudioEffect;

class AEffEditor
{
public:
    explicit AEffEditor(AudioEffect* owner = nullptr) : effect(owner) {}
    virtual ~AEffEditor() = default;

    virtual bool getRect(host::ERect** rect)
    {
        *rect = nullptr;
        return false;
    }
    virtual bool open(void* ptr)
    {
        systemWindow = ptr;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(host::VstKeyCode& keyCode) { return false; }
    virtual bool onKeyUp(host::VstKeyCode& keyCode) { return false; }
    virtual bool setKnobMode(host::VstInt32 val) { return false; }

    AudioEffect* getEffect() { return effect; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};

} // namespace host
