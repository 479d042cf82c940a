// virellando-render: plays a MIDI file through the instrument into a WAV file.
#include "render/Renderer.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    try
    {
        render::Renderer renderer(std::cout, std::cerr);
        return renderer.run(std::vector<std::string>(argv + 1, argv + argc));
    }
    catch (const std::exception& e)
    {
        // Only allocation failures can get here; report them like any other error.
        std::cerr << "virellando-render: " << e.what() << "\n";
        return 1;
    }
}
