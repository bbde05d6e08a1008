#include "tracks/AxisTrack.h"

#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/kdManager.h"

void CAxisTrack::Draw(CDrawSurface& dc) {
    if (!depthAxis) return;
    depthAxis->SetTrackRect(rect);
    // The ruler is drawn the same way whatever the axis type.
    depthAxis->DrawLinearV(dc);
}

void CAxisTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    CTrackVAxis unbound;
    CTrackVAxis& axis = depthAxis ? *depthAxis : unbound;
    SanitizeFreeText(axis.title);
    out.BeginSettings(table);
    out.F("width", width);
    out.I("type", type);
    out.Text("label", axis.title);
    out.G("max", axis.max);
    out.G("min", axis.min);
    out.G("majorunit", axis.majorUnit);
    out.G("minorunit", axis.minorUnit);
    out.I("reverse", axis.reverse);
    out.I("axistype", axis.axisType);
    out.I("majorgrids", axis.majorGrids);
    out.I("minorgrids", axis.minorGrids);
    out.I("glcmajor", static_cast<int>(axis.majorColour));
    out.I("glcminor", static_cast<int>(axis.minorColour));
    out.I("glwmajor", axis.majorWidth);
    out.I("glwminor", axis.minorWidth);
    out.I("glsmajor", axis.majorStyle);
    out.I("glsminor", axis.minorStyle);
    out.EndTable();
}

int CAxisTrack::LoadHeader(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    in.GetValueFloat("width", width);
    in.GetValueInt("type", type);
    if (!depthAxis) return 1;
    CTrackVAxis& axis = *depthAxis;
    in.GetValueText("label", axis.title);
    in.GetValueFloat("max", axis.max);
    in.GetValueFloat("min", axis.min);
    in.GetValueFloat("majorunit", axis.majorUnit);
    in.GetValueFloat("minorunit", axis.minorUnit);
    in.GetValueInt("reverse", axis.reverse);
    in.GetValueInt("axistype", axis.axisType);
    in.GetValueInt("majorgrids", axis.majorGrids);
    in.GetValueInt("minorgrids", axis.minorGrids);
    in.GetValueColour("glcmajor", axis.majorColour);
    in.GetValueColour("glcminor", axis.minorColour);
    in.GetValueInt("glwmajor", axis.majorWidth);
    in.GetValueInt("glwminor", axis.minorWidth);
    in.GetValueInt("glsmajor", axis.majorStyle);
    in.GetValueInt("glsminor", axis.minorStyle);
    return 1;
}
