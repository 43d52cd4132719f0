// The outputs through the window: the RTF export with its three dialogs (the file as the core
// builds it from the list on screen), printing to a PDF file (pages, header, rows), the page
// setup stored in section "Print", and the print dialog's title box.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QtTest>

#include "DialogScript.h"
#include "UiRecords.h"
#include "UiTestEnv.h"
#include "list/ZOLListTableView.h"
#include "list/ZOLListViewMgr.h"
#include "output/ZOLRtfListCtrl.h"
#include "platform/SettingsStore.h"
#include "scan/ZOLScanState.h"
#include "ui/MainFrm.h"
#include "ui/ZOLExportRtfDlg.h"
#include "ui/ZOLMyPageSetupDlg.h"
#include "ui/ZOLMyPrintDlg.h"
#include "ui/ZOLPrintListCtrl.h"
#include "ui/ZOLRtfOutputDlg.h"
#include "ui/ZOLView.h"

namespace kelvane {
namespace {

// The text of one page of a PDF (pdftotext), or of all pages with page 0.
QString PdfText(const QString& pdf, int page = 0) {
    QStringList args;
    if (page > 0) {
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    }
    args << pdf << "-";
    QProcess process;
    process.start("pdftotext", args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// `count` records "Row 000.sty" ... in /music/, shown in name order.
void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
        test::AddUiRecord({QString("Row %1.sty").arg(i, 3, 10, QChar('0')).toStdString(), "/music/",
                           1000 + i, 100 + i, "Style"});
    }
    ListViewMgr().FileList().SetSortKeys({kFieldFilename, -1, 1, 1});
    ListViewMgr().ForceRebuild(true, nullptr, false);
}

}  // namespace

class OutputsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void RtfExportWritesTheListOnScreen();
    void PrintToPdfGivesEveryRowOnNumberedPages();
    void PageSetupIsStoredInSectionPrint();
    void PrintDialogTitleFollowsTheHeaderSwitches();
};

void OutputsTest::RtfExportWritesTheListOnScreen() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    test::AddUiRecord({"Caf\xc3\xa9 {Bossa}.sty", "/music/", 1, 120, "Latin \\ Bossa"});
    test::AddUiRecord({"Plain.sty", "/music/", 2, 90, "Pop"});
    ListViewMgr().ForceRebuild(true, nullptr, false);
    ScanState().currentStartFolder = "/music/";
    const std::string file = env.Work() + "list.rtf";
    CZOLListTableView table(ListViewMgr());
    // The last column is left out; the file name (first column) stays.
    TableColumn dropped;
    QVERIFY(table.Column(table.ColumnCount() - 1, dropped));

    auto script = std::make_unique<test::DialogScript>();
    bool hiddenColumnDisabled = false;
    script->On<CExportRTFDlg>([&](CExportRTFDlg* dialog) {
        // A field whose column is not shown cannot be ticked.
        QCheckBox* hidden = dialog->BoxOf(kFieldCopyright);
        hiddenColumnDisabled = hidden != nullptr && !hidden->isEnabled() && !hidden->isChecked();
        dialog->SelectAll();
        dialog->BoxOf(dropped.fieldId)->setChecked(false);
        dialog->accept();
    });
    script->On<QFileDialog>([&](QFileDialog* dialog) {
        // Typed into the name box, as a user would.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(file));
        static_cast<QDialog*>(dialog)->accept();  // protected in QFileDialog
    });
    script->On<CZOLRtfOutputDlg>([&](CZOLRtfOutputDlg* dialog) {
        dialog->HeaderEdit()->setText("Liste {1}");
        dialog->PortraitButton()->setChecked(true);
        dialog->accept();
    });
    frame->View()->RunCommand(ViewCommand::WriteRtf);
    QCOMPARE(script->Unexpected(), std::vector<std::string>{});
    QCOMPARE(script->Answered(), 3);
    QVERIFY(hiddenColumnDisabled);
    script.reset();

    // The document the core builds for the same list, ticks and page texts.
    FieldTicks ticks;
    for (int i = 0; i < table.ColumnCount(); ++i) {
        TableColumn column;
        QVERIFY(table.Column(i, column));
        ticks.set(static_cast<size_t>(column.fieldId), column.fieldId != dropped.fieldId);
    }
    std::string expected;
    const RtfPageText page{"Liste {1}", PaperOrientation::Portrait, "/music/",
                           ListViewMgr().CurrentList()->FilterText()};
    QCOMPARE(BuildRtfDocument(&table, ticks, page, expected), 0);
    const std::string written = test::ReadFileBytes(file);
    QCOMPARE(written, expected);
    QVERIFY(written.find("Caf\\'e9 \\{Bossa\\}.sty") != std::string::npos);
    QVERIFY(written.find("Latin \\\\ Bossa") != std::string::npos);
    QVERIFY(env.panes.Texts().back() == "0:Finished writing rtf file");
    // The writer keeps the header, orientation and file for the next output.
    QCOMPARE(frame->View()->RtfWriter().PageHeader(), std::string("Liste {1}"));
    QCOMPARE(frame->View()->RtfWriter().LastFileName(), file);

    // Cancel in the column choice writes nothing.
    std::filesystem::remove(file);
    test::DialogScript cancel;
    cancel.On<CExportRTFDlg>([](CExportRTFDlg* dialog) { dialog->reject(); });
    frame->View()->RunCommand(ViewCommand::WriteRtf);
    QVERIFY(!std::filesystem::exists(file));
}

void OutputsTest::PrintToPdfGivesEveryRowOnNumberedPages() {
    if (!HavePoppler()) {
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the PDF");
    }
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    constexpr int kRows = 400;
    AddRows(kRows);
    ScanState().currentStartFolder = "/music/";
    const QString pdf = QString::fromStdString(env.Work() + "list.pdf");
    CZOLListTableView table(ListViewMgr());
    CPrintListCtrl& printing = frame->View()->Printing();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QCOMPARE(printing.PrintTo(printer, table, "Tour List", false), 0);

    const int pages = PdfPages(pdf);
    QVERIFY2(pages >= 3, qPrintable(QString("pages: %1").arg(pages)));
    const QString first = PdfText(pdf, 1);
    QVERIFY(first.contains("Tour List"));
    QVERIFY(first.contains("Page 1"));
    QVERIFY(first.contains("Path: /music/"));
    QVERIFY(first.contains("Filename"));
    QVERIFY(first.contains("Row 000.sty"));
    const QString last = PdfText(pdf, pages);
    QVERIFY(last.contains(QString("Page %1").arg(pages)));
    QVERIFY(last.contains(QString("Row %1.sty").arg(kRows - 1)));
    QVERIFY(last.contains("Filename"));  // every page has its column heads
    // Every row is printed once, in list order.
    const QString all = PdfText(pdf);
    qsizetype at = 0;
    for (int i = 0; i < kRows; ++i) {
        const QString name = QString("Row %1.sty").arg(i, 3, 10, QChar('0'));
        QCOMPARE(all.count(name), 1);
        const qsizetype found = all.indexOf(name);
        QVERIFY(found > at);
        at = found;
    }

    // Without the page header the pages start with the table.
    printing.Settings().printHeader = false;
    QCOMPARE(printing.PrintTo(printer, table, "Tour List", false), 0);
    const QString bare = PdfText(pdf, 1);
    QVERIFY(!bare.contains("Tour List"));
    QVERIFY(!bare.contains("Page 1"));
    QVERIFY(bare.contains("Row 000.sty"));
    QVERIFY(PdfPages(pdf) <= pages);
}

void OutputsTest::PageSetupIsStoredInSectionPrint() {
    test::UiEnv env;
    auto frame = env.StartFrame();
    QVERIFY(frame != nullptr);
    test::DialogScript script;
    script.On<CZOLMyPageSetupDlg>([](CZOLMyPageSetupDlg* dialog) {
        dialog->findChild<QSpinBox*>("PrintLeftMargin")->setValue(31);
        dialog->findChild<QSpinBox*>("PageBodyFontSize")->setValue(10);
        dialog->findChild<QCheckBox*>("PrintDate")->setChecked(false);
        // The header's parts follow the header switch.
        dialog->findChild<QCheckBox*>("PrintHeader")->setChecked(false);
        const bool titleFollows = !dialog->findChild<QCheckBox*>("PrintTitle")->isEnabled();
        dialog->findChild<QCheckBox*>("PrintHeader")->setChecked(titleFollows);
        dialog->findChild<QRadioButton*>("PaperOrientationLandscape")->setChecked(true);
        dialog->accept();
    });
    frame->View()->RunCommand(ViewCommand::PageSetup);
    QCOMPARE(script.Answered(), 1);
    const NuvSettingsStore& store = SettingsStore();
    QCOMPARE(store.ReadInt("Print", "PrintLeftMargin", -1), 31);
    QCOMPARE(store.ReadInt("Print", "PageBodyFontSize", -1), 10);
    QCOMPARE(store.ReadInt("Print", "PrintDate", -1), 0);
    QCOMPARE(store.ReadInt("Print", "PrintHeader", -1), 1);
    QCOMPARE(store.ReadInt("Print", "PaperOrientation", -1), 2);
    QCOMPARE(store.ReadInt("Print", "PrintTopMargin", -1), 15);
    QCOMPARE(frame->View()->Printing().Printer().pageLayout().orientation(),
             QPageLayout::Landscape);
    // A new start reads them back.
    auto again = env.StartFrame();
    QCOMPARE(again->View()->Printing().Settings().printLeftMargin, 31);
    QVERIFY(!again->View()->Printing().Settings().printDate);
}

void OutputsTest::PrintDialogTitleFollowsTheHeaderSwitches() {
    test::UiEnv env;
    QVERIFY(env.Start());
    QPrinter printer;
    PrintSettings settings;
    settings.lastTitle = "Gala";
    CZOLMyPrintDlg enabled(&printer, nullptr, settings);
    QVERIFY(enabled.TitleEdit()->isEnabled());
    QCOMPARE(enabled.TitleEdit()->text(), QStringLiteral("Gala"));
    enabled.TitleEdit()->setText("Tour");
    QCOMPARE(enabled.Title(), std::string("Tour"));
    settings.printTitle = false;
    CZOLMyPrintDlg disabled(&printer, nullptr, settings);
    QVERIFY(!disabled.TitleEdit()->isEnabled());
    QCOMPARE(disabled.TitleEdit()->text(), QStringLiteral("(may be enabled via File/Page Setup)"));
    QCOMPARE(disabled.Title(), std::string());
}

}  // namespace kelvane

QTEST_MAIN(kelvane::OutputsTest)
#include "Outputs_test.moc"
