#include "platform/Platform.h"

namespace platform
{

ProductVersion GetProductVersion()
{
    return ProductVersion{VIRELLANDO_VERSION_MAJOR, VIRELLANDO_VERSION_MINOR, VIRELLANDO_VERSION_PATCH,
                          VIRELLANDO_VERSION_BUILD};
}

} // namespace platform
