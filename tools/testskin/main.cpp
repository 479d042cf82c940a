// virellando-testskin FILE: writes a small skin with every item the editor names (FILE and a folder
// of pictures beside it), for tests and screenshots while no product skin is at hand.
#include <cstdio>

#include "testskin/TestSkin.h"

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: virellando-testskin SKINFILE\n");
        return 2;
    }
    if (!testskin::Write(argv[1]))
    {
        std::fprintf(stderr, "virellando-testskin: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
