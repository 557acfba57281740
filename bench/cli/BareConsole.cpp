// A console program built and linked (static) as tandrelc is but with none of its libraries: the
// floor of a tandrelc run under Wine. Alone it only writes a line; given a bench tree's sources
// and targets (bare_console SRC OUT) it also looks up each pair, as /update must.
#include "StatWalk.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc > 2)
        std::printf("%d pairs\n", StatWalk(argv[1], argv[2]));
    else
        std::printf("bare\n");
    return 0;
}
