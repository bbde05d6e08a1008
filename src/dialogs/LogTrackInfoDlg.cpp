// "Properties" of a strat track, and the font sample it shows.
#include "dialogs/LogTrackInfoDlg.h"

#include "dialogs/ColourPicker.h"
#include "dialogs/PropertyPages.h"
#include "platform/QtSurface.h"
#include "tracks/StratTrack.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Font dialogs speak points; the plot's fonts are pixels of a 96 dpi screen.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

} // namespace

// ---------------------------------------------------------------------------
// The sample

CFontExampleWin::CFontExampleWin(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CFontExampleWin::SetFontDesc(const CFontDesc& font) {
    font_ = font;
    Redraw();
}

void CFontExampleWin::SetColour(ColourRef colour) {
    colour_ = colour;
    Redraw();
}

void CFontExampleWin::Redraw() {
    if (isVisible()) repaint();
}

QSize CFontExampleWin::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16, fontMetrics().height() * 4};
}

void CFontExampleWin::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    CQtSurface dc(painter);
    dc.SelectFont(font_);
    dc.SetTextColor(colour_);
    dc.SetBkMode(BK_TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const CSize extent = dc.GetTextExtent(kSample);
    const QPoint centre = area.center();
    dc.TextOut(centre.x(), centre.y() - extent.cy / 2, kSample);
}

// ---------------------------------------------------------------------------
// Font descriptions and the font dialog

QFont FontDialogFont(const CFontDesc& font) {
    // The surface realises the description as the plot draws it, cell heights and
    // point sizes included; measuring needs no device.
    QPainter idle;
    CQtSurface dc(idle);
    dc.SelectFont(font);
    const QFont drawn = dc.CurrentQFont();
    QFont shown(MapFontFace(font.face));
    shown.setPointSizeF(std::max(1, drawn.pixelSize()) / kPixelsPerPoint);
    shown.setWeight(drawn.weight());
    shown.setItalic(font.italic);
    return shown;
}

CFontDesc FontFromDialog(const QFont& picked, const CFontDesc& before) {
    CFontDesc font;
    const QString family = picked.family();
    // An unchanged "Liberation Sans" is still the "Arial" the document named.
    font.face = family == MapFontFace(before.face) ? before.face : family.toStdString();
    const double pixels =
        picked.pixelSize() > 0 ? picked.pixelSize() : picked.pointSizeF() * kPixelsPerPoint;
    font.height = pixels > 0 ? -std::max(1, static_cast<int>(std::lround(pixels))) : before.height;
    font.weight = picked.weight();
    font.italic = picked.italic();
    return font;
}

// ---------------------------------------------------------------------------
// The dialog

CLogTrackInfoDlg::CLogTrackInfoDlg(CStratTrack& track, QWidget* parent)
    : QDialog(parent), track_(track) {
    setWindowTitle(tr("Properties"));
    title_ = new QLineEdit(TextFromBytes(track.title), this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setMaxLength(kTitleLimit);
    title_->setMinimumWidth(title_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    width_ = MakeExactNumberEdit(track.width, QStringLiteral("width"), this);
    colour_ = MakePageColourButton(track.fontColor, QStringLiteral("textColor"), this);

    sample_ = new CFontExampleWin(this);
    sample_->setObjectName(QStringLiteral("sample"));
    sample_->SetFontDesc(track.font);
    sample_->SetColour(track.fontColor);
    // The sample follows the button, a previewed colour included.
    connect(colour_, &CColourPicker::SelectionChanged, sample_, &CFontExampleWin::SetColour);
    connect(colour_, &CColourPicker::SelectionEndedOk, sample_, &CFontExampleWin::SetColour);
    connect(colour_, &CColourPicker::SelectionCancelled, sample_, &CFontExampleWin::SetColour);

    font_ = new QPushButton(tr("Font ..."), this);
    font_->setObjectName(QStringLiteral("font"));
    font_->setAutoDefault(false);
    connect(font_, &QPushButton::clicked, this, &CLogTrackInfoDlg::OnFont);

    auto* form = MakePageForm();
    form->addRow(tr("Title:"), title_);
    form->addRow(tr("Track width (in):"), width_);
    form->addRow(tr("Text Color:"), colour_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sample_);
    layout->addWidget(font_, 0, Qt::AlignLeft);
    layout->addWidget(MakeOkCancel(this));
    title_->setFocus();
}

void CLogTrackInfoDlg::OnFont() {
    const CFontDesc before = sample_->FontDesc();
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, FontDialogFont(before), this);
    if (ok) sample_->SetFontDesc(FontFromDialog(picked, before));
}

void CLogTrackInfoDlg::accept() {
    if (const auto fault = CheckTrackWidth(width_)) {
        ShowPageFault(this, *fault);
        return;
    }
    float width = track_.width;
    if (!ReadPageNumbers(this, {{width_, &width}})) return;
    track_.title = EditedBytes(title_, track_.title);
    track_.width = width;
    track_.font = sample_->FontDesc();
    track_.fontColor = colour_->GetColour();
    QDialog::accept();
}
