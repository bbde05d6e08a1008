#include "tracks/Track.h"

#include "base/TableWriter.h"

#include <atomic>
#include "base/TextParse.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/DrawSurface.h"
#include "gfx/PlatformServices.h"
#include "gfx/DrawHelpers.h"

namespace {

// Serials come from one process-wide counter, as page ids do.
std::atomic<uint64_t> g_trackSerial{0};

} // namespace

CTrack::CTrack() : serial(++g_trackSerial) {}

void CTrack::SetDepthUnit(int) {}

int CTrack::Properties(IPlatformServices& platform) { return platform.EditTrackProperties(*this); }

void CTrack::CopyData(IPlatformServices& platform) {
    platform.Message("Nothing to copy from this track");
}

void CTrack::Draw(CDrawSurface&) {}

void CTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    BeginHeader(out, table);
    out.EndTable();
}

void CTrack::SaveData(CTableWriter&, std::string_view) {}

int CTrack::LoadHeader(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    LoadCommonKeys(in);
    return 1;
}

int CTrack::LoadData(kdManager&, std::string_view) { return 0; }

int CTrack::Paste(IPlatformServices&) { return 0; }

void CTrack::BeginHeader(CTableWriter& out, std::string_view table) {
    out.BeginSettings(table);
    SaveCommonKeys(out);
}

void CTrack::SaveCommonKeys(CTableWriter& out) {
    // The table has no quoting: the change is made in the track, so it shows at once.
    SanitizeFreeText(hAxis.title);
    SanitizeFreeText(description);
    out.I("depthunit", depthunit);
    out.G("KB", KB);
    out.F("width", width);
    out.I("type", type);
    out.Text("label", hAxis.title);
    out.Text("description", description);
    out.G("max", hAxis.max);
    out.G("min", hAxis.min);
    out.G("majorunit", hAxis.majorUnit);
    out.G("minorunit", hAxis.minorUnit);
    out.I("reverse", hAxis.reverse);
    out.I("axistype", hAxis.axisType);
    out.I("majorgrids", hAxis.majorGrids);
    out.I("minorgrids", hAxis.minorGrids);
    out.I("glcmajor", static_cast<int>(hAxis.majorColour));
    out.I("glcminor", static_cast<int>(hAxis.minorColour));
    out.I("glwmajor", hAxis.majorWidth);
    out.I("glwminor", hAxis.minorWidth);
    out.I("glsmajor", hAxis.majorStyle);
    out.I("glsminor", hAxis.minorStyle);
}

void CTrack::LoadCommonKeys(const kdManager& in) {
    in.GetValueInt("depthunit", depthunit);
    in.GetValueFloat("KB", KB);
    in.GetValueFloat("width", width);
    in.GetValueInt("type", type);
    in.GetValueText("label", hAxis.title);
    in.GetValueText("description", description);
    in.GetValueFloat("max", hAxis.max);
    in.GetValueFloat("min", hAxis.min);
    in.GetValueFloat("majorunit", hAxis.majorUnit);
    in.GetValueFloat("minorunit", hAxis.minorUnit);
    in.GetValueInt("reverse", hAxis.reverse);
    in.GetValueInt("axistype", hAxis.axisType);
    in.GetValueInt("majorgrids", hAxis.majorGrids);
    in.GetValueInt("minorgrids", hAxis.minorGrids);
    in.GetValueColour("glcmajor", hAxis.majorColour);
    in.GetValueColour("glcminor", hAxis.minorColour);
    in.GetValueInt("glwmajor", hAxis.majorWidth);
    in.GetValueInt("glwminor", hAxis.minorWidth);
    in.GetValueInt("glsmajor", hAxis.majorStyle);
    in.GetValueInt("glsminor", hAxis.minorStyle);
}

double CTrack::ChangeDepthUnit(int unit) {
    if (unit == depthunit) return 0.0;
    depthunit = unit;
    if (unit == kMeters) return 1.0 / kFeetPerMeter;
    if (unit == kFeet) return kFeetPerMeter;
    return 0.0;
}

int CTrack::PlaceAndDrawHeaderAxis(CDrawSurface& dc) {
    dc.SetBkMode(BK_TRANSPARENT);
    const int headerY = rect.top + kOverlayRow * overlayPosition;
    hAxis.SetPixelRange(rect.left, rect.right, headerY);
    if (depthAxis) depthAxis->SetPixelRange(rect.top, rect.bottom, rect.left);
    hAxis.Draw(dc);
    return headerY;
}

void CTrack::ClipAndDrawGrids(CDrawSurface& dc) {
    SetTrackClipping(1);
    ClipToTrack(dc, {rect.left + 1, rect.top + kOverlayRow * overlayCount + 1, rect.right, rect.bottom});
    if (hAxis.axisType == kAxisLogH)
        hAxis.DrawGridLogH(dc, rect.bottom);
    else
        hAxis.DrawGridLinearH(dc, rect.bottom, 0);
    if (depthAxis) depthAxis->DrawGridLinearV(dc, rect.right - 1, 0);
}

void CTrack::PlaceColumn(CDrawSurface& dc) {
    SetTrackClipping(1);
    ClipToTrack(dc, {rect.left, rect.top, rect.right + 1, rect.bottom});
    if (depthAxis) depthAxis->SetPixelRange(rect.top, rect.bottom, rect.left);
}

void CTrack::DrawEmptyHint(CDrawSurface& dc) {
    const int h = TextHeight(dc);
    DrawRotatedText(dc, SaturatePixels(Mid(rect.left, rect.right) + static_cast<double>(h / 2)), Mid(rect.top, rect.bottom),
                    "Click with pencil to add layers");
}

void CTrack::DrawTitleAbove(CDrawSurface& dc) {
    if (title.empty()) return;
    const CFontDesc old = dc.SelectFont(depthAxis ? depthAxis->tickFont : hAxis.tickFont);
    const int h = TextHeight(dc);
    dc.SelectFont(hAxis.titleFont);
    dc.TextOut(Mid(rect.left, rect.right), SaturatePixels(static_cast<double>(rect.top) - hAxis.tickLength - h - 4), title);
    dc.SelectFont(old);
}
