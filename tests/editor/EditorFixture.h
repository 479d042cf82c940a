#pragma once
// An instrument without a host around it, its editor on a headless window with the generated test skin,
// and a host callback that records automation and the MIDI the instrument echoes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/PianoEditor.h"
#include "platform/native/HeadlessNativeWindow.h"

namespace editortest
{

struct Automation
{
    int index;
    float value;
    bool operator==(const Automation& o) const { return index == o.index && value == o.value; }
};

// MIDI bytes as the instrument echoes them: status, data 1, data 2.
struct Midi
{
    int status;
    int data1;
    int data2;
    bool operator==(const Midi& o) const
    {
        return status == o.status && data1 == o.data1 && data2 == o.data2;
    }
};

// The generated skin, written once per test program.
const std::string& TestSkinFile();

class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    // Opens the editor on a fresh headless window and paints it once.
    void OpenEditor();
    // One refresh period: events, the tick and the paint.
    void Tick();
    // The left button at a window point; a click moves the pointer there first.
    void Click(platform::Point p);
    void Press(platform::Point p);
    void Drag(platform::Point p);
    void Release(platform::Point p);
    // A point of the window in the middle of an on-screen key.
    static platform::Point KeyPoint(int keyIndex);
    // Centre of a control in window coordinates.
    static platform::Point CentreOf(const gui::TWGuiObject* object);
    // Runs the audio thread once with MIDI from the host: drains the editor's queue and returns the MIDI
    // echoed to the host.
    std::vector<Midi> RunBlock(const std::vector<Midi>& hostEvents = {});
    // Chooses the item at index (0 first) in the next menu shown.
    static void ChooseMenuItem(int index);

    // Declared in this order, the editor goes before its instrument.
    std::unique_ptr<instrument::VstXSynth> synth;
    std::unique_ptr<editor::PianoEditor> pianoEditor;
    platform::HeadlessNativeWindow* headless = nullptr;
    static std::vector<Automation> automation;
    static std::vector<Midi> echoed;

private:
    static host::VstIntPtr HostCallback(host::AEffect*, host::VstInt32 opcode, host::VstInt32 index,
                                        host::VstIntPtr value, void* ptr, float opt);
};

} // namespace editortest
