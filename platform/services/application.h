#pragma once

#include <string>
#include <string_view>

#include "platform/services/status.h"

namespace kes::services {

struct AppVersion {
    int major;
    int minor;
    int revision;
};

// The application title, "Kestrane" unless set otherwise.
std::string app_title();
// Replaces the title for the rest of the run (the single-copy check empties it).
void set_app_title(std::string_view title);

// The folder holding the running executable, without a trailing slash.
std::string app_folder();

// 5, 0, 914: the version shown as "v5.0.0914".
AppVersion app_version();

// An environment value. "username" (any case) is the login name of the user
// and "computername" the host name, as the program's logs name them; any
// other name is looked up in the environment. Empty when unset.
std::string environment_value(std::string_view name);

// $XDG_STATE_HOME when set to an absolute path, else ~/.local/state.
std::string user_state_folder();

// Where the error log "ErrorLog.txt" goes: the application folder when it is
// writable, else <user state folder>/<application title>/ErrorLog.txt.
std::string error_log_path();

// Appends `line` and `line_end` to the text file at `path` in one write,
// creating the file (0600) and any missing folder (0700).
Status append_line(const std::string& path, std::string_view line, std::string_view line_end = "\r\n");

// Ends the process at once with `exit_status`, after flushing standard output.
[[noreturn]] void end_process(int exit_status);

}  // namespace kes::services
