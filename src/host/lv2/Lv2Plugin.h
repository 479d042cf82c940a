// The LV2 plug-in instance: the instrument behind an atom MIDI input, two audio outputs, the latency it
// reports and a control input per parameter (in the plain values the display shows), with its state as the
// instrument's chunk and program. Threads, as LV2 classes them: create, activate, deactivate, state and the
// editor's calls on the host's instantiation and user-interface threads; run on its audio thread.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <atomic>
#include <memory>

#include "host/FormatHost.h"
#include "host/InstrumentDriver.h"
#include "host/lv2/Lv2EditorLink.h"
#include "host/lv2/Lv2Ports.h"
#include "host/lv2/Lv2Transport.h"
#include "host/lv2/Lv2Urids.h"

namespace host
{

class Lv2Plugin : public FormatHost
{
public:
    // Null, with a log line, when the host lacks the URID map or the instrument cannot be made.
    static Lv2Plugin* create(const InstrumentEntry& entry, double rate, const LV2_Feature* const* features);
    ~Lv2Plugin() override;

    void connect(uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(uint32_t frames);

    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle);
    // Takes the program, then the chunk; a state the instrument cannot take changes nothing.
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    InstrumentDriver& instrument() { return driver; }
    // The editor's UI, while it is open (null when it closes).
    void attachEditor(Lv2EditorLink* link) { editor.store(link); }

    void parameterEdited(int index, float value) override;
    void latencyChanged(int frames) override;
    bool resizeEditor(int width, int height) override;

private:
    explicit Lv2Plugin(const LV2_URID_Map& map);
    void readControls();
    void readEvents(uint32_t frames);

    InstrumentDriver driver;
    Lv2Urids uris;
    Lv2Transport transport;
    void* ports[lv2port::kCount] = {};
    // The control values last taken from the ports; NaN until the first run. Only a port whose value moved
    // is taken again, so a restored state stands until the host sets a control (a preset's value, a song's,
    // a move).
    float taken[lv2port::kParameterCount];
    std::atomic<Lv2EditorLink*> editor{nullptr};
    // The latency the port reports: the instrument's, as it last told it.
    std::atomic<int> reportedLatency{0};
};

} // namespace host
