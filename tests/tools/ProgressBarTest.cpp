#include "render/ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace render;

TEST(ProgressBar, FractionFillsTheBarAndShowsThePercentage)
{
    std::ostringstream out;
    ProgressBar bar(out, "Rendering", 10);
    bar.showFraction(0.0);
    bar.showFraction(0.55);
    bar.showFraction(1.0);
    EXPECT_EQ(out.str(), "\rRendering [..........]   0%"
                         "\rRendering [#####.....]  55%"
                         "\rRendering [##########] 100%");
}

TEST(ProgressBar, OutOfRangeFractionsAreHeldToTheEnds)
{
    std::ostringstream out;
    ProgressBar bar(out, "R", 4);
    bar.showFraction(-3.0);
    bar.showFraction(7.0);
    EXPECT_EQ(out.str(), "\rR [....]   0%\rR [####] 100%");
}

TEST(ProgressBar, UnchangedDisplayIsNotRedrawn)
{
    std::ostringstream out;
    ProgressBar bar(out, "R", 10);
    bar.showFraction(0.501);
    const std::string once = out.str();
    bar.showFraction(0.502);
    EXPECT_EQ(out.str(), once);
}

TEST(ProgressBar, WaitingMarkerSweepsAndComesBack)
{
    std::ostringstream out;
    ProgressBar bar(out, "W", 6); // the marker travels three places
    bar.showWaiting(0.0);
    bar.showWaiting(0.75); // step 3: the far end
    bar.showWaiting(1.0);  // step 4: one back
    bar.showWaiting(1.5);  // step 6: home again
    EXPECT_EQ(out.str(), "\rW [<=>   ] 0.0 s\rW [   <=>] 0.8 s\rW [  <=> ] 1.0 s\rW [<=>   ] 1.5 s");
}

TEST(ProgressBar, FinishKeepsTheBarAndCoversALongerLine)
{
    std::ostringstream out;
    ProgressBar bar(out, "W", 6);
    bar.showWaiting(12.5);
    bar.finish("ok");
    EXPECT_EQ(out.str(), "\rW [  <=> ] 12.5 s\rW [  <=> ] ok    \n");
}
