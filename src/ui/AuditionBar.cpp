#include "ui/AuditionBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "audition/AudioOutput.h"
#include "audition/AuditionPlayer.h"
#include "audition/AuditionProgram.h"
#include "list/MyListCtrl.h"
#include "records/ZOLStyleData.h"
#include "support/NUVConfig.h"
#include "support/NUVText.h"
#include "support/NUVUserInterface.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"

namespace kelvane {
namespace {

constexpr int kPollMs = 100;
constexpr int kMinTempoPercent = 25;  // ProgramPlayback's limits
constexpr int kMaxTempoPercent = 400;

bool IsSilent(AuditionState state) {
    return state == AuditionState::kNoSoundFont || state == AuditionState::kNoAudioDevice;
}

// "1:05.3": minutes, seconds and tenths of the music played.
QString MusicTime(int64_t microseconds) {
    const int64_t tenths = microseconds / 100'000;
    return QString::asprintf("%lld:%02lld.%lld", static_cast<long long>(tenths / 600),
                             static_cast<long long>(tenths / 10 % 60),
                             static_cast<long long>(tenths % 10));
}

// The section to offer in a file: the one chosen before when the file has it (its case may
// differ), else the first Main section, else the first.
int SectionIndex(const std::vector<std::string>& names, const std::string& chosen) {
    int fallback = -1;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == chosen) {
            return static_cast<int>(i);
        }
        if (fallback < 0 && !chosen.empty() && EqualsIgnoringCase(names[i], chosen)) {
            fallback = static_cast<int>(i);
        }
    }
    for (size_t i = 0; fallback < 0 && i < names.size(); ++i) {
        if (names[i].starts_with("Main")) {
            fallback = static_cast<int>(i);
        }
    }
    return std::max(fallback, 0);
}

QString FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return PathToQt(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

AuditionBar::AuditionBar(CZOLListArea& lists, QWidget* parent) : QWidget(parent), lists_(lists) {
    BuildControls();
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &AuditionBar::Poll);
    follow_ = new QTimer(this);
    follow_->setSingleShot(true);
    follow_->setInterval(kFollowDelayMs);
    connect(follow_, &QTimer::timeout, this, &AuditionBar::FollowFocus);
    WatchList(lists_.FileListWidget());
    WatchList(lists_.SongListWidget());
    // Closing the window stops the sound.
    if (QWidget* frame = window(); frame != this) {
        frame->installEventFilter(this);
    }
}

AuditionBar::~AuditionBar() = default;

void AuditionBar::BuildControls() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    play_ = new QPushButton(Tr("Play"), this);
    play_->setAutoDefault(false);
    play_->setFocusPolicy(Qt::NoFocus);  // the list keeps the keyboard, Space included
    play_->setToolTip(Tr("Play or stop the selected file (Space)"));
    connect(play_, &QPushButton::clicked, this, &AuditionBar::TogglePlay);
    auto* sectionLabel = new QLabel(Tr("Section:"), this);
    sections_ = new QComboBox(this);
    sections_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    sections_->setMinimumContentsLength(10);
    sections_->setEnabled(false);
    sectionLabel->setBuddy(sections_);
    connect(sections_, &QComboBox::activated, this, &AuditionBar::OnSectionChosen);
    auto* tempoLabel = new QLabel(Tr("Tempo:"), this);
    tempo_ = new QSpinBox(this);
    tempo_->setRange(kMinTempoPercent, kMaxTempoPercent);
    tempo_->setSingleStep(5);
    tempo_->setValue(100);
    tempo_->setSuffix(QStringLiteral(" %"));
    tempoLabel->setBuddy(tempo_);
    connect(tempo_, &QSpinBox::valueChanged, this, [this](int percent) {
        if (player_) {
            player_->SetTempo(percent / 100.0);
        }
    });
    position_ = new QLabel(this);
    position_->setMinimumWidth(
        position_->fontMetrics().horizontalAdvance(QStringLiteral("00:00.0")));
    status_ = new QLabel(this);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(play_);
    row->addWidget(sectionLabel);
    row->addWidget(sections_);
    row->addWidget(tempoLabel);
    row->addWidget(tempo_);
    row->addWidget(position_);
    row->addWidget(status_, 1);
}

void AuditionBar::WatchList(CZOLListWidget* list) {
    list->installEventFilter(this);
    QItemSelectionModel* selection = list->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this, selection](const QModelIndex& current, const QModelIndex& previous) {
                // A model reset (sorting, filtering) leaves no current row, and the view then
                // puts its cursor on the first row when it gets the focus, without selecting
                // it: the user moved nothing.
                if (current.isValid() && (previous.isValid() || selection->isSelected(current))) {
                    follow_->start();
                }
            });
}

void AuditionBar::SetOutputFactory(OutputFactory factory) {
    outputFactory_ = std::move(factory);
}

bool AuditionBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == lists_.FileListWidget() || watched == lists_.SongListWidget())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Space plays and stops before the list's own keys (selection, type-ahead) see it.
        if (key->key() == Qt::Key_Space &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) {
                TogglePlay();
            }
            return true;
        }
    } else if (event->type() == QEvent::Close && watched == window()) {
        Stop();
    }
    return QWidget::eventFilter(watched, event);
}

std::string AuditionBar::FocusedPath() const {
    const CZOLListWidget* list = lists_.Current();
    if (list == nullptr) {
        return {};
    }
    const QModelIndex current = list->currentIndex();
    // Without a current row (after sorting) the first selected row stands for it.
    const long row = current.isValid() ? current.row() : list->List().FirstSelectedRowNumber() - 1;
    const StyleDataPacket* record = row >= 0 ? list->List().StyleRecordOfRow(row) : nullptr;
    if (record == nullptr) {
        return {};
    }
    return std::string(record->Text(kFieldPath)) + std::string(record->Text(kFieldFilename));
}

void AuditionBar::TogglePlay() {
    if (active_) {
        Stop();
        return;
    }
    const std::string path = FocusedPath();
    if (!path.empty()) {
        StartPlay(path);
    }
}

bool AuditionBar::PlayFile(const std::string& path) {
    return StartPlay(path);
}

void AuditionBar::Stop() {
    follow_->stop();
    if (player_) {
        player_->Stop();
    }
    ShowStopped();
}

void AuditionBar::ShowStopped() {
    active_ = false;
    playingPath_.clear();
    poll_->stop();
    play_->setText(Tr("Play"));
    position_->clear();
    if (!noSound_) {
        status_->clear();
    }
}

void AuditionBar::FollowFocus() {
    const std::string path = FocusedPath();
    if (path.empty()) {
        return;
    }
    if (path != sectionsPath_) {
        ShowSections(path);
    }
    if (active_ && path != playingPath_) {
        StartPlay(path);
    }
}

void AuditionBar::ShowSections(const std::string& path) {
    sectionsPath_ = path;
    sectionNames_.clear();
    sections_->clear();
    sections_->setToolTip(QString());
    if (!IsStyleMode()) {
        sections_->addItem(Tr("Song"));
        sections_->setEnabled(false);
        return;
    }
    std::vector<std::string> names;
    std::string problem;
    if (!ListAuditionSections(path, names, problem)) {
        sections_->setEnabled(false);
        sections_->setToolTip(ToQt(problem));
        return;
    }
    for (const std::string& name : names) {
        sections_->addItem(ToQt(name));
    }
    sectionNames_ = std::move(names);
    sections_->setCurrentIndex(SectionIndex(sectionNames_, chosenSection_));
    sections_->setEnabled(true);
}

void AuditionBar::OnSectionChosen(int index) {
    if (index < 0 || index >= static_cast<int>(sectionNames_.size())) {
        return;
    }
    chosenSection_ = sectionNames_[static_cast<size_t>(index)];
    if (active_ && playingPath_ == sectionsPath_) {
        StartPlay(sectionsPath_);
    }
}

bool AuditionBar::EnsurePlayer() {
    const std::string& soundFont = Config().soundFont;
    if (player_ && soundFont == playerSoundFont_) {
        return !noSound_;
    }
    // A new SoundFont setting: a new player (the old one stops and closes its output).
    player_.reset();
    noSound_ = false;
    play_->setEnabled(true);
    status_->setToolTip(QString());
    std::unique_ptr<AudioOutput> output = outputFactory_ ? outputFactory_() : MakeDeviceOutput();
    player_ =
        std::make_unique<AuditionPlayer>(AuditionPlayerOptions{soundFont, {}}, std::move(output));
    playerSoundFont_ = soundFont;
    player_->SetTempo(tempo_->value() / 100.0);
    player_->Prepare();
    return true;
}

bool AuditionBar::StartPlay(const std::string& path) {
    if (!EnsurePlayer()) {
        return false;
    }
    if (path != sectionsPath_) {
        ShowSections(path);
    }
    const int index = sections_->currentIndex();
    const bool chosen = index >= 0 && index < static_cast<int>(sectionNames_.size());
    const AuditionRequest request{path, !IsStyleMode(),
                                  chosen ? sectionNames_[static_cast<size_t>(index)] : ""};
    active_ = true;
    playingPath_ = path;
    play_->setText(Tr("Stop"));
    position_->clear();
    poll_->start();
    std::string problem;
    if (!player_->Play(request, problem)) {
        playId_ = 0;
        if (IsSilent(player_->State())) {
            TellNoSound();
        } else {
            // The file cannot be played; moving on to the next row plays that one.
            status_->setText(ToQt(problem));
        }
        return false;
    }
    playId_ = player_->Position().playId;
    status_->setText(FileName(path));
    return true;
}

void AuditionBar::Poll() {
    if (!player_) {
        return;
    }
    const AuditionPosition at = player_->Position();
    if (IsSilent(at.state)) {
        TellNoSound();
        return;
    }
    if (!active_ || at.playId != playId_) {
        return;
    }
    if (at.state == AuditionState::kIdle) {
        ShowStopped();  // the song has ended
        return;
    }
    position_->setText(at.state == AuditionState::kLoading ? QString()
                                                           : MusicTime(at.microseconds));
}

void AuditionBar::TellNoSound() {
    if (noSound_) {
        return;
    }
    noSound_ = true;
    const std::string text = player_->StatusText();
    ShowStopped();
    play_->setEnabled(false);
    status_->setText(Tr("No sound"));
    status_->setToolTip(ToQt(text));
    // Once per player, not for every row: the program goes on without sound.
    ShowBox(text, BoxIcon::Information);
}

}  // namespace kelvane
