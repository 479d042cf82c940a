// Our own declarations of the synthesizer library's C interface, written from its documentation: opaque
// handles, the constants the engine passes, the callback types, and one table with a pointer to every
// library function the plug-in, its tools and its tests call. Every call into the library goes through the
// table, which FluidSynthLibrary fills once per process: from the library the Linux build links, or from
// the library's DLL that the Windows build loads at start-up.
#pragma once

namespace engine
{

// Handles of the library's objects; only pointers to them are ever used.
struct fluid_settings_t;
struct fluid_synth_t;
struct fluid_midi_router_t;
struct fluid_midi_event_t;
struct fluid_sfloader_t;
struct fluid_sfont_t;
struct fluid_preset_t;
struct fluid_sample_t;
struct fluid_voice_t;
struct fluid_mod_t;

// Results of the library's calls.
constexpr int kFluidOk = 0;
constexpr int kFluidFailed = -1;

// Log levels.
constexpr int kFluidPanic = 0;
constexpr int kFluidError = 1;
constexpr int kFluidWarning = 2;
constexpr int kFluidInformation = 3;
constexpr int kFluidDebug = 4;
constexpr int kFluidLogLevels = 5;

// The number of generators a voice holds: the format's own (0 to 58), then three of the library's.
constexpr int kFluidGeneratorCount = 63;

// Modulator source flags and the sources that are not MIDI controllers.
constexpr int kModPositive = 0;
constexpr int kModNegative = 1;
constexpr int kModUnipolar = 0;
constexpr int kModBipolar = 2;
constexpr int kModLinear = 0;
constexpr int kModConcave = 4;
constexpr int kModConvex = 8;
constexpr int kModSwitch = 12;
constexpr int kModGeneralController = 0;
constexpr int kModMidiController = 16;
constexpr int kModSourceNone = 0;
constexpr int kModSourceVelocity = 2;
constexpr int kModSourceKey = 3;
constexpr int kModSourceKeyPressure = 10;
constexpr int kModSourceChannelPressure = 13;
constexpr int kModSourcePitchWheel = 14;
constexpr int kModSourcePitchWheelSensitivity = 16;

// How a modulator joins the ones a voice has.
constexpr int kVoiceOverwrite = 0;
constexpr int kVoiceAdd = 1;

constexpr int kInterpolationLinear = 1;
constexpr int kChannelTypeMelodic = 0;

// The release that first has every function of the table: the plug-in refuses an older library.
constexpr int kFluidOldestMajor = 2;
constexpr int kFluidOldestMinor = 2;
constexpr int kFluidOldestMicro = 0;

// Callbacks the library calls.
using fluid_midi_event_handler_t = int (*)(void* data, fluid_midi_event_t* event);
using fluid_log_function_t = void (*)(int level, const char* message, void* data);
using fluid_sfloader_load_t = fluid_sfont_t* (*)(fluid_sfloader_t* loader, const char* filename);
using fluid_sfloader_free_t = void (*)(fluid_sfloader_t* loader);
using fluid_sfont_get_name_t = const char* (*)(fluid_sfont_t* sfont);
using fluid_sfont_get_preset_t = fluid_preset_t* (*)(fluid_sfont_t* sfont, int bank, int preset);
using fluid_sfont_iteration_start_t = void (*)(fluid_sfont_t* sfont);
using fluid_sfont_iteration_next_t = fluid_preset_t* (*)(fluid_sfont_t* sfont);
using fluid_sfont_free_t = int (*)(fluid_sfont_t* sfont);
using fluid_preset_get_name_t = const char* (*)(fluid_preset_t* preset);
using fluid_preset_get_banknum_t = int (*)(fluid_preset_t* preset);
using fluid_preset_get_num_t = int (*)(fluid_preset_t* preset);
using fluid_preset_noteon_t = int (*)(fluid_preset_t* preset, fluid_synth_t* synth, int channel, int key,
                                      int velocity);
using fluid_preset_free_t = void (*)(fluid_preset_t* preset);

// Every function of the table: X(result, name, parameters). One list makes the table, the lookup by name
// and the check of these declarations against the library's own.
#define VIRELLANDO_FLUID_FUNCTIONS(X)                                                                        \
    X(void, fluid_version, (int* major, int* minor, int* micro))                                             \
    X(int, fluid_log, (int level, const char* format, ...))                                                  \
    X(fluid_log_function_t, fluid_set_log_function, (int level, fluid_log_function_t function, void* data))  \
    X(void, fluid_default_log_function, (int level, const char* message, void* data))                        \
    X(fluid_settings_t*, new_fluid_settings, ())                                                             \
    X(void, delete_fluid_settings, (fluid_settings_t * settings))                                            \
    X(int, fluid_settings_setint, (fluid_settings_t * settings, const char* name, int value))                \
    X(int, fluid_settings_setnum, (fluid_settings_t * settings, const char* name, double value))             \
    X(fluid_synth_t*, new_fluid_synth, (fluid_settings_t * settings))                                        \
    X(void, delete_fluid_synth, (fluid_synth_t * synth))                                                     \
    X(int, fluid_synth_noteon, (fluid_synth_t * synth, int channel, int key, int velocity))                  \
    X(int, fluid_synth_noteoff, (fluid_synth_t * synth, int channel, int key))                               \
    X(int, fluid_synth_cc, (fluid_synth_t * synth, int channel, int controller, int value))                  \
    X(int, fluid_synth_pitch_bend, (fluid_synth_t * synth, int channel, int value))                          \
    X(int, fluid_synth_bank_select, (fluid_synth_t * synth, int channel, int bank))                          \
    X(int, fluid_synth_program_select,                                                                       \
      (fluid_synth_t * synth, int channel, int soundFontId, int bank, int preset))                           \
    X(int, fluid_synth_get_program,                                                                          \
      (fluid_synth_t * synth, int channel, int* soundFontId, int* bank, int* preset))                        \
    X(int, fluid_synth_set_channel_type, (fluid_synth_t * synth, int channel, int type))                     \
    X(int, fluid_synth_set_gen, (fluid_synth_t * synth, int channel, int param, float value))                \
    X(int, fluid_synth_activate_key_tuning,                                                                  \
      (fluid_synth_t * synth, int bank, int program, const char* name, const double* pitch, int apply))      \
    X(int, fluid_synth_activate_tuning,                                                                      \
      (fluid_synth_t * synth, int channel, int bank, int program, int apply))                                \
    X(int, fluid_synth_handle_midi_event, (void* data, fluid_midi_event_t* event))                           \
    X(int, fluid_synth_sfload, (fluid_synth_t * synth, const char* filename, int resetPresets))              \
    X(int, fluid_synth_sfunload, (fluid_synth_t * synth, int id, int resetPresets))                          \
    X(int, fluid_synth_sfcount, (fluid_synth_t * synth))                                                     \
    X(fluid_sfont_t*, fluid_synth_get_sfont, (fluid_synth_t * synth, unsigned int position))                 \
    X(fluid_sfont_t*, fluid_synth_get_sfont_by_id, (fluid_synth_t * synth, int id))                          \
    X(int, fluid_synth_get_bank_offset, (fluid_synth_t * synth, int soundFontId))                            \
    X(void, fluid_synth_add_sfloader, (fluid_synth_t * synth, fluid_sfloader_t * loader))                    \
    X(void, fluid_synth_set_gain, (fluid_synth_t * synth, float gain))                                       \
    X(int, fluid_synth_set_interp_method, (fluid_synth_t * synth, int channel, int method))                  \
    X(int, fluid_synth_chorus_on, (fluid_synth_t * synth, int group, int on))                                \
    X(int, fluid_synth_get_active_voice_count, (fluid_synth_t * synth))                                      \
    X(int, fluid_synth_write_float,                                                                          \
      (fluid_synth_t * synth, int length, void* left, int leftOffset, int leftIncrement, void* right,        \
       int rightOffset, int rightIncrement))                                                                 \
    X(fluid_voice_t*, fluid_synth_alloc_voice,                                                               \
      (fluid_synth_t * synth, fluid_sample_t * sample, int channel, int key, int velocity))                  \
    X(void, fluid_synth_start_voice, (fluid_synth_t * synth, fluid_voice_t * voice))                         \
    X(fluid_midi_event_t*, new_fluid_midi_event, ())                                                         \
    X(void, delete_fluid_midi_event, (fluid_midi_event_t * event))                                           \
    X(int, fluid_midi_event_get_type, (const fluid_midi_event_t* event))                                     \
    X(int, fluid_midi_event_set_type, (fluid_midi_event_t * event, int type))                                \
    X(int, fluid_midi_event_get_channel, (const fluid_midi_event_t* event))                                  \
    X(int, fluid_midi_event_set_channel, (fluid_midi_event_t * event, int channel))                          \
    X(int, fluid_midi_event_get_key, (const fluid_midi_event_t* event))                                      \
    X(int, fluid_midi_event_set_key, (fluid_midi_event_t * event, int key))                                  \
    X(int, fluid_midi_event_get_velocity, (const fluid_midi_event_t* event))                                 \
    X(int, fluid_midi_event_set_velocity, (fluid_midi_event_t * event, int velocity))                        \
    X(fluid_midi_router_t*, new_fluid_midi_router,                                                           \
      (fluid_settings_t * settings, fluid_midi_event_handler_t handler, void* data))                         \
    X(void, delete_fluid_midi_router, (fluid_midi_router_t * router))                                        \
    X(int, fluid_midi_router_handle_midi_event, (void* data, fluid_midi_event_t* event))                     \
    X(fluid_sfloader_t*, new_fluid_sfloader, (fluid_sfloader_load_t load, fluid_sfloader_free_t free))       \
    X(void, delete_fluid_sfloader, (fluid_sfloader_t * loader))                                              \
    X(int, fluid_sfloader_set_data, (fluid_sfloader_t * loader, void* data))                                 \
    X(void*, fluid_sfloader_get_data, (fluid_sfloader_t * loader))                                           \
    X(fluid_sfont_t*, new_fluid_sfont,                                                                       \
      (fluid_sfont_get_name_t getName, fluid_sfont_get_preset_t getPreset,                                   \
       fluid_sfont_iteration_start_t iterationStart, fluid_sfont_iteration_next_t iterationNext,             \
       fluid_sfont_free_t free))                                                                             \
    X(int, delete_fluid_sfont, (fluid_sfont_t * sfont))                                                      \
    X(int, fluid_sfont_set_data, (fluid_sfont_t * sfont, void* data))                                        \
    X(void*, fluid_sfont_get_data, (fluid_sfont_t * sfont))                                                  \
    X(void, fluid_sfont_iteration_start, (fluid_sfont_t * sfont))                                            \
    X(fluid_preset_t*, fluid_sfont_iteration_next, (fluid_sfont_t * sfont))                                  \
    X(fluid_preset_t*, new_fluid_preset,                                                                     \
      (fluid_sfont_t * sfont, fluid_preset_get_name_t getName, fluid_preset_get_banknum_t getBank,           \
       fluid_preset_get_num_t getNumber, fluid_preset_noteon_t noteOn, fluid_preset_free_t free))            \
    X(void, delete_fluid_preset, (fluid_preset_t * preset))                                                  \
    X(int, fluid_preset_set_data, (fluid_preset_t * preset, void* data))                                     \
    X(void*, fluid_preset_get_data, (fluid_preset_t * preset))                                               \
    X(const char*, fluid_preset_get_name, (fluid_preset_t * preset))                                         \
    X(int, fluid_preset_get_banknum, (fluid_preset_t * preset))                                              \
    X(int, fluid_preset_get_num, (fluid_preset_t * preset))                                                  \
    X(fluid_sample_t*, new_fluid_sample, ())                                                                 \
    X(void, delete_fluid_sample, (fluid_sample_t * sample))                                                  \
    X(int, fluid_sample_set_name, (fluid_sample_t * sample, const char* name))                               \
    X(int, fluid_sample_set_sound_data,                                                                      \
      (fluid_sample_t * sample, short* data, char* data24, unsigned int frames, unsigned int rate,           \
       short copy))                                                                                          \
    X(int, fluid_sample_set_loop, (fluid_sample_t * sample, unsigned int start, unsigned int end))           \
    X(int, fluid_sample_set_pitch, (fluid_sample_t * sample, int rootKey, int fineTune))                     \
    X(void, fluid_voice_gen_set, (fluid_voice_t * voice, int generator, float value))                        \
    X(void, fluid_voice_gen_incr, (fluid_voice_t * voice, int generator, float value))                       \
    X(float, fluid_voice_gen_get, (fluid_voice_t * voice, int generator))                                    \
    X(void, fluid_voice_update_param, (fluid_voice_t * voice, int generator))                                \
    X(unsigned int, fluid_voice_get_id, (const fluid_voice_t* voice))                                        \
    X(int, fluid_voice_is_playing, (const fluid_voice_t* voice))                                             \
    X(int, fluid_voice_is_on, (const fluid_voice_t* voice))                                                  \
    X(int, fluid_voice_is_sustained, (const fluid_voice_t* voice))                                           \
    X(void, fluid_voice_add_mod, (fluid_voice_t * voice, fluid_mod_t * mod, int mode))                       \
    X(int, fluid_voice_optimize_sample, (fluid_sample_t * sample))                                           \
    X(fluid_mod_t*, new_fluid_mod, ())                                                                       \
    X(void, delete_fluid_mod, (fluid_mod_t * mod))                                                           \
    X(void, fluid_mod_set_source1, (fluid_mod_t * mod, int source, int flags))                               \
    X(void, fluid_mod_set_source2, (fluid_mod_t * mod, int source, int flags))                               \
    X(void, fluid_mod_set_dest, (fluid_mod_t * mod, int destination))                                        \
    X(void, fluid_mod_set_amount, (fluid_mod_t * mod, double amount))                                        \
    X(double, fluid_mod_get_amount, (const fluid_mod_t* mod))                                                \
    X(int, fluid_mod_test_identity, (const fluid_mod_t* first, const fluid_mod_t* second))

// The table. A member stays null until its function is found.
struct FluidSynthApi
{
#define VIRELLANDO_FLUID_MEMBER(result, name, parameters) result(*name) parameters = nullptr;
    VIRELLANDO_FLUID_FUNCTIONS(VIRELLANDO_FLUID_MEMBER)
#undef VIRELLANDO_FLUID_MEMBER
};

} // namespace engine
