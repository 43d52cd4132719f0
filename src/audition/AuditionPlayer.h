// The real-time audition: plays a song or a style section through the sound card while the
// program goes on. The sound runs on the audio output's own thread; the calls below return at
// once and may come from any one thread (the desktop's main thread).
//
//   AuditionPlayer player({}, MakeDeviceOutput());
//   player.Prepare();                        // loads the SoundFont in the background
//   player.Play({path, false, "Main B"}, problem);   // switches to that file and section
//   player.SetTempo(0.8);  player.Position();  player.Stop();
//
// The SoundFont is loaded once, on a thread of its own, at the first Prepare or Play; a Play
// before it is ready starts as soon as it is. The audio output opens then too. Without a
// SoundFont or an audio device the player says so (State, StatusText) and Play returns false
// with the same message; the program goes on without sound.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audition/AudioOutput.h"
#include "audition/AuditionProgram.h"
#include "audition/AuditionSynth.h"
#include "platform/NonCopyable.h"

namespace kelvane {

class ProgramPlayback;

enum class AuditionState {
    kIdle,     // nothing playing (not started, stopped, or the music ended)
    kLoading,  // the SoundFont is being loaded; a play waits for it
    kPlaying,
    kNoSoundFont,    // no SoundFont found or loadable: no sound this run
    kNoAudioDevice,  // no audio device opened: no sound this run
};

struct AuditionPosition {
    AuditionState state = AuditionState::kIdle;
    uint64_t playId = 0;  // the Play call this position belongs to (from 1)
    std::string name;     // the section's name or the song's file name
    bool loops = false;
    int64_t microseconds = 0;      // music time since the start (loop passes added up)
    int64_t pass = 0;              // the loop pass, from 1
    int64_t passMicroseconds = 0;  // the length of one pass
    int64_t framesRendered = 0;    // frames rendered for this play so far
};

struct AuditionPlayerOptions {
    std::string soundFont;  // a setting's SoundFont; empty: search DefaultSoundFontPlaces()
    std::vector<std::string> soundFontPlaces;  // empty: DefaultSoundFontPlaces()
};

class AuditionPlayer : NonCopyable {
  public:
    AuditionPlayer(AuditionPlayerOptions options, std::unique_ptr<AudioOutput> output);
    // Stops the sound, waits for a SoundFont load under way, closes the output.
    ~AuditionPlayer();

    // Starts loading the SoundFont and opening the output in the background (once).
    void Prepare();
    // Reads the file and switches to it: the sound stops and the new music starts with the
    // next audio buffer. False with a message for the user when the file cannot be played
    // (the sound stops then too) or when the player has no SoundFont or device.
    bool Play(const AuditionRequest& request, std::string& problem);
    void Stop();
    // 1.0 as written; kept within ProgramPlayback's limits. Holds for later plays too.
    void SetTempo(double factor);
    double Tempo() const { return tempo_.load(); }

    AuditionState State() const;
    AuditionPosition Position() const;
    // The message for the states without sound (translated); empty otherwise.
    std::string StatusText() const;
    // Waits until the background load is over; true when sound can be played.
    bool WaitUntilReady();

  private:
    void Load();
    void Render(float* left, float* right, int frames);
    void Publish(const ProgramPlayback* playback, int frames);
    void SetState(AuditionState state, std::string text);

    AuditionPlayerOptions options_;
    std::unique_ptr<AudioOutput> output_;
    AuditionSynth synth_;  // used by the loader, then by the audio thread only
    std::thread loader_;
    std::mutex loaderMutex_;
    std::once_flag prepared_;

    // Requests for the audio thread, taken at the start of its next buffer.
    std::mutex requestMutex_;
    std::shared_ptr<ProgramPlayback> pending_;
    bool stopRequested_ = false;
    uint64_t pendingId_ = 0;
    std::atomic<double> tempo_{1.0};

    // Owned by the audio thread.
    std::shared_ptr<ProgramPlayback> current_;
    uint64_t currentId_ = 0;

    // What the other threads see.
    mutable std::mutex stateMutex_;
    AuditionPosition position_;
    std::string statusText_;
    uint64_t lastId_ = 0;
};

}  // namespace kelvane
