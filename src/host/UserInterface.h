// How the module gives the instrument its user interface: the editor, the splash screen and the message
// boxes. Each system's build links one implementation.
#pragma once

namespace host
{

// Installs the user interface's factories into the instrument; safe to call from any thread, any number of
// times (only the first call acts).
void ConnectUserInterface();

} // namespace host
