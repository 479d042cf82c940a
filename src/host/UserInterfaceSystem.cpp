// Where the toolkit is not built yet, the instrument runs without an editor or splash screen and shows its
// messages in the system's own message box, the platform layer's default.
#include "host/UserInterface.h"

namespace host
{

void ConnectUserInterface() {}

} // namespace host
