// The transport of the built-in audition, a bar under the list: Play/Stop, the section chooser
// (the focused style's own sections; a song plays whole), the tempo in percent and the
// position. Space in either list plays and stops the focused row; moving to another row while
// playing switches to it after a short pause, so that walking down the list stays smooth.
// Closing the window stops the sound.
//
// The player (src/audition) is made at the first play: its SoundFont loads in the background
// then, and the sound runs on the audio output's own thread while this bar polls the position.
// It is made anew when the SoundFont setting changed. Without a SoundFont or an audio device
// the user is told once, and the bar shows that it has no sound.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;

namespace kelvane {

class AudioOutput;
class AuditionPlayer;
class CZOLListArea;
class CZOLListWidget;

class AuditionBar final : public QWidget {
    Q_OBJECT

  public:
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;
    // The pause after the last move to another row before the bar follows it.
    static constexpr int kFollowDelayMs = 150;

    AuditionBar(CZOLListArea& lists, QWidget* parent);
    ~AuditionBar() override;

    // Where the sound goes (the sound card by default); takes effect with the next player.
    void SetOutputFactory(OutputFactory factory);

    // Plays a file (the Play command): a style's section as chosen in the bar. True when the
    // file plays; false when it cannot (the bar says why) or there is no sound.
    bool PlayFile(const std::string& path);
    // Space: stops, or plays the focused row.
    void TogglePlay();
    void Stop();

    // True from a play until Stop, the end of a song, or the news that there is no sound.
    bool Active() const { return active_; }
    // The file playing (or asked for); empty when stopped.
    const std::string& PlayingPath() const { return playingPath_; }
    QComboBox* Sections() const { return sections_; }
    QPushButton* PlayButton() const { return play_; }
    AuditionPlayer* Player() const { return player_.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void WatchList(CZOLListWidget* list);
    std::string FocusedPath() const;
    void FollowFocus();
    void ShowSections(const std::string& path);
    void OnSectionChosen(int index);
    bool EnsurePlayer();
    bool StartPlay(const std::string& path);
    void Poll();
    void ShowStopped();
    void TellNoSound();

    CZOLListArea& lists_;
    OutputFactory outputFactory_;
    std::unique_ptr<AuditionPlayer> player_;
    std::string playerSoundFont_;  // the setting the player was made with
    QPushButton* play_ = nullptr;
    QComboBox* sections_ = nullptr;
    QSpinBox* tempo_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* poll_ = nullptr;
    QTimer* follow_ = nullptr;
    bool active_ = false;
    uint64_t playId_ = 0;
    std::string playingPath_;
    std::string sectionsPath_;               // the file the chooser lists
    std::vector<std::string> sectionNames_;  // its sections, as the file spells them
    std::string chosenSection_;              // the user's last choice, kept for the next styles
    bool noSound_ = false;                   // the player said it has no sound (told once)
};

}  // namespace kelvane
