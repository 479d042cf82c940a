// The binding to the synthesizer library: the release check and the function lookup that decide whether a
// library found at start-up is used, and our constants held to the library's own header.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "engine/FluidSynthLibrary.h"
#include "engine/SoundFontData.h"

using namespace engine;

namespace enginetest
{
namespace
{

// The constants we pass are the ones the library's header declares.
static_assert(kFluidOk == FLUID_OK && kFluidFailed == FLUID_FAILED);
static_assert(kFluidPanic == FLUID_PANIC && kFluidError == FLUID_ERR && kFluidWarning == FLUID_WARN &&
              kFluidInformation == FLUID_INFO && kFluidDebug == FLUID_DBG &&
              kFluidLogLevels == LAST_LOG_LEVEL);
static_assert(kFluidGeneratorCount == GEN_LAST);
static_assert(kModPositive == FLUID_MOD_POSITIVE && kModNegative == FLUID_MOD_NEGATIVE &&
              kModUnipolar == FLUID_MOD_UNIPOLAR && kModBipolar == FLUID_MOD_BIPOLAR &&
              kModLinear == FLUID_MOD_LINEAR && kModConcave == FLUID_MOD_CONCAVE &&
              kModConvex == FLUID_MOD_CONVEX && kModSwitch == FLUID_MOD_SWITCH &&
              kModGeneralController == FLUID_MOD_GC && kModMidiController == FLUID_MOD_CC);
static_assert(kModSourceNone == FLUID_MOD_NONE && kModSourceVelocity == FLUID_MOD_VELOCITY &&
              kModSourceKey == FLUID_MOD_KEY && kModSourceKeyPressure == FLUID_MOD_KEYPRESSURE &&
              kModSourceChannelPressure == FLUID_MOD_CHANNELPRESSURE &&
              kModSourcePitchWheel == FLUID_MOD_PITCHWHEEL &&
              kModSourcePitchWheelSensitivity == FLUID_MOD_PITCHWHEELSENS);
static_assert(kVoiceOverwrite == FLUID_VOICE_OVERWRITE && kVoiceAdd == FLUID_VOICE_ADD);
static_assert(kInterpolationLinear == FLUID_INTERP_LINEAR && kChannelTypeMelodic == CHANNEL_TYPE_MELODIC);
static_assert(+kGenStartAddrsOffset == +GEN_STARTADDROFS && +kGenEndAddrsOffset == +GEN_ENDADDROFS &&
              +kGenStartloopAddrsOffset == +GEN_STARTLOOPADDROFS &&
              +kGenEndloopAddrsOffset == +GEN_ENDLOOPADDROFS &&
              +kGenStartAddrsCoarseOffset == +GEN_STARTADDRCOARSEOFS &&
              +kGenEndAddrsCoarseOffset == +GEN_ENDADDRCOARSEOFS &&
              +kGenStartloopAddrsCoarseOffset == +GEN_STARTLOOPADDRCOARSEOFS &&
              +kGenEndloopAddrsCoarseOffset == +GEN_ENDLOOPADDRCOARSEOFS && +kGenKeynum == +GEN_KEYNUM &&
              +kGenVelocity == +GEN_VELOCITY && +kGenSampleModes == +GEN_SAMPLEMODE &&
              +kGenExclusiveClass == +GEN_EXCLUSIVECLASS && +kGenOverridingRootKey == +GEN_OVERRIDEROOTKEY);
static_assert(+kGenInitialFilterFc == +GEN_FILTERFC && +kGenPan == +GEN_PAN &&
              +kGenAttackVolEnv == +GEN_VOLENVATTACK && +kGenDecayVolEnv == +GEN_VOLENVDECAY &&
              +kGenReleaseVolEnv == +GEN_VOLENVRELEASE && +kGenInstrument == +GEN_INSTRUMENT &&
              +kGenKeyRange == +GEN_KEYRANGE && +kGenVelRange == +GEN_VELRANGE &&
              +kGenInitialAttenuation == +GEN_ATTENUATION && +kGenSampleId == +GEN_SAMPLEID);

// A library that reports a release and lacks the functions named in missing.
struct FakeLibrary
{
    int major = 2;
    int minor = 3;
    int micro = 1;
    bool hasVersion = true;
    std::set<std::string> missing;
};

FakeLibrary* reporting = nullptr;

void ReportVersion(int* major, int* minor, int* micro)
{
    *major = reporting->major;
    *minor = reporting->minor;
    *micro = reporting->micro;
}

void NeverCalled() {}

void* FindInFake(void* context, const char* name)
{
    auto* library = static_cast<FakeLibrary*>(context);
    reporting = library;
    if (std::strcmp(name, "fluid_version") == 0)
        return library->hasVersion ? reinterpret_cast<void*>(&ReportVersion) : nullptr;
    return library->missing.count(name) != 0 ? nullptr : reinterpret_cast<void*>(&NeverCalled);
}

// Every member of a table, in the table's order.
std::vector<void*> Members(const FluidSynthApi& api)
{
    std::vector<void*> members;
#define VIRELLANDO_FLUID_COLLECT(result, name, parameters)                                                   \
    members.push_back(reinterpret_cast<void*>(api.name));
    VIRELLANDO_FLUID_FUNCTIONS(VIRELLANDO_FLUID_COLLECT)
#undef VIRELLANDO_FLUID_COLLECT
    return members;
}

TEST(FluidSynthLibrary, TakesEveryReleaseOfTheSeriesFromTheOldestThatHasEveryFunction)
{
    const struct
    {
        int major, minor, micro;
        bool taken;
        const char* reason;
    } cases[] = {
        {2, 2, 0, true, ""},
        {2, 3, 1, true, ""},
        {2, 10, 0, true, ""},
        {2, 1, 9, false, "it is FluidSynth 2.1.9, older than 2.2.0, the oldest release with every function"},
        {1, 1, 11, false, "it is FluidSynth 1.1.11, older than 2.2.0"},
        {3, 0, 0, false, "it is FluidSynth 3.0.0, a later series than the 2.x releases"},
    };
    for (const auto& c : cases)
    {
        FakeLibrary library;
        library.major = c.major;
        library.minor = c.minor;
        library.micro = c.micro;
        FluidSynthApi api;
        std::string release;
        std::string reason;
        EXPECT_EQ(FluidSynthLibrary::bind(FindInFake, &library, api, release, reason), c.taken)
            << c.major << "." << c.minor << "." << c.micro;
        if (c.taken)
        {
            EXPECT_EQ(release, std::to_string(c.major) + "." + std::to_string(c.minor) + "." +
                                   std::to_string(c.micro));
            for (void* member : Members(api))
                EXPECT_NE(member, nullptr);
        }
        else
        {
            EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
            EXPECT_TRUE(release.empty());
            for (void* member : Members(api))
                EXPECT_EQ(member, nullptr);
        }
    }
}

TEST(FluidSynthLibrary, ALibraryMissingFunctionsIsRefusedWithTheirNamesAndNothingFilled)
{
    FakeLibrary library;
    library.missing = {"fluid_synth_chorus_on", "new_fluid_mod", "fluid_mod_test_identity"};
    FluidSynthApi api;
    std::string release;
    std::string reason;
    EXPECT_FALSE(FluidSynthLibrary::bind(FindInFake, &library, api, release, reason));
    EXPECT_EQ(reason, "it is FluidSynth 2.3.1 but lacks fluid_synth_chorus_on, new_fluid_mod, "
                      "fluid_mod_test_identity");
    for (void* member : Members(api))
        EXPECT_EQ(member, nullptr);

    FakeLibrary noVersion;
    noVersion.hasVersion = false;
    EXPECT_FALSE(FluidSynthLibrary::bind(FindInFake, &noVersion, api, release, reason));
    EXPECT_EQ(reason, "it has no fluid_version, so it is not a FluidSynth library");
}

// The library this build links is taken once, every function found, and says which release it is.
TEST(FluidSynthLibrary, TheLinkedLibraryIsReadyWithEveryFunction)
{
    std::string report;
    ASSERT_TRUE(FluidSynthLibrary::load("/nowhere/", report)) << report;
    EXPECT_TRUE(FluidSynthLibrary::ready());
    int major = 0;
    int minor = 0;
    int micro = 0;
    fluid_version(&major, &minor, &micro);
    const std::string release =
        std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(micro);
    EXPECT_EQ(report, "FluidSynth " + release + " from the system's library");
    for (void* member : Members(FluidSynth()))
        EXPECT_NE(member, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(FluidSynth().new_fluid_synth),
              reinterpret_cast<void*>(&::new_fluid_synth));

    std::string again;
    EXPECT_TRUE(FluidSynthLibrary::load("/elsewhere/", again));
    EXPECT_EQ(again, report);
}

// What the user is told to install is what the plug-in accepts and loads.
TEST(FluidSynthLibrary, TheMessageNamesTheOldestReleaseAndTheFileToInstall)
{
    std::ifstream in(VIRELLANDO_STRING_TABLE_PATH, std::ios::binary);
    const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t key = table.find("\nEngineMissingBody=");
    ASSERT_NE(key, std::string::npos);
    const std::string body = table.substr(key, table.find('\n', key + 1) - key);
    EXPECT_NE(body.find("FluidSynth " + FluidSynthLibrary::oldestRelease() + " or later"), std::string::npos)
        << body;
    EXPECT_NE(body.find(FluidSynthLibrary::kWindowsLibrary), std::string::npos) << body;
    EXPECT_NE(body.find("Virellando.dll"), std::string::npos) << body;
}

} // namespace
} // namespace enginetest
