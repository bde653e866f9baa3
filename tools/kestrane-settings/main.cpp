// kestrane-settings: reads and writes the per-user settings store from a shell.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/services/settings_store.h"

namespace {

using kes::services::SettingsStore;

constexpr const char* kUsage =
    "usage: kestrane-settings [--app NAME] path | list | get SECTION KEY [DEFAULT] | set SECTION KEY TEXT\n";

int usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "kestrane-settings: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

// One entry a line: a line break or tab inside a value is shown as an escape.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out;
}

void print_text(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

std::string check_names(const std::string& section, const std::string& key) {
    if (!SettingsStore::valid_section_name(section)) return "invalid section name: " + section;
    if (!SettingsStore::valid_key_name(key)) return "invalid key name: " + key;
    return {};
}

int run(std::vector<std::string> args);

}  // namespace

int main(int argc, char** argv) {
    const int status = run(std::vector<std::string>(argv + 1, argv + argc));
    // A value that never reached its reader (a full disk, a closed pipe) must not look like success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("kestrane-settings: cannot write the output\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}

namespace {

int run(std::vector<std::string> args) {
    std::string application = "Ravelo";
    while (!args.empty() && args.front().rfind("--", 0) == 0) {
        const std::string option = args.front();
        args.erase(args.begin());
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option == "--app" && !args.empty()) {
            application = args.front();
            args.erase(args.begin());
        } else if (option.rfind("--app=", 0) == 0) {
            application = option.substr(6);
        } else {
            return usage(option == "--app" ? "--app needs a NAME" : "unknown option " + option);
        }
    }
    if (args.empty()) return usage("");

    const SettingsStore probe(application);
    if (probe.path().empty()) return usage("invalid application name: " + application);
    SettingsStore store = probe;
    const std::string command = args.front();
    const size_t operands = args.size() - 1;

    if (command == "path" && operands == 0) {
        print_text(store.path());
        return 0;
    }
    if (command == "list" && operands == 0) {
        // An empty list would look like an empty store; say why nothing can be listed.
        const kes::services::Status readable = store.check();
        if (!readable) {
            std::fprintf(stderr, "kestrane-settings: %s\n", readable.message().c_str());
            return 1;
        }
        for (const auto& entry : store.entries()) {
            print_text(entry.section + "/" + entry.key + "=" + escaped(entry.text));
        }
        return 0;
    }
    if (command == "get" && (operands == 2 || operands == 3)) {
        const std::string problem = check_names(args[1], args[2]);
        if (!problem.empty()) return usage(problem);
        if (store.contains(args[1], args[2])) {
            print_text(store.read(args[1], args[2], ""));
            return 0;
        }
        if (operands == 3) {
            print_text(args[3]);
            return 0;
        }
        return 1;
    }
    if (command == "set" && operands == 3) {
        const std::string problem = check_names(args[1], args[2]);
        if (!problem.empty()) return usage(problem);
        const kes::services::Status status = store.write(args[1], args[2], args[3]);
        if (!status) {
            std::fprintf(stderr, "kestrane-settings: %s\n", status.message().c_str());
            return 1;
        }
        return 0;
    }
    if (command == "path" || command == "list" || command == "get" || command == "set") {
        return usage("wrong number of arguments for " + command);
    }
    return usage("unknown command " + command);
}

}  // namespace
