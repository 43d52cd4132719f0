#include "ui/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ZOLHelpTopics.h"
#include "ui/NuvQtText.h"
#include "ui/ZOLAppUi.h"

namespace kelvane {
namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 640;

// The style sheet the pages link (help/help.css, two folders above the page).
QString HelpStyleSheet(const std::string& pageFile) {
    QFile sheet(PathToQt(pageFile).section('/', 0, -4) + "/help.css");
    if (!sheet.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(sheet.readAll());
}

QPointer<HelpWindow>& CurrentHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    back_ = new QPushButton(Tr("@button_help_back@< &Back"), this);
    forward_ = new QPushButton(Tr("@button_help_forward@&Forward >"), this);
    auto* contents = new QPushButton(Tr("@button_help_contents@C&ontents"), this);
    auto* close = new QPushButton(Tr("@button_close@&Close"), this);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);  // web links go to the web browser
    layout->addWidget(browser_, 1);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage(contents_); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::UpdateButtons);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle()); });
    resize(kWidth, kHeight);
    UpdateButtons();
}

void HelpWindow::ShowPage(const std::string& file) {
    contents_ = HelpPageFile(help::kTopics);
    browser_->document()->setDefaultStyleSheet(HelpStyleSheet(file));
    browser_->setSource(QUrl::fromLocalFile(PathToQt(file)));
    show();
    raise();
    activateWindow();
}

void HelpWindow::UpdateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

void HelpOnF1(QPushButton* helpButton) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), helpButton->window());
    QObject::connect(key, &QShortcut::activated, helpButton, &QPushButton::click);
}

HelpWindow* ShowHelpWindow(const std::string& file) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = BoxParent();
    }
    QPointer<HelpWindow>& window = CurrentHelpWindow();
    if (window != nullptr && window->parentWidget() != owner) {
        window->close();
        window = nullptr;
    }
    if (window == nullptr) {
        window = new HelpWindow(owner);
    }
    window->ShowPage(file);
    return window.data();
}

}  // namespace kelvane
