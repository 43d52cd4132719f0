#include "ui/ZOLAppUi.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <utility>

#include "app/FirstStart.h"
#include "app/ZOLHelpTopics.h"
#include "app/ZOLMain.h"
#include "platform/SettingsStore.h"
#include "support/NUVConfig.h"
#include "support/NUVFileInfo.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"
#include "ui/HelpWindow.h"
#include "ui/MainFrm.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLListArea.h"
#include "ui/ZOLListWidget.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

QString BoxTitle() {
    return ToQt(CurrentModeNames().productName);
}

QMessageBox::Icon QtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::Stop:
            return QMessageBox::Critical;
        case BoxIcon::Exclamation:
            break;
    }
    return QMessageBox::Warning;
}

// The box answers and their buttons; anything else counts as OK.
constexpr std::pair<BoxAnswer, QMessageBox::StandardButton> kAnswerButtons[] = {
    {BoxAnswer::Cancel, QMessageBox::Cancel},
    {BoxAnswer::Yes, QMessageBox::Yes},
    {BoxAnswer::No, QMessageBox::No},
};

QMessageBox::StandardButton QtButton(BoxAnswer answer) {
    for (const auto& [known, button] : kAnswerButtons) {
        if (known == answer) {
            return button;
        }
    }
    return QMessageBox::Ok;
}

BoxAnswer AnswerOf(int button) {
    for (const auto& [answer, known] : kAnswerButtons) {
        if (known == button) {
            return answer;
        }
    }
    return BoxAnswer::Ok;
}

QMessageBox::StandardButtons QtButtons(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case BoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case BoxButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Boxes are answered with the normal cursor, also while a command shows its wait cursor.
template <typename Body>
void WithNormalCursor(Body&& body) {
    int restored = 0;
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
        ++restored;
    }
    body();
    for (int i = 0; i < restored; ++i) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

// A settings file that exists but cannot be read (a folder in its place, bytes that are not
// an INI file) leaves every value at its default.
bool SettingsFileUnreadable() {
    const QFileInfo info(PathToQt(SettingsStore().FileName()));
    return info.exists() && (info.isDir() || !info.isReadable() || SettingsStore().Status() != 0);
}

QPointer<CMainFrame>& FramePointer() {
    static QPointer<CMainFrame> frame;
    return frame;
}

}  // namespace

bool ReportUnreadableSettingsFile() {
    if (!SettingsFileUnreadable()) {
        return false;
    }
    NUV_WARNING(
        "%s\n%s",
        Translate("The settings file cannot be read; the default settings are used:").c_str(),
        SettingsStore().FileName().c_str());
    return true;
}

int ExecWithNormalCursor(QDialog& dialog) {
    int result = QDialog::Rejected;
    WithNormalCursor([&] { result = dialog.exec(); });
    return result;
}

QWidget* BoxParent() {
    return FramePointer().data();
}

void OpenHelpPage(const std::string& page) {
    const std::string file = HelpPageFile(page);
    if (FileExists(file) == 0) {
        ShowBox(MissingHelpPageMessage(file));
        return;
    }
    ShowHelpWindow(file);
}

void CQtMessageSink::ShowBox(Severity, const std::string& text) {
    RunOnUiThread([&text] {
        WithNormalCursor([&text] { QMessageBox::warning(BoxParent(), BoxTitle(), ToQt(text)); });
    });
}

void CQtMessageSink::ConsoleText(const std::string& text) {
    std::fputs(text.c_str(), stdout);
}

void CQtMessageSink::ConsoleMessage(Severity severity, const std::string& text) {
    if (severity >= Severity::Warning) {
        std::fputs(text.c_str(), stderr);
    } else if (TraceLevel() > trace::kDefault) {
        ConsoleText(text);
    }
}

void CQtMessageSink::ExitProgram(int exitCode) {
    exitRequested_ = true;
    exitCode_ = exitCode;
    // Queued, so that a worker's request and one made before the event loop both end it.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); },
        Qt::QueuedConnection);
}

void CQtStatusPanes::SetPaneText(int pane, const std::string& text) {
    RunOnUiThread([this, pane, &text] {
        if (frame_ != nullptr) {
            frame_->SetPaneText(pane, ToQt(text));
        }
    });
}

BoxAnswer CQtUserDialogs::MessageBox(const std::string& text, BoxIcon icon, BoxButtons buttons,
                                     BoxAnswer defaultAnswer) {
    BoxAnswer answer = defaultAnswer;
    RunOnUiThread([&] {
        QMessageBox box(QtIcon(icon), BoxTitle(), ToQt(text), QtButtons(buttons), BoxParent());
        box.setDefaultButton(QtButton(defaultAnswer));
        WithNormalCursor([&] { answer = AnswerOf(box.exec()); });
    });
    return answer;
}

CZOLAppUi::CZOLAppUi() {
    SetMessageSink(&sink_);
    SetStatusPanes(&panes_);
    SetUserDialogs(&dialogs_);
    SetProgressHost(&progress_);
    SetFileOpPrompts(&prompts_);
}

CZOLAppUi::~CZOLAppUi() {
    SetFileOpPrompts(nullptr);
    SetProgressHost(nullptr);
    SetUserDialogs(nullptr);
    SetStatusPanes(nullptr);
    SetMessageSink(nullptr);
    panes_.SetFrame(nullptr);
    delete frame_;
}

int CZOLAppUi::Start(int argc, char** argv) {
    const StartResult start = CZOLApp().InitInstance(argc, argv);
    if (start.status != 0) {
        return start.status;
    }
    if (sink_.ExitRequested()) {
        return sink_.ExitCode() != 0 ? sink_.ExitCode() : 1;
    }
    ReportUnreadableSettingsFile();
    frame_ = new CMainFrame();
    FramePointer() = frame_;
    panes_.SetFrame(frame_);
    // Again now that the language is loaded, so the mode text is translated.
    SetRunMode(RunMode());
    frame_->setWindowTitle(ToQt(WindowTitle()));
    // A folder named as the document argument is the folder to show.
    std::string folder = Config().effectiveStartPath;
    if (!start.documentArgument.empty() && FolderExists(start.documentArgument) != 0) {
        folder = start.documentArgument;
        EnsureTrailingBackslash(folder);
    }
    // A first start on a folder whose files all lie in subfolders reads them: the box shows it
    // and one click takes it back.
    const bool firstStart = IsFirstStart();
    const bool readBelow = Config().includeSubfolders == 0 &&
                           Config().includeSubfoldersRequest == -1 && firstStart &&
                           FilesOnlyInSubfolders(folder);
    if (readBelow) {
        Config().includeSubfolders = 1;
    }
    frame_->View()->SetStartFolder(folder, Config().includeSubfolders != 0);
    frame_->show();
    frame_->View()->ReadStartFolder();
    if (firstStart) {
        FitColumnsToContents(*frame_->View()->Lists()->FileListWidget());
    }
    if (readBelow) {
        frame_->SetPaneText(0, Tr("Incl. Subfolders ticked: the files are in subfolders") + " - " +
                                   frame_->PaneText(0));
    }
    return 0;
}

}  // namespace kelvane
