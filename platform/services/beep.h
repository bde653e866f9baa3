#pragma once

namespace kes::services {

// The system beep: a short tone through SDL's audio. Returns at once (the
// tone plays on the audio thread). Where no audio device opens nothing
// happens and nothing fails. In headless mode it is only counted.
void beep();

// Beeps counted in headless mode since the last clear_recorded().
int recorded_beep_count();

}  // namespace kes::services
