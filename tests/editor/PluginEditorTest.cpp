// The editor through the built plug-in, as a host without a display sees it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/PluginFolder.h"

using namespace host;

namespace
{

// The editor of fixed size exists from start-up; without a display (whatever the machine running the tests
// has) opening, idling and closing show nothing and keep answering, also when the host ends the instance with
// the editor open, as some hosts do on quit. The missing sound bank's message goes to the log instead of a
// box.
TEST(PluginEditorTest, WithoutADisplayTheEditorKeepsAnsweringAndMessagesGoToTheLog)
{
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display ? display : "";
    unsetenv("DISPLAY");
    PluginFolder folder;
    folder.addStringTable();
    auto instance = folder.instantiate();
    ASSERT_NE(instance, nullptr);
    EXPECT_NE(instance->effect()->flags & effFlagsHasEditor, 0);
    ERect* rect = nullptr;
    EXPECT_EQ(instance->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom - rect->top, 576);
    EXPECT_EQ(rect->right - rect->left, 800);
    // The host's window id does not matter: there is no display to create anything on.
    EXPECT_EQ(instance->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 1);
    for (int i = 0; i < 3; ++i)
        instance->dispatch(effEditIdle);
    instance->dispatch(effEditClose);
    EXPECT_EQ(instance->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 1);
    instance->close();
    if (!savedDisplay.empty())
        setenv("DISPLAY", savedDisplay.c_str(), 1);

    const auto lines = folder.logLines();
    const auto at = [&](const std::string& text)
    {
        return std::find_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return l.find(text) != std::string::npos; }) -
               lines.begin();
    };
    const auto end = lines.end() - lines.begin();
    EXPECT_LT(at("Setting VST params."), at("Creating editor window."));
    EXPECT_LT(at("Creating editor window."), at("Init completed."));
    EXPECT_LT(at("The piano sound bank could not be loaded."), at("Init completed."));
    EXPECT_LT(at("Init completed."), end);
    EXPECT_LT(at("Opening editor.."), end);
    EXPECT_LT(at("Setting callback."), end);
}

} // namespace
