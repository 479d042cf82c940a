// A stand-in for the synthesizer library's Windows DLL, under the library's file name, for the tests of
// what the plug-in does with a library it must refuse: it reports the release it was built to report and
// exports only some of the functions the plug-in calls (the build exports every function here). None of them
// is ever called.
extern "C"
{

    void fluid_version(int* major, int* minor, int* micro)
    {
        *major = VIRELLANDO_STUB_MAJOR;
        *minor = VIRELLANDO_STUB_MINOR;
        *micro = VIRELLANDO_STUB_MICRO;
    }

#ifdef VIRELLANDO_STUB_PARTIAL
    void* new_fluid_settings()
    {
        return nullptr;
    }

    void delete_fluid_settings(void*) {}

    void* new_fluid_synth(void*)
    {
        return nullptr;
    }

    void delete_fluid_synth(void*) {}
#endif
}
