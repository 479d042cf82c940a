// Error traps on connections used side by side (an editor, a pop-up, the splash, each on its own
// thread): a trap sees its own connection's errors only, traps may end in any order, and every error
// outside a trap reaches the handler that was there before.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/native/X11ErrorTrap.h"

using platform::X11ErrorTrap;

namespace
{
std::atomic<int> gOutsideErrors{0};
int countOutside(Display*, XErrorEvent*)
{
    ++gOutsideErrors;
    return 0;
}

// Asks for something the server refuses: a window that no longer exists.
void provoke(Display* display)
{
    const Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, w);
    XMapWindow(display, w);
}

struct Connection
{
    Connection() : display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
    Display* display;
};

class X11ErrorTrapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(a.display && b.display) << "no display";
        previous = XSetErrorHandler(&countOutside);
        gOutsideErrors = 0;
    }
    void TearDown() override { XSetErrorHandler(previous); }

    Connection a, b;
    int (*previous)(Display*, XErrorEvent*) = nullptr;
};
} // namespace

TEST_F(X11ErrorTrapTest, EachTrapSeesItsOwnConnectionOnly)
{
    X11ErrorTrap trapA(a.display);
    X11ErrorTrap trapB(b.display);
    provoke(b.display);
    EXPECT_TRUE(trapB.Failed());
    EXPECT_FALSE(trapA.Failed());
    EXPECT_EQ(gOutsideErrors, 0);
}

TEST_F(X11ErrorTrapTest, TrapsEndInAnyOrderAndThePreviousHandlerComesBack)
{
    auto trapA = std::make_unique<X11ErrorTrap>(a.display);
    X11ErrorTrap trapB(b.display);
    trapA.reset(); // the first trap ends while the second still holds
    provoke(b.display);
    EXPECT_TRUE(trapB.Failed());
    // An untrapped connection's error goes to the handler that was there before.
    provoke(a.display);
    XSync(a.display, False);
    EXPECT_EQ(gOutsideErrors, 1);
}

TEST_F(X11ErrorTrapTest, AfterTheLastTrapErrorsGoWhereTheyWentBefore)
{
    {
        X11ErrorTrap trap(a.display);
        provoke(a.display);
        EXPECT_TRUE(trap.Failed());
    }
    provoke(b.display);
    XSync(b.display, False);
    EXPECT_EQ(gOutsideErrors, 1);
}

TEST_F(X11ErrorTrapTest, ThreadsWithTrapsOfTheirOwnNeverSeeEachOthersErrors)
{
    std::atomic<int> wrong{0};
    const auto work = [&wrong](Display* display, bool failing)
    {
        for (int i = 0; i < 300; ++i)
        {
            X11ErrorTrap trap(display);
            if (failing)
                provoke(display);
            else
                XNoOp(display);
            if (trap.Failed() != failing)
                ++wrong;
        }
    };
    std::thread quiet(work, a.display, false);
    std::thread failing(work, b.display, true);
    quiet.join();
    failing.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(gOutsideErrors, 0);
}
