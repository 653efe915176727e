#include <cstdio>

int main(int argc, char** argv)
{
    (void)argc;
    std::fprintf(stderr, "usage: %s render FILE.scr --out DIR\n", argv[0]);
    return 2;
}
