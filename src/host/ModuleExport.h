// How a module marks its entry points for export: on Windows its module-definition file names them, elsewhere
// they are the only symbols made visible.
#pragma once

#if defined(_WIN32)
#define VIRELLANDO_EXPORT
#else
#define VIRELLANDO_EXPORT __attribute__((visibility("default")))
#endif
