// Test helper: plays the other copy of the program, or a misbehaving peer.
//   single_copy_probe second APP            a second start: exit 0 when the running copy confirmed,
//                                           10 when no other copy holds the lock, 11 when none answered
//   single_copy_probe hold APP READY_FILE   takes the lock, creates READY_FILE, answers requests for 60 s
//   single_copy_probe peer SOCKET BYTES MS  connects, sends BYTES (C escapes \n), waits MS for a reply;
//                                           exit 0 when "ok\n" came back, else 20

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/services/process.h"
#include "platform/services/single_copy.h"

namespace {

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

int peer(const std::string& socket_path, const std::string& bytes, int wait_ms) {
    const auto reply = kes::services::exchange_with_copy(socket_path, bytes, wait_ms);
    if (!reply) return 30;
    return *reply == "ok\n" ? 0 : 20;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "second" && argc == 3) {
        kes::services::SingleCopy copy(argv[2]);
        if (!copy.another_copy_running()) return 10;
        return copy.activate_running_copy(3000) ? 0 : 11;
    }
    if (mode == "hold" && argc == 4) {
        kes::services::SingleCopy copy(argv[2]);
        if (copy.another_copy_running()) return 12;
        std::ofstream(argv[3]) << "ready\n";
        for (int i = 0; i < 6000; ++i) {
            copy.poll_raise_request();
            kes::services::sleep_ms(10);
        }
        return 0;
    }
    if (mode == "peer" && argc == 5) return peer(argv[2], unescape(argv[3]), std::atoi(argv[4]));
    std::fputs("usage: single_copy_probe second APP | hold APP READY_FILE | peer SOCKET BYTES MS\n", stderr);
    return 2;
}
