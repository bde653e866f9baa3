#pragma once

// Internal to kes_services: small file-system helpers shared by the services.

#include <string>
#include <string_view>

#include "platform/services/status.h"

namespace kes::services::detail {

// The user's home folder: $HOME, else the password database.
std::string home_folder();

// An environment value that is an absolute path, else `fallback_below_home` under the home folder.
std::string xdg_folder(const char* variable, std::string_view fallback_below_home);

// Creates `path` and any missing parents with mode 0700 whatever the umask; existing folders are left as they are.
Status make_folders(const std::string& path);

// Opens `path` with `flags`, creating it 0600 whatever the umask when it is missing;
// an existing file keeps its mode. A descriptor, or -1 with errno set.
int open_private(const std::string& path, int flags);

// The folder part of `path` ("." when it has none).
std::string parent_folder(const std::string& path);

// "what: path: reason" for the current errno.
std::string errno_message(std::string_view what, const std::string& path);

// Monotonic milliseconds, for deadlines.
long long now_ms();

}  // namespace kes::services::detail
