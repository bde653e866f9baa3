#include "platform/services/beep.h"

#include <SDL.h>

#include <cmath>
#include <numbers>
#include <mutex>
#include <vector>

#include "platform/services/headless.h"
#include "platform/services/recorder.h"

namespace kes::services {
namespace {

constexpr int kRate = 44100;
constexpr double kFrequency = 880.0;
constexpr int kDurationMs = 90;

// The device stays open for the whole run so each beep only queues samples.
struct BeepDevice {
    SDL_AudioDeviceID id = 0;
    bool tried = false;
    std::vector<float> tone;
};

BeepDevice& device() {
    static BeepDevice d;
    return d;
}

std::vector<float> make_tone() {
    const int samples = kRate * kDurationMs / 1000;
    const int fade = kRate * 5 / 1000;  // soft edges avoid clicks
    std::vector<float> tone(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        double envelope = 1.0;
        if (i < fade) envelope = static_cast<double>(i) / fade;
        if (samples - i < fade) envelope = static_cast<double>(samples - i) / fade;
        tone[static_cast<size_t>(i)] =
            static_cast<float>(0.25 * envelope * std::sin(2.0 * std::numbers::pi * kFrequency * i / kRate));
    }
    return tone;
}

bool open_device(BeepDevice& d) {
    if (d.tried) return d.id != 0;
    d.tried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    wanted.callback = nullptr;  // queued audio
    SDL_AudioSpec got{};
    d.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, 0);
    if (d.id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    d.tone = make_tone();
    SDL_PauseAudioDevice(d.id, 0);
    return true;
}

}  // namespace

void beep() {
    if (is_headless()) {
        detail::Recorder& r = detail::recorder();
        std::lock_guard<std::mutex> lock(r.mutex);
        ++r.beeps;
        return;
    }
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    BeepDevice& d = device();
    if (!open_device(d)) return;
    // A burst of key presses should not pile up a long queue of tones.
    if (SDL_GetQueuedAudioSize(d.id) > d.tone.size() * sizeof(float)) return;
    SDL_QueueAudio(d.id, d.tone.data(), static_cast<Uint32>(d.tone.size() * sizeof(float)));
}

int recorded_beep_count() {
    detail::Recorder& r = detail::recorder();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.beeps;
}

}  // namespace kes::services
