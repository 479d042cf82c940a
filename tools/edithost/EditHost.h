#pragma once
// A plug-in instance as a Linux host holds it for its editor: the host callback (automation and the
// plug-in's MIDI output are recorded under a lock, for the main thread to print), the editor calls,
// and one rendered block at a time for the audio thread.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace edithost
{

struct HostEvent
{
    enum Kind
    {
        kAutomate,
        kMidi
    } kind;
    int index;   // parameter index, or the MIDI status
    float value; // parameter value
    int data1;
    int data2;
};

class EditHost
{
public:
    ~EditHost();
    // Loads the plug-in and creates one instance; false with the reason in error().
    bool load(const std::string& path, float sampleRate, int blockSize);
    const std::string& error() const { return lastError; }
    host::AEffect* effect() const { return aeffect; }

    bool getRect(int& width, int& height);
    bool openEditor(unsigned long windowId);
    void idleEditor();
    void closeEditor();
    bool editorOpen() const { return isOpen; }

    // Audio thread: the host's MIDI for the next block, then the block.
    void queueMidi(int status, int data1, int data2);
    void render(float* left, float* right, int frames);

    // Main thread: everything the plug-in reported since the last call.
    std::vector<HostEvent> takeEvents();
    // Ends the instance (the editor is closed first only when the caller did so).
    void close();

private:
    static host::VstIntPtr callback(host::AEffect* effect, host::VstInt32 opcode, host::VstInt32 index,
                                    host::VstIntPtr value, void* ptr, float opt);
    host::VstIntPtr dispatch(host::VstInt32 opcode, host::VstInt32 index = 0, host::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f);

    void* library = nullptr;
    host::AEffect* aeffect = nullptr;
    std::string lastError;
    bool isOpen = false;
    float rate = 44100.0f;
    std::mutex eventLock;
    std::vector<HostEvent> events;
    std::mutex midiLock;
    std::vector<host::VstMidiEvent> pendingMidi;
    std::vector<host::VstMidiEvent> blockMidi;
    std::vector<unsigned char> eventList;
};

} // namespace edithost
