#include <cstdio>

int main()
{
    std::fprintf(stderr, "usage: scrpack inspect|dump|pack|extract ...\n");
    return 2;
}
