#include "audition/AuditionPlayer.h"

#include <algorithm>

#include "audition/EventCursor.h"
#include "audition/ProgramPlayback.h"
#include "audition/SoundFontSearch.h"
#include "support/NUVLang.h"

namespace kelvane {
namespace {

bool IsSilentState(AuditionState state) {
    return state == AuditionState::kNoSoundFont || state == AuditionState::kNoAudioDevice;
}

}  // namespace

AuditionPlayer::AuditionPlayer(AuditionPlayerOptions options, std::unique_ptr<AudioOutput> output)
    : options_(std::move(options)), output_(std::move(output)) {
    if (options_.soundFontPlaces.empty()) {
        options_.soundFontPlaces = DefaultSoundFontPlaces();
    }
}

AuditionPlayer::~AuditionPlayer() {
    Stop();
    {
        std::lock_guard lock(loaderMutex_);
        if (loader_.joinable()) {
            loader_.join();
        }
    }
    if (output_) {
        output_->Close();
    }
}

void AuditionPlayer::Prepare() {
    std::call_once(prepared_, [this] {
        SetState(AuditionState::kLoading, {});
        loader_ = std::thread(&AuditionPlayer::Load, this);
    });
}

bool AuditionPlayer::WaitUntilReady() {
    Prepare();
    {
        std::lock_guard lock(loaderMutex_);
        if (loader_.joinable()) {
            loader_.join();
        }
    }
    return !IsSilentState(State());
}

void AuditionPlayer::Load() {
    const std::string path = FindSoundFont(options_.soundFont, options_.soundFontPlaces);
    std::string problem;
    if (path.empty()) {
        SetState(AuditionState::kNoSoundFont, NoSoundFontMessage());
        return;
    }
    if (!synth_.LoadSoundFont(path, problem)) {
        SetState(AuditionState::kNoSoundFont, problem);
        return;
    }
    if (!output_ || !output_->Open([this](float* l, float* r, int n) { Render(l, r, n); })) {
        SetState(AuditionState::kNoAudioDevice,
                 Translate("No audio device could be opened: styles and songs cannot be heard."));
        return;
    }
    std::lock_guard lock(stateMutex_);
    if (position_.state == AuditionState::kLoading) {
        // A play that waited for the SoundFont starts with the first buffer.
        position_.state = position_.playId != 0 && !position_.name.empty() ? AuditionState::kPlaying
                                                                           : AuditionState::kIdle;
    }
}

bool AuditionPlayer::Play(const AuditionRequest& request, std::string& problem) {
    Prepare();
    if (IsSilentState(State())) {
        problem = StatusText();
        return false;
    }
    auto program = std::make_shared<AuditionProgram>();
    if (!LoadAuditionProgram(request, *program, problem)) {
        Stop();
        return false;
    }
    auto playback = std::make_shared<ProgramPlayback>(program, kNoEnd);
    std::lock_guard stateLock(stateMutex_);
    const uint64_t id = ++lastId_;
    {
        std::lock_guard lock(requestMutex_);
        pending_ = std::move(playback);
        pendingId_ = id;
        stopRequested_ = false;
    }
    const bool loading = position_.state == AuditionState::kLoading;
    position_ = AuditionPosition{};
    position_.state = loading ? AuditionState::kLoading : AuditionState::kPlaying;
    position_.playId = id;
    position_.name = program->name;
    position_.loops = program->loops;
    position_.passMicroseconds = program->passMicroseconds;
    return true;
}

void AuditionPlayer::Stop() {
    std::lock_guard stateLock(stateMutex_);
    {
        std::lock_guard lock(requestMutex_);
        pending_.reset();
        stopRequested_ = true;
    }
    // A new id: what the audio thread still reports for the old play is not shown.
    position_.playId = ++lastId_;
    position_.name.clear();
    position_.framesRendered = 0;
    if (position_.state == AuditionState::kPlaying) {
        position_.state = AuditionState::kIdle;
    }
}

void AuditionPlayer::SetTempo(double factor) {
    tempo_.store(std::clamp(factor, ProgramPlayback::kMinTempo, ProgramPlayback::kMaxTempo));
}

AuditionState AuditionPlayer::State() const {
    std::lock_guard lock(stateMutex_);
    return position_.state;
}

AuditionPosition AuditionPlayer::Position() const {
    std::lock_guard lock(stateMutex_);
    return position_;
}

std::string AuditionPlayer::StatusText() const {
    std::lock_guard lock(stateMutex_);
    return statusText_;
}

void AuditionPlayer::SetState(AuditionState state, std::string text) {
    std::lock_guard lock(stateMutex_);
    position_.state = state;
    statusText_ = std::move(text);
}

void AuditionPlayer::Render(float* left, float* right, int frames) {
    std::shared_ptr<ProgramPlayback> next;
    bool stop = false;
    uint64_t nextId = 0;
    {
        std::lock_guard lock(requestMutex_);
        next = std::move(pending_);
        nextId = pendingId_;
        stop = stopRequested_;
        stopRequested_ = false;
    }
    if ((stop || next) && current_) {
        synth_.AllNotesOff();
        current_.reset();
    }
    if (next) {
        current_ = std::move(next);
        currentId_ = nextId;
        current_->Start(synth_);
    }
    if (!current_) {
        synth_.RenderFloat(left, right, frames);
        return;
    }
    current_->SetTempo(tempo_.load());
    current_->Render(synth_, frames, [&](int offset, int count) {
        synth_.RenderFloat(left + offset, right + offset, count);
    });
    Publish(current_.get(), frames);
    if (current_->Finished()) {
        current_.reset();
    }
}

void AuditionPlayer::Publish(const ProgramPlayback* playback, int frames) {
    std::lock_guard lock(stateMutex_);
    if (position_.playId != currentId_) {
        return;
    }
    position_.microseconds = playback->MusicMicroseconds();
    position_.pass = playback->Pass();
    position_.framesRendered += frames;
    position_.state = playback->Finished() ? AuditionState::kIdle : AuditionState::kPlaying;
}

}  // namespace kelvane
