// The built-in player's transport in the window, with an audio output that opens but is never
// pulled (no sound card): Space plays and stops the focused row, walking to another row
// switches to it and a sort does not, the chooser lists the focused style's sections, Play
// uses the built-in player when no external one is named, closing stops, and a missing
// SoundFont is told once.
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "UiTestEnv.h"
#include "audition/AudioOutput.h"
#include "audition/AuditionPlayer.h"
#include "audition/AuditionTestFiles.h"
#include "list/MyListCtrl.h"
#include "list/ZOLListViewMgr.h"
#include "records/ZOLStyleData.h"
#include "support/StyleFileBuilder.h"
#include "support/ZOLConfigValues.h"
#include "ui/AuditionBar.h"
#include "ui/MainFrm.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

// What the bar waits for comes from other threads (SoundFont loading, the follow timer); under
// the sanitizers on a busy machine that can take far longer than QTRY's default 5 s.
constexpr int kWaitMs = 30000;

// Opens at once and is never asked for sound: the player's state shows what it would play.
class SilentOutput final : public AudioOutput {
  public:
    bool Open(RenderFn render) override {
        render_ = std::move(render);
        return true;
    }
    void Close() override { render_ = nullptr; }
    std::string Name() const override { return render_ ? "silent" : ""; }

  private:
    RenderFn render_;
};

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

}  // namespace

class AuditionBarTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void SpaceAndWalkingFollowTheFocusedRow();
    void PlayCommandAndClosingTheWindow();
    void MissingSoundFontIsToldOnce();

  private:
    int RowOf(const std::string& name) const;
    // Makes the row of `name` the current one; its row number.
    int Focus(const std::string& name);
    std::string Path(const std::string& name) const { return tree_ + name; }

    std::unique_ptr<test::UiEnv> env_;
    std::unique_ptr<CMainFrame> frame_;
    AuditionBar* bar_ = nullptr;
    CZOLListWidget* list_ = nullptr;
    std::string tree_;
};

void AuditionBarTest::init() {
    const std::string soundFont = test::TestSoundFont();
    if (soundFont.empty()) {
        QSKIP("no SoundFont on this machine (timgm6mb-soundfont)");
    }
    env_ = std::make_unique<test::UiEnv>();
    frame_ = env_->StartFrame();
    QVERIFY(frame_ != nullptr);
    Config().soundFont = soundFont;
    tree_ = env_->Work();
    test::WriteFileBytes(
        Path("a.sty"),
        test::StyleFileBuilder(test::StyleMidi({"SFF1", "SInt", "Intro A", "Main A", "Main B"}))
            .Bytes());
    test::WriteFileBytes(
        Path("b.sty"),
        test::StyleFileBuilder(test::StyleMidi({"SFF1", "SInt", "Main B", "Ending A"})).Bytes());
    test::WriteFileBytes(Path("c.sty"), test::StyleFileBuilder(test::StyleMidi({"SFF1"})).Bytes());
    frame_->View()->SetStartFolder(tree_, false);
    frame_->View()->RunCommand(ViewCommand::Refresh);
    bar_ = frame_->View()->Audition();
    bar_->SetOutputFactory([] { return std::make_unique<SilentOutput>(); });
    list_ = frame_->View()->Lists()->FileListWidget();
    frame_->show();
    list_->setFocus();
}

void AuditionBarTest::cleanup() {
    frame_.reset();
    env_.reset();
}

int AuditionBarTest::RowOf(const std::string& name) const {
    for (int row = 0; row < list_->List().RowCount(); ++row) {
        if (list_->List().StyleRecordOfRow(row)->Text(kFieldFilename) == name) {
            return row;
        }
    }
    return -1;
}

int AuditionBarTest::Focus(const std::string& name) {
    const int row = RowOf(name);
    if (row >= 0) {
        list_->setCurrentIndex(list_->model()->index(row, 0));
    }
    return row;
}

void AuditionBarTest::SpaceAndWalkingFollowTheFocusedRow() {
    QCOMPARE(list_->List().RowCount(), 3);
    QVERIFY(Focus("a.sty") >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(Items(bar_->Sections()), (QStringList{"Intro A", "Main A", "Main B"}),
                              kWaitMs);
    QCOMPARE(bar_->Sections()->currentText(), QStringLiteral("Main A"));

    QTest::keyClick(list_, Qt::Key_Space);
    QVERIFY(bar_->Active());
    QCOMPARE(bar_->PlayingPath(), Path("a.sty"));
    QVERIFY(bar_->Player()->WaitUntilReady());
    QCOMPARE(bar_->Player()->Position().state, AuditionState::kPlaying);
    QCOMPARE(bar_->Player()->Position().name, std::string("Main A"));

    // The user's choice of section carries over to the next style that has it.
    bar_->Sections()->setCurrentIndex(2);
    Q_EMIT bar_->Sections()->activated(2);
    QCOMPARE(bar_->Player()->Position().name, std::string("Main B"));

    // The arrow keys still move the list's cursor; the sound follows after the pause. Sorted
    // by name (either way), b.sty stands next to a.sty.
    const int column = list_->List().ColumnOfField(kFieldFilename);
    list_->List().SortByColumn(column, false);
    const int a = Focus("a.sty");
    const int b = Focus("b.sty");
    QVERIFY(std::abs(a - b) == 1);
    Focus("a.sty");
    QTest::keyClick(list_, b > a ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(list_->currentIndex().row(), b);
    QTRY_COMPARE_WITH_TIMEOUT(bar_->PlayingPath(), Path("b.sty"), kWaitMs);
    QCOMPARE(Items(bar_->Sections()), (QStringList{"Main B", "Ending A"}));
    QCOMPARE(bar_->Player()->Position().name, std::string("Main B"));

    // Sorting again turns the order round (a.sty and c.sty change places) but moves nobody:
    // the same play goes on, not started again.
    Focus("a.sty");
    QTRY_COMPARE_WITH_TIMEOUT(bar_->PlayingPath(), Path("a.sty"), kWaitMs);
    const uint64_t playId = bar_->Player()->Position().playId;
    list_->List().SortByColumn(column, false);
    // The view's cursor, lost with the rows, comes back on another row when the list gets the
    // focus again (as QAbstractItemView does it: current, not selected).
    list_->selectionModel()->setCurrentIndex(list_->model()->index(RowOf("c.sty"), 0),
                                             QItemSelectionModel::NoUpdate);
    QTest::qWait(AuditionBar::kFollowDelayMs * 2);
    QCOMPARE(bar_->PlayingPath(), Path("a.sty"));
    QCOMPARE(bar_->Player()->Position().playId, playId);

    // A file without sections says so and stops the sound; the bar stays on for the next row.
    bar_->PlayFile(Path("c.sty"));
    QVERIFY(bar_->Active());
    QVERIFY(!bar_->Sections()->isEnabled());
    QCOMPARE(bar_->Player()->State(), AuditionState::kIdle);

    QTest::keyClick(list_, Qt::Key_Space);
    QVERIFY(!bar_->Active());
    QCOMPARE(bar_->Player()->State(), AuditionState::kIdle);
    QVERIFY(env_->dialogs.boxes.empty());
}

void AuditionBarTest::PlayCommandAndClosingTheWindow() {
    Config().player1.clear();
    Config().playWith = 0;
    ListViewMgr().CurrentList()->ClearSelection();
    ListViewMgr().CurrentList()->Select(Focus("b.sty"));
    frame_->View()->RunCommand(ViewCommand::Play);
    QVERIFY(bar_->Active());
    QCOMPARE(bar_->PlayingPath(), Path("b.sty"));
    QVERIFY(bar_->Player()->WaitUntilReady());
    QCOMPARE(bar_->Player()->State(), AuditionState::kPlaying);

    frame_->close();
    QVERIFY(!bar_->Active());
    QCOMPARE(bar_->Player()->State(), AuditionState::kIdle);
}

void AuditionBarTest::MissingSoundFontIsToldOnce() {
    Config().soundFont = tree_ + "missing.sf2";
    Focus("a.sty");
    QTest::keyClick(list_, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(env_->dialogs.boxes.size(), std::size_t{1}, kWaitMs);
    QVERIFY(env_->dialogs.Contains("missing.sf2"));
    QVERIFY(!bar_->Active());
    QVERIFY(!bar_->PlayButton()->isEnabled());
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Space);
    QTest::qWait(AuditionBar::kFollowDelayMs * 2);
    QCOMPARE(env_->dialogs.boxes.size(), std::size_t{1});

    // Another SoundFont setting makes a new player, which plays.
    Config().soundFont = test::TestSoundFont();
    QTest::keyClick(list_, Qt::Key_Space);
    QVERIFY(bar_->Active());
    QVERIFY(bar_->Player()->WaitUntilReady());
    QVERIFY(bar_->PlayButton()->isEnabled());
}

}  // namespace kelvane

QTEST_MAIN(kelvane::AuditionBarTest)
#include "AuditionBar_test.moc"
