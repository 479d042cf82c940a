// Test programs that call the engine directly first make the synthesizer library usable, as the plug-in
// does when an instance starts.
#include <gtest/gtest.h>

#include <string>

#include "engine/FluidSynthLibrary.h"

namespace enginetest
{
namespace
{

class LinkedLibrary : public ::testing::Environment
{
public:
    void SetUp() override
    {
        std::string report;
        ASSERT_TRUE(engine::FluidSynthLibrary::load("", report)) << report;
    }
};

const ::testing::Environment* const kLinkedLibrary = ::testing::AddGlobalTestEnvironment(new LinkedLibrary);

} // namespace
} // namespace enginetest
