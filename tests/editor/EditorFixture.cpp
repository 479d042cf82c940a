#include "editor/EditorFixture.h"

#include <unistd.h>

#include "platform/native/HeadlessNativePopup.h"
#include "platform/native/NativeKeys.h"
#include "resources/StringTable.h"
#include "testskin/TestSkin.h"

using namespace gui;
using namespace host;
using namespace images;
using namespace instrument;
using namespace platform;

namespace editortest
{

std::vector<Automation> EditorFixture::automation;
std::vector<Midi> EditorFixture::echoed;

const std::string& TestSkinFile()
{
    static const std::string file = []
    {
        const std::string path = ::testing::TempDir() + "editor-skin-" + std::to_string(getpid()) + ".SKIN";
        EXPECT_TRUE(testskin::Write(path));
        return path;
    }();
    return file;
}

host::VstIntPtr EditorFixture::HostCallback(host::AEffect*, host::VstInt32 opcode, host::VstInt32 index,
                                            host::VstIntPtr, void* ptr, float opt)
{
    if (opcode == host::audioMasterVersion)
        return 2400;
    if (opcode == host::audioMasterAutomate)
        automation.push_back({index, opt});
    const auto* list = static_cast<const host::VstEvents*>(ptr);
    for (int i = 0; opcode == host::audioMasterProcessEvents && list && i < list->numEvents; ++i)
    {
        const auto* midi = reinterpret_cast<const host::VstMidiEvent*>(list->events[i]);
        echoed.push_back({static_cast<uint8_t>(midi->midiData[0]), static_cast<uint8_t>(midi->midiData[1]),
                          static_cast<uint8_t>(midi->midiData[2])});
    }
    return opcode == host::audioMasterAutomate || opcode == host::audioMasterProcessEvents ? 1 : 0;
}

void EditorFixture::SetUp()
{
    automation.clear();
    echoed.clear();
    synth = std::make_unique<VstXSynth>(&EditorFixture::HostCallback);
    resources::StringTableSetFile(VIRELLANDO_STRING_TABLE);
    pianoEditor =
        std::make_unique<editor::PianoEditor>(synth.get(),
                                              [this]
                                              {
                                                  auto native = std::make_unique<HeadlessNativeWindow>();
                                                  headless = native.get();
                                                  return std::unique_ptr<NativeWindow>(std::move(native));
                                              });
    pianoEditor->setSkinFile(TestSkinFile());
}

void EditorFixture::OpenEditor()
{
    // Any parent: the headless window lives on its own.
    ASSERT_TRUE(pianoEditor->open(reinterpret_cast<void*>(0x200001)));
    ASSERT_NE(pianoEditor->getWindow(), nullptr);
    Tick();
    automation.clear();
}

void EditorFixture::Tick()
{
    headless->AdvanceTime(TWGuiWindow::kRefreshPeriodMs);
    pianoEditor->idle();
}

void EditorFixture::Press(Point p)
{
    headless->Mouse(NativeMouseMessage::kLeftDown, p.x, p.y, kKeyStateLeft);
}

void EditorFixture::Drag(Point p)
{
    headless->Mouse(NativeMouseMessage::kMove, p.x, p.y, kKeyStateLeft);
}

void EditorFixture::Release(Point p)
{
    headless->Mouse(NativeMouseMessage::kLeftUp, p.x, p.y, 0);
}

void EditorFixture::Click(Point p)
{
    headless->MoveMouse(p.x, p.y);
    Press(p);
    Release(p);
}

Point EditorFixture::KeyPoint(int keyIndex)
{
    Point p;
    testskin::KeyCentre(keyIndex, p.x, p.y);
    return {p.x + 76, p.y + 256};
}

Point EditorFixture::CentreOf(const TWGuiObject* object)
{
    return {object->GetAbsX() + object->GetWidth() / 2, object->GetAbsY() + object->GetHeight() / 2};
}

std::vector<Midi> EditorFixture::RunBlock(const std::vector<Midi>& hostEvents)
{
    std::vector<host::VstMidiEvent> midi(hostEvents.size());
    std::vector<unsigned char> raw(sizeof(host::VstEvents) + hostEvents.size() * sizeof(host::VstEvent*));
    auto* list = reinterpret_cast<host::VstEvents*>(raw.data());
    list->numEvents = static_cast<host::VstInt32>(hostEvents.size());
    for (size_t i = 0; i < hostEvents.size(); ++i)
    {
        midi[i].type = host::kVstMidiType;
        midi[i].byteSize = sizeof(host::VstMidiEvent);
        midi[i].midiData[0] = static_cast<char>(hostEvents[i].status);
        midi[i].midiData[1] = static_cast<char>(hostEvents[i].data1);
        midi[i].midiData[2] = static_cast<char>(hostEvents[i].data2);
        list->events[i] = reinterpret_cast<host::VstEvent*>(&midi[i]);
    }
    echoed.clear();
    synth->processEvents(list);
    float left[64] = {};
    float right[64] = {};
    float* outputs[2] = {left, right};
    synth->processReplacing(nullptr, outputs, 64);
    return echoed;
}

void EditorFixture::ChooseMenuItem(int index)
{
    std::deque<HeadlessPopupEvent> events;
    for (int i = 0; i <= index; ++i)
        events.push_back({true, NativeMouseMessage::kMove, 0, 0, kVkDown});
    events.push_back({true, NativeMouseMessage::kMove, 0, 0, kVkReturn});
    HeadlessNativePopup::Script(events);
}

} // namespace editortest
