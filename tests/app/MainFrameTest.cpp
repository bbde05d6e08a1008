#include "app/MainFrame.h"
#include "platform/Printing.h"
#include "support/QtHelpers.h"
#include "support/TestFiles.h"
#include "tracks/LogTrack.h"

#include <QCloseEvent>
#include <QPrinter>

namespace {

// Settings in a folder of the test's own; message boxes answered from a script.
struct FrameFixture : MessageBoxTest {
    CTempDir temp;

    void SetUp() override {
        MessageBoxTest::SetUp();
        UseSettingsIn(temp.path.string());
    }
    static void AddLog(CTarvikDoc& doc) {
        auto log = std::make_unique<CLogTrack>();
        doc.BindToDepthAxis(*log, kMeters);
        doc.tracks.push_back(std::move(log));
    }
};

} // namespace

// A file the window cannot open says what is wrong with it, in the box and for the
// command line that started the window.
TEST_F(FrameFixture, AFileThatCannotBeOpenedSaysWhy) {
    CMainFrame frame;
    const std::string cut = SamplePath("v3.0_sample_3.0.las");
    EXPECT_FALSE(frame.OpenDocumentFile(QString::fromStdString(cut)));
    const std::string said = "Not sure if this is a valid LAS file\n" + cut + ": it has no data section (~A)";
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toStdString(), said);
    EXPECT_EQ(frame.Platform().LastMessage(), said);
}

TEST_F(FrameFixture, ClosingAsksAndAFailedSaveKeepsTheWindow) {
    CMainFrame frame;
    CTarvikDoc& doc = frame.Document();
    AddLog(doc);
    doc.SetModifiedFlag();
    doc.SetPathName((temp.path / "no/such/folder/well.tvk").string());
    // Cancel, and Yes with a save that fails: the window stays, the document too.
    for (auto button : {QMessageBox::Cancel, QMessageBox::Yes}) {
        answer = button;
        QCloseEvent close;
        QCoreApplication::sendEvent(&frame, &close);
        EXPECT_FALSE(close.isAccepted()) << button;
    }
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages[0], QStringLiteral("Save changes to well.tvk?"));
    EXPECT_EQ(doc.TrackCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    answer = QMessageBox::No;
}

// A machine without a printer gives a PDF printer without a file: printing must ask
// for one. A named PDF, or a real printer, prints at once.
TEST(Printing, APdfWithoutAFileNameNeedsOne) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());
    EXPECT_TRUE(NeedsPdfFileName(printer));
    printer.setOutputFileName(QStringLiteral("/tmp/plot.pdf"));
    EXPECT_FALSE(NeedsPdfFileName(printer));
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(QStringLiteral("Office"));
    EXPECT_FALSE(NeedsPdfFileName(printer));
}

namespace {

size_t PdfPages(const std::string& text) {
    size_t pages = 0;
    for (size_t at = text.find("/Type /Page"); at != std::string::npos; at = text.find("/Type /Page", at + 1))
        pages += text.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

} // namespace

TEST_F(FrameFixture, PrintsOnAsManySheetsAsThePageNeeds) {
    CMainFrame frame;
    CTarvikDoc& doc = frame.Document();
    AddLog(doc);
    doc.EnsureDepthAxisTrack(kMeters);
    doc.logHeight = 20; // 20.5 in over 10 in of printable height: 3 sheets
    QPrinter printer(QPrinter::HighResolution);
    const auto pdf = temp.path / "plot.pdf";
    printer.setOutputFileName(QString::fromStdString(pdf.string())); // a PDF printer
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    EXPECT_EQ(PrintPage(frame.PageView(), printer, false), 3);
    EXPECT_EQ(PdfPages(ReadFileText(pdf)), 3u);

    // The range chosen in the print dialog: the last two sheets.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 5);
    EXPECT_EQ(PrintPage(frame.PageView(), printer, false), 2);
    EXPECT_EQ(PdfPages(ReadFileText(pdf)), 2u);

    // A printer that takes no second sheet has not printed the page.
    struct COneSheet : QPrinter {
        using QPrinter::QPrinter;
        bool newPage() override { return false; }
    } one(QPrinter::HighResolution);
    one.setOutputFileName(QString::fromStdString((temp.path / "one.pdf").string()));
    EXPECT_EQ(PrintPage(frame.PageView(), one, false), -1);
    doc.SetModifiedFlag(false);
}
