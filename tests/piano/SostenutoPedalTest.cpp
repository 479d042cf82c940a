#include "piano/SostenutoPedal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace piano;

namespace
{
// One move of the hands or the middle pedal: "+k" strikes key k, "-k" lets it up, "down"/"up" the pedal,
// "all" every key up at once. Each step gives whether a release waited, or the keys the pedal let go.
std::vector<std::string> Play(SostenutoPedal& pedal, const std::vector<std::string>& moves)
{
    std::vector<std::string> heard;
    for (const std::string& move : moves)
    {
        if (move == "down")
            pedal.press();
        else if (move == "all")
            pedal.allKeysUp();
        else if (move == "up")
        {
            const SostenutoPedal::Released released = pedal.lift();
            std::string ends = "ends";
            for (int i = 0; i < released.count; ++i)
                ends += " " + std::to_string(released.key[i]);
            heard.push_back(ends);
        }
        else if (move[0] == '+')
            pedal.keyStruck(std::stoi(move.substr(1)));
        else if (pedal.holdsRelease(std::stoi(move.substr(1))))
            heard.push_back("held " + move.substr(1));
    }
    return heard;
}
} // namespace

TEST(SostenutoPedal, HoldsExactlyTheKeysDownAsItGoesDown)
{
    const struct
    {
        const char* what;
        std::vector<std::string> moves;
        std::vector<std::string> heard;
    } cases[] = {
        {"keys down before the pedal are held, later ones not",
         {"+48", "+52", "down", "+55", "-48", "-55", "-52", "up"},
         {"held 48", "held 52", "ends 48 52"}},
        {"a key up before the pedal is not held", {"+48", "-48", "down", "-48", "up"}, {"ends"}},
        {"a held key struck again stays held",
         {"+60", "down", "-60", "+60", "-60", "up"},
         {"held 60", "held 60", "ends 60"}},
        {"a held key still down at the lift ends with its own key", {"+60", "down", "up", "-60"}, {"ends"}},
        {"a second press catches nothing new",
         {"+60", "down", "+64", "down", "-64", "-60", "up"},
         {"held 60", "ends 60"}},
        {"a lift without a press lets nothing go", {"+60", "up", "-60"}, {"ends"}},
        {"all notes off forgets the waiting releases",
         {"+60", "down", "-60", "all", "up"},
         {"held 60", "ends"}},
        {"keys off the piano are never held", {"+20", "+109", "down", "-20", "-109", "up"}, {"ends"}},
        {"the lowest and highest keys",
         {"+21", "+108", "down", "-108", "-21", "up"},
         {"held 108", "held 21", "ends 21 108"}},
    };
    for (const auto& c : cases)
    {
        SostenutoPedal pedal;
        EXPECT_EQ(Play(pedal, c.moves), c.heard) << c.what;
        EXPECT_FALSE(pedal.isDown()) << c.what;
    }
}

TEST(SostenutoPedal, SixtyFourAndAboveIsDown)
{
    EXPECT_FALSE(SostenutoPedal::isDownValue(63));
    EXPECT_TRUE(SostenutoPedal::isDownValue(64));
    EXPECT_TRUE(SostenutoPedal::isDownValue(127));
    EXPECT_FALSE(SostenutoPedal::isDownValue(0));
}
