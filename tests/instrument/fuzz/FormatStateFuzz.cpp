// libFuzzer target: any bytes as a state an LV2 or VST3 host hands back from a saved song, through the
// adapters linked in with the instrument. The first byte chooses the way in (its lowest two bits) and how the
// LV2 state is typed (bit 2: with a program, its first four bytes; bit 3: the chunk mistyped); the rest is
// the state. A refused state leaves the plug-in as it was, to the byte; taken or refused, the plug-in still
// renders finite audio and a VST3 host still reads every value within 0..1. One instance of each format
// serves every input.
#include <lv2/atom/atom.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/MessageBoxThread.h"
#include "formathost/Lv2Host.h"
#include "formathost/Vst3Host.h"
#include "host/lv2/Lv2Uris.h"
#include "host/vst3/Vst3Entry.h"
#include "platform/Platform.h"

using namespace formathost;

namespace
{
constexpr double kRate = 44100.0;
constexpr int kBlockFrames = 256;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkFinite(const std::vector<float>& left, const std::vector<float>& right)
{
    for (size_t i = 0; i < left.size(); ++i)
        check(std::isfinite(left[i]) && std::isfinite(right[i]));
}

bool same(const Lv2State& a, const Lv2State& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [key, value] : a)
    {
        const auto other = b.find(key);
        if (other == b.end() || other->second.type != value.type || other->second.bytes != value.bytes)
            return false;
    }
    return true;
}

// Both plug-ins with their module file in a folder of their own: no sound bank, string table or
// programs, so they render the engine's silence through the whole effects chain.
class Plugins
{
public:
    Plugins()
    {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("virellando-format-state-fuzz-" + std::to_string(random()));
        std::filesystem::create_directories(folder);
        platform::SetModuleFileName((folder / "Virellando.so").string());
        lv2Host.take(lv2_descriptor(0), nullptr);
        vst3Host.take(GetPluginFactory());
        lv2 = lv2Host.instantiate(kRate, kBlockFrames);
        vst3 = vst3Host.instantiate();
        check(lv2 && lv2->valid() && vst3 && vst3->start(kRate, kBlockFrames));
    }
    ~Plugins()
    {
        lv2.reset();
        vst3.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void restoreLv2(uint8_t how, const std::vector<uint8_t>& bytes)
    {
        Lv2UridMap& uris = lv2Host.uris();
        Lv2State state;
        auto chunk = bytes.begin();
        if ((how & 4) != 0 && bytes.size() >= 4)
        {
            state[uris.map(host::lv2uri::kStateProgram)] = {uris.map(LV2_ATOM__Int), {chunk, chunk + 4}};
            chunk += 4;
        }
        state[uris.map(host::lv2uri::kStateChunk)] = {
            uris.map((how & 8) != 0 ? LV2_ATOM__Int : LV2_ATOM__Chunk), {chunk, bytes.end()}};
        Lv2State before, after;
        check(lv2->save(before));
        if (lv2->restore(state) != LV2_STATE_SUCCESS)
            check(lv2->save(after) && same(after, before));
        lv2->run(left.data(), right.data(), kBlockFrames);
        checkFinite(left, right);
    }

    // The state of the component or, with `controller`, of the controller.
    void restoreVst3(bool controller, const std::vector<uint8_t>& bytes)
    {
        const std::vector<uint8_t> component = vst3->componentState();
        const std::vector<uint8_t> program = vst3->controllerState();
        const std::vector<double> values = vst3Values();
        const host::tresult result =
            controller ? vst3->setControllerState(bytes) : vst3->setComponentState(bytes);
        const std::vector<double> now = vst3Values();
        if (result != host::kResultOk)
            check(vst3->componentState() == component && vst3->controllerState() == program && now == values);
        check(vst3->process(left.data(), right.data(), kBlockFrames) == host::kResultOk);
        checkFinite(left, right);
    }

private:
    // Every value the controller shows, each within 0..1.
    std::vector<double> vst3Values()
    {
        std::vector<double> values;
        host::IEditController& controller = *vst3->controller;
        for (int32_t i = 0; i < controller.getParameterCount(); ++i)
        {
            host::ParameterInfo info{};
            check(controller.getParameterInfo(i, info) == host::kResultOk);
            values.push_back(controller.getParamNormalized(info.id));
            check(values.back() >= 0.0 && values.back() <= 1.0);
        }
        return values;
    }

    std::filesystem::path folder;
    Lv2Host lv2Host;
    Vst3Host vst3Host;
    std::unique_ptr<Lv2Instance> lv2;
    std::unique_ptr<Vst3Instance> vst3;
    std::vector<float> left = std::vector<float>(kBlockFrames), right = std::vector<float>(kBlockFrames);
};
} // namespace

// The plug-ins, made before the first input (their user interface keeps fontconfig's caches, which a leak
// check around one input would report) and after the engine's own statics, so that they go first at exit.
Plugins& ThePlugins()
{
    static Plugins plugins;
    return plugins;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ThePlugins();
    // Without a bank the plug-ins say so in a message box on a thread of its own, which loads its font
    // through fontconfig: it must be done before the first input, or the leak check around that input
    // sees fontconfig's caches being filled.
    editor::MessageBoxThread::wait();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t how = data[0];
    const std::vector<uint8_t> bytes(data + 1, data + size);
    switch (how & 3)
    {
    case 0:
        ThePlugins().restoreLv2(how, bytes);
        break;
    case 1:
        ThePlugins().restoreVst3(false, bytes);
        break;
    case 2:
        ThePlugins().restoreVst3(true, bytes);
        break;
    default:
        // A state taken in one format and then the other's, as a song moved between hosts carries it.
        ThePlugins().restoreVst3(false, bytes);
        ThePlugins().restoreLv2(how, bytes);
        break;
    }
    return 0;
}
