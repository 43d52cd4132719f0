#include "UiTestEnv.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

#include "app/ZOLMain.h"
#include "list/ZOLListViewMgr.h"
#include "platform/SettingsStore.h"
#include "support/NUVTrace.h"
#include "support/ZOLRunMode.h"
#include "ui/MainFrm.h"

namespace kelvane::test {
namespace {

void CopyDataFiles(const QString& target) {
    QDir data(QString::fromStdString(SourceDir().string()) + "/data");
    for (const QString& name : data.entryList({"kelvane.CF?"}, QDir::Files)) {
        QFile::copy(data.filePath(name), target + "/" + name);
    }
}

}  // namespace

BoxAnswer RecordingDialogs::MessageBox(const std::string& text, BoxIcon, BoxButtons, BoxAnswer) {
    boxes.push_back(text);
    return answer;
}

bool RecordingDialogs::Contains(const std::string& fragment) const {
    for (const std::string& box : boxes) {
        if (box.find(fragment) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void RecordingPanes::SetPaneText(int pane, const std::string& text) {
    std::lock_guard guard(lock_);
    texts_.push_back(std::to_string(pane) + ":" + text);
}

std::vector<std::string> RecordingPanes::Texts() const {
    std::lock_guard guard(lock_);
    return texts_;
}

UiEnv::UiEnv()
    : oldHome_(qgetenv("KELVANE_HOME")),
      oldSettings_(qgetenv("KELVANE_SETTINGS")),
      oldUserHome_(qgetenv("HOME")) {
    CopyDataFiles(home_.path());
    qputenv("KELVANE_HOME", home_.path().toUtf8());
    qputenv("KELVANE_SETTINGS", (work_.path() + "/settings.ini").toUtf8());
    qputenv("HOME", work_.path().toUtf8());
    SettingsStore().Open(settings::kCompany);
    SetTraceFolder(work_.path().toStdString());
    SetUserDialogs(&dialogs);
    SetStatusPanes(&panes);
    SetProgressHost(&progress);
}

UiEnv::~UiEnv() {
    // The next test starts with an empty record store and lists without a sort.
    ListViewMgr().ClearBothLists();
    ListViewMgr().ResumeBothDisplays();
    for (CMyListCtrl* list : {&ListViewMgr().FileList(), &ListViewMgr().SongList()}) {
        list->SetSortKeys({-1, -1, 1, 1});
        list->SetRowNumberVisible(false);
    }
    SetProgressHost(nullptr);
    SetStatusPanes(nullptr);
    SetUserDialogs(nullptr);
    ResetStartState();
    SetTraceFolder("");
    const auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    };
    restore("KELVANE_HOME", oldHome_);
    restore("KELVANE_SETTINGS", oldSettings_);
    restore("HOME", oldUserHome_);
    SettingsStore().Open(settings::kCompany);
}

std::string UiEnv::Home() const {
    return home_.path().toStdString() + "/";
}

std::string UiEnv::Work() const {
    return work_.path().toStdString() + "/";
}

void UiEnv::WriteHomeFile(const std::string& name, const std::string& bytes) const {
    WriteFileBytes(Home() + name, bytes);
}

bool UiEnv::Start(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"kelvane"};
    all.insert(all.end(), args.begin(), args.end());
    return CZOLApp().InitInstance(all).status == 0;
}

std::unique_ptr<CMainFrame> UiEnv::StartFrame(const std::vector<std::string>& args) {
    if (!Start(args)) {
        return nullptr;
    }
    auto frame = std::make_unique<CMainFrame>();
    SetRunMode(RunMode());
    return frame;
}

}  // namespace kelvane::test
