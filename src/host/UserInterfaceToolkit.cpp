// The toolkit's user interface: the piano editor, the splash screen and the toolkit's message box.
#include "host/UserInterface.h"

#include <mutex>

#include "editor/CSplashDialog.h"
#include "editor/MessageBoxThread.h"
#include "editor/PianoEditor.h"
#include "instrument/VstXSynth.h"
#include "platform/Platform.h"

namespace host
{

void ConnectUserInterface()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       instrument::VstXSynth::setEditorFactory(&editor::PianoEditor::create);
                       instrument::VstXSynth::setSplashFactory(&editor::CSplashDialog::create);
                       platform::SetMessageBoxHandler(&editor::MessageBoxThread::show);
                   });
}

} // namespace host
