// The library the Linux build links: every function of the table by its name, each checked at compile time
// against the declaration in the library's own header, so that our declarations cannot drift from it.
#include <fluidsynth.h>

#include <cstring>
#include <type_traits>

#include "engine/FluidSynthLibrary.h"

namespace engine
{
namespace
{

// The library header's type for one of ours: handles map to the header's handles, pointers and
// functions map part by part, everything else stays.
template <typename T> struct Native
{
    using type = T;
};
template <typename T> struct Native<const T>
{
    using type = const typename Native<T>::type;
};
template <typename T> struct Native<T*>
{
    using type = typename Native<T>::type*;
};
template <typename Result, typename... Parameters> struct Native<Result (*)(Parameters...)>
{
    using type = typename Native<Result>::type (*)(typename Native<Parameters>::type...);
};
template <typename Result, typename... Parameters> struct Native<Result (*)(Parameters..., ...)>
{
    using type = typename Native<Result>::type (*)(typename Native<Parameters>::type..., ...);
};
#define VIRELLANDO_FLUID_HANDLE(handle)                                                                      \
    template <> struct Native<engine::handle>                                                                \
    {                                                                                                        \
        using type = ::handle;                                                                               \
    };
VIRELLANDO_FLUID_HANDLE(fluid_settings_t)
VIRELLANDO_FLUID_HANDLE(fluid_synth_t)
VIRELLANDO_FLUID_HANDLE(fluid_midi_router_t)
VIRELLANDO_FLUID_HANDLE(fluid_midi_event_t)
VIRELLANDO_FLUID_HANDLE(fluid_sfloader_t)
VIRELLANDO_FLUID_HANDLE(fluid_sfont_t)
VIRELLANDO_FLUID_HANDLE(fluid_preset_t)
VIRELLANDO_FLUID_HANDLE(fluid_sample_t)
VIRELLANDO_FLUID_HANDLE(fluid_voice_t)
VIRELLANDO_FLUID_HANDLE(fluid_mod_t)
#undef VIRELLANDO_FLUID_HANDLE

struct LinkedFunction
{
    const char* name;
    void* address;
};

// The header marks the logging function as printf-like, an attribute a template argument cannot carry.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-attributes"
#define VIRELLANDO_FLUID_CHECK(result, name, parameters)                                                     \
    static_assert(std::is_same_v<Native<decltype(FluidSynthApi::name)>::type, decltype(&::name)>,            \
                  #name " is declared otherwise than in the library's header");
VIRELLANDO_FLUID_FUNCTIONS(VIRELLANDO_FLUID_CHECK)
#undef VIRELLANDO_FLUID_CHECK
#pragma GCC diagnostic pop

#define VIRELLANDO_FLUID_LINKED(result, name, parameters) {#name, reinterpret_cast<void*>(&::name)},
const LinkedFunction kLinked[] = {VIRELLANDO_FLUID_FUNCTIONS(VIRELLANDO_FLUID_LINKED)};
#undef VIRELLANDO_FLUID_LINKED

void* FindLinked(void*, const char* name)
{
    for (const LinkedFunction& function : kLinked)
        if (std::strcmp(function.name, name) == 0)
            return function.address;
    return nullptr;
}

} // namespace

bool FluidSynthLibrary::open(const std::string&, Lookup& lookup, void*& context, std::string& where,
                             std::string&)
{
    lookup = FindLinked;
    context = nullptr;
    where = "the system's library";
    return true;
}

void FluidSynthLibrary::close(void*) {}

} // namespace engine
