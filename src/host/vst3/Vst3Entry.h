// The VST3 module's factory, the entry point a host looks up (Vst3Entry.cpp); a program that links the
// module's entry in calls it directly.
#pragma once

#include "host/ModuleExport.h"
#include "host/vst3/Vst3Interface.h"

extern "C" VIRELLANDO_EXPORT host::IPluginFactory* VST3CALL GetPluginFactory();
