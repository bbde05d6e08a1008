#include "app/Headless.h"

#include <cstdio>
#include <cstring>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tarvik --save-as OUT.tvk IN\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--save-as") == 0) {
        if (argc != 4) return Usage();
        return RunSaveAs(argv[2], argv[3]);
    }
    return Usage();
}
