// The start-up measurements, each meant to run alone in a fresh process so that neither the shared sample
// data nor the memory of one disturbs the other.
#pragma once

#include <string>

#include "startup/ResultFile.h"

// A synchronous fluid_synth_sfload of a "RIFF" bank through the library's own loader:
// "library_load_ms". Empty when the load fails.
Figures MeasureLibraryLoad(const std::string& riffBank);

// The plug-in at pluginPath, with its bank beside it: "construct_ms" (PluginHost::instantiate of the
// first instance), "load_done_ms" (from the start of construction until vendor request 1004 answers 1),
// and resident memory "rss_base", "rss_one", "rss_four" in bytes (after loading the module, with one
// instance whose data is loaded, with four). Empty when the plug-in cannot be loaded or never finishes.
Figures MeasurePluginStart(const std::string& pluginPath);
