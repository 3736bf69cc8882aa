#include <cstdio>

int main()
{
    std::fputs("usage: pyx-cli inspect FILE [--settings S]\n", stderr);
    return 2;
}
