// The plot widget's side of the editing tools: Qt events reach the tools at the page
// point under the pointer in a scrolled view, drags hold and give back the mouse, and
// the window's menus, check marks and pointers follow the tools.
#include "app/PlotWidget.h"
#include "app/MainFrame.h"
#include "doc/CommandIds.h"
#include "support/QtHelpers.h"
#include "support/TestFiles.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"

#include <QAction>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Runs the event loop until done() or for at most ms milliseconds.
void Pump(int ms, const std::function<bool()>& done = [] { return false; }) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// A window on a well of four tracks (metre ruler, GR, RT, lithology), made small and
// scrolled both ways, so a page point differs from the client point under it.
struct PlotFixture : MessageBoxTest {
    CTempDir temp;
    std::unique_ptr<CMainFrame> frame;
    CPlotWidget* plot = nullptr;
    CTarvikDoc* doc = nullptr;
    int dialogs = 0;
    QTimer dialogGuard; // a dialog a test did not expect is counted and closed

    void SetUp() override {
        MessageBoxTest::SetUp();
        UseSettingsIn(temp.path.string());
        frame = std::make_unique<CMainFrame>();
        plot = frame->Plot();
        doc = &frame->Document();
        doc->meterAxis.min = 1000;
        doc->meterAxis.max = 1100;
        doc->RecomputeOtherAxis(kMeters);
        doc->EnsureDepthAxisTrack(kMeters);
        AddLog("GR", 0, 150);
        AddLog("RT", 0.2f, 2000);
        doc->AddNewTrack(NewTrackKind::Lith);
        doc->SetModifiedFlag(false);
        frame->resize(560, 620);
        frame->show();
        frame->PageView().SetResolution(96, 96); // whatever the screen says
        plot->DocumentChanged();
        QApplication::processEvents();
        plot->horizontalScrollBar()->setValue(Track(1).rect.left - 40);
        plot->verticalScrollBar()->setValue(Track(1).rect.top + 60);
        QApplication::processEvents();
        ASSERT_GT(plot->horizontalScrollBar()->value(), 0);
        ASSERT_GT(plot->verticalScrollBar()->value(), 0);
        QObject::connect(&dialogGuard, &QTimer::timeout, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                ++dialogs;
                w->close();
            }
        });
        dialogGuard.start(50);
    }

    void TearDown() override {
        dialogGuard.stop();
        doc->SetModifiedFlag(false);
        frame.reset();
        MessageBoxTest::TearDown();
    }

    void AddLog(const char* label, float low, float high) {
        auto log = std::make_unique<CLogTrack>();
        doc->BindToDepthAxis(*log, kMeters);
        log->hAxis.title = label;
        log->hAxis.AutoScale(low, high, 3);
        doc->tracks.push_back(std::move(log));
    }

    CTrack& Track(int i) const { return *doc->tracks[static_cast<size_t>(i)]; }
    QWidget* Viewport() const { return plot->viewport(); }

    // The client point over a page point, by the scroll bars.
    QPoint Client(int pageX, int pageY) const {
        return {pageX - plot->horizontalScrollBar()->value(),
                pageY - plot->verticalScrollBar()->value()};
    }
    QPoint Centre(int track, int pageY) const {
        const CRect& r = Track(track).rect;
        return Client((r.left + r.right) / 2, pageY);
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent e(type, QPointF(at), QPointF(Viewport()->mapToGlobal(at)), button, held, modifiers);
        QApplication::sendEvent(Viewport(), &e);
    }
    void Press(QPoint at) { Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void Drag(QPoint to) { Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton); }
    void Hover(QPoint to) { Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::NoButton); }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

    bool Checked(int id) {
        frame->UpdateCommandUi();
        return frame->Action(id)->isChecked();
    }
    // Pixels of the row at client y drawn in the live marker line's colour.
    int MarkerPixels(int y) const {
        const QImage shot = Viewport()->grab().toImage();
        int n = 0;
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) == QColor(200, 50, 50)) ++n;
        return n;
    }
};

} // namespace

TEST_F(PlotFixture, PointerEventsLandOnThePagePointUnderThem) {
    const int y = Track(1).rect.top + 200;
    const float depth = Track(1).depthAxis->PixelToValue(y);

    // The read-out is the depth of the page point, not of the client point.
    Hover(Centre(1, y));
    const QString status = frame->statusBar()->currentMessage();
    EXPECT_TRUE(status.startsWith(" Depth =" + QString::number(depth, 'f', 2) + " (m),  GR=")) << status.toStdString();

    // A plain press selects the track under it, Shift keeps the others.
    Press(Centre(1, y));
    Release(Centre(1, y));
    Mouse(QEvent::MouseButtonPress, Centre(2, y), Qt::LeftButton, Qt::LeftButton,
          Qt::ShiftModifier);
    Release(Centre(2, y));
    EXPECT_TRUE(Track(1).selected && Track(2).selected);

    // Move: GR dropped on the right half of RT goes after it, and the mouse is held
    // only while the outline is dragged.
    frame->OnCommand(ID_TOOL_MOVE);
    const CRect rt = Track(2).rect;
    Press(Centre(1, y));
    EXPECT_TRUE(plot->Capturing());
    EXPECT_EQ(QWidget::mouseGrabber(), Viewport());
    const QPoint drop = Client(rt.left + rt.Width() * 3 / 4, y + 30);
    Drag(drop);
    Release(drop);
    EXPECT_FALSE(plot->Capturing());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(Track(1).Label(), "RT");
    EXPECT_EQ(Track(2).Label(), "GR");
}

TEST_F(PlotFixture, EscapeOrALostGrabEndsARangeDragWithoutALayer) {
    auto& lith = static_cast<CLithTrack&>(Track(3));
    frame->OnCommand(ID_TOOL_DRAW);
    const QPoint from = Centre(3, lith.rect.top + 100), to = Centre(3, lith.rect.top + 180);

    Press(from);
    Drag(to);
    ASSERT_TRUE(plot->Capturing());
    Key(plot, Qt::Key_Left); // swallowed by the drag
    Key(plot, Qt::Key_Escape);
    EXPECT_FALSE(plot->Capturing());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    Release(to);

    // Another widget takes the mouse in the middle of the drag.
    Press(from);
    Drag(to);
    ASSERT_TRUE(plot->Capturing());
    QWidget other;
    other.grabMouse();
    Pump(2000, [this] { return !plot->Capturing(); });
    EXPECT_FALSE(plot->Capturing());
    other.releaseMouse();
    Release(to);
    Pump(100); // time for a dialog that must not come
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(lith.Layers().empty());
}

TEST_F(PlotFixture, TheMarkerLineFollowsThePointerAndGivesTheArrowBack) {
    // The live marker line follows the pointer at its client height, and the wheel
    // takes it away.
    frame->OnCommand(ID_TOOL_MARKER);
    EXPECT_TRUE(Checked(ID_TOOL_MARKER));
    const int y = Track(1).rect.top + 120;
    const QPoint at = Centre(1, y);
    Hover(at);
    EXPECT_GT(MarkerPixels(at.y()), Track(1).rect.Width() / 3);
    EXPECT_EQ(MarkerPixels(at.y() + 1), 0);
    QWheelEvent wheel(QPointF(at), QPointF(Viewport()->mapToGlobal(at)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
    EXPECT_EQ(MarkerPixels(at.y()), 0);

    // Placing a marker gives the Arrow back, in the menu and on the pointer.
    Hover(at);
    Press(at);
    Release(at);
    EXPECT_EQ(doc->markers.size(), 1u);
    EXPECT_TRUE(Checked(ID_TOOL_ARROW));
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::ArrowCursor);
}
