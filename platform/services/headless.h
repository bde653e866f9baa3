#pragma once

namespace kes::services {

// Headless mode: message boxes, event-log entries and beeps are recorded in
// memory instead of reaching the desktop, so tests can run them and look.
// Off by default; also switched on when the environment holds KESTRANE_HEADLESS=1.
void set_headless(bool on);
bool is_headless();

// Forgets everything recorded so far (message boxes, events, beeps).
void clear_recorded();

}  // namespace kes::services
