// Test helper: appends one line to the error-log file the way the program does, so a test
// can run it under an environment or umask of its choice.
//   append_probe FILE LINE      exit 0 when appended, else 1 with the reason on stderr

#include <cstdio>

#include "platform/services/application.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: append_probe FILE LINE\n", stderr);
        return 2;
    }
    const kes::services::Status status = kes::services::append_line(argv[1], argv[2]);
    if (!status) {
        std::fprintf(stderr, "%s\n", status.message().c_str());
        return 1;
    }
    return 0;
}
