#include "doc/TarvikDoc.h"

#include "base/FileIO.h"
#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "gfx/PlatformServices.h"
#include "tracks/LithTrack.h"
#include "tracks/TrackFactory.h"

namespace {

// A new document shows 0 to 4000 m, and the same depth in feet.
constexpr float kNewDepthMeters = 4000.0f;
constexpr float kNewDepthFeet = static_cast<float>(kNewDepthMeters * kFeetPerMeter);
static_assert(kNewDepthFeet == 13123.359375f);

} // namespace

CTarvikDoc::CTarvikDoc(IPlatformServices& services) : platform(services) {
    lithLibrary.LoadFrom(LithLibraryFolders()); // none found: an empty library, without a word
    meterAxis.Init(kAxisLinearV, 0.0f, kNewDepthMeters, 500.0f, "Depth (m)");
    meterAxis.majorGrids = 1;
    feetAxis.Init(kAxisLinearV, 0.0f, kNewDepthFeet, 1000.0f, "Depth(ft)");
    feetAxis.majorGrids = 1;
}

void CTarvikDoc::UpdateAllViews() { platform.UpdateAllViews(); }

bool CTarvikDoc::OnNewDocument() {
    DeleteContents();
    pathName.clear();
    modified = false;
    dualAxis = 0;
    return true;
}

void CTarvikDoc::DeleteContents() {
    tracks.clear();
    markers.clear();
    wellName.clear();
}

bool CTarvikDoc::OnOpenDocument(const std::string& path) {
    reader.Clear();
    // A large file is mapped, not copied, and held against writers until loaded.
    std::string why;
    if (!reader.ReadFile(path, &why)) {
        platform.Message("Cannot open " + path + ": " + why);
        return false;
    }
    const std::string loading = "Loading file ... " + path;
    platform.ShowProgressWindow(loading);
    platform.SetStatusText(loading);
    // Anything else opened as a document would silently become an empty one.
    if (!reader.SelectTable("DocOptions") && !reader.SelectTable("Tracks")) {
        reader.Clear();
        platform.CloseProgressWindow();
        platform.SetStatusText("");
        platform.Message("Cannot open " + path + ": it is not a Tarvik document.");
        return false;
    }
    DeleteContents();
    Load(reader); // and lets go of the file
    pathName = path;
    modified = false;
    return true;
}

void CTarvikDoc::Load(kdManager& in) {
    if (in.SelectTable("DocOptions")) {
        in.GetValueFloat("docWidth", docWidth);
        in.GetValueFloat("docHeight", docHeight);
        in.GetValueFloat("logHeight", logHeight);
        in.GetValueFloat("headerHeight", headerHeight);
        in.GetValueText("wellName", wellName);
        in.GetValueInt("drawHeader", drawHeader);
        in.GetValueInt("fitPage", fitPage);
        in.GetValueInt("depthUnit", depthUnit);
        in.GetValueInt("dualAxis", dualAxis);
        in.GetValueInt("pageOrientation", pageOrientation);
        in.GetValueInt("inputMethod", inputMethod);
        in.GetValueInt("confirmInput", confirmInput);
    }

    platform.ShowProgressWindow("Making tracks ...");
    if (in.SelectTable("Tracks")) {
        const int rows = in.RowCount();
        for (int r = 0; r < rows; ++r) {
            in.SelectTable("Tracks"); // loading a track selects its own tables
            std::string name;
            int type = -1;
            if (!in.GetCellString(r, "name", name) || !in.GetCellInt(r, "type", type)) continue;
            std::unique_ptr<CTrack> track = MakeTrack(type);
            if (!track) continue;
            if (track->IsDepthAxisTrack()) {
                BindToDepthAxis(*track, type);
                track->LoadHeader(in, name);
            } else {
                track->LoadHeader(in, name);
                track->LoadData(in, "TrackData" + std::to_string(r));
                if (auto* lith = dynamic_cast<CLithTrack*>(track.get())) lith->library = &lithLibrary;
                BindToDepthAxis(*track, track->depthunit == kMeters ? kMeters : kFeet);
            }
            tracks.push_back(std::move(track));
        }
    }

    if (in.SelectTable("Markers")) {
        const int rows = in.RowCount();
        for (int r = 0; r < rows; ++r) {
            CMarker m;
            in.GetCellFloat(r, "top", m.top);
            in.GetCellFloat(r, "bottom", m.bottom);
            int colour = static_cast<int>(m.colour);
            in.GetCellIntAnyBase(r, "color", colour);
            m.colour = static_cast<ColourRef>(colour);
            markers.push_back(m);
        }
    }

    in.Clear();
    platform.CloseProgressWindow();
    platform.SetStatusText("");
}

void CTarvikDoc::Store(CTableWriter& out) {
    out.Raw("\n\n");
    // A ';' or a line break in the name would cut it short or break the file.
    SanitizeFreeText(wellName);
    out.BeginSettings("DocOptions");
    out.G("docWidth", docWidth);
    out.Text("wellName", wellName);
    out.G("docHeight", docHeight);
    out.G("logHeight", logHeight);
    out.G("headerHeight", headerHeight);
    out.I("drawHeader", drawHeader);
    out.I("fitPage", fitPage);
    out.I("depthUnit", depthUnit);
    out.I("dualAxis", dualAxis);
    out.I("pageOrientation", pageOrientation);
    out.I("confirmInput", confirmInput);
    out.I("inputMethod", inputMethod);
    out.Raw("END\n\n\n");

    out.BeginTable("Tracks");
    out.Columns({"name", "type"});
    for (size_t i = 0; i < tracks.size(); ++i) {
        std::string& o = out.Out();
        o.append("Track");
        AppendInt(o, static_cast<long long>(i));
        o.push_back(';');
        AppendInt(o, tracks[i]->type);
        o.push_back('\n');
    }
    out.EndTable();

    for (size_t i = 0; i < tracks.size(); ++i) {
        const std::string index = std::to_string(i);
        tracks[i]->SaveHeader(out, "Track" + index);
        tracks[i]->SaveData(out, "TrackData" + index);
    }

    if (!markers.empty()) {
        out.BeginTable("Markers");
        out.Columns({"id", "top", "bottom", "color"});
        for (size_t i = 0; i < markers.size(); ++i) {
            std::string& o = out.Out();
            AppendInt(o, static_cast<long long>(i));
            o.push_back(';');
            AppendG(o, markers[i].top);
            o.push_back(';');
            AppendG(o, markers[i].bottom);
            o.push_back(';');
            AppendInt(o, static_cast<int32_t>(markers[i].colour)); // "%ld" of a 32-bit long
            o.push_back('\n');
        }
        out.EndTable();
    }
    out.Done();
}

bool CTarvikDoc::OnSaveDocument(const std::string& path) {
    platform.ShowProgressWindow("Saving log file, please wait ...");
    CAtomicFile file;
    std::string why;
    if (file.Open(path)) {
        bool written;
        {
            CTableWriter out(file.File());
            Store(out);
            written = out.Flush();
            why = out.Error();
        }
        if (written && file.Commit()) {
            platform.CloseProgressWindow();
            pathName = path;
            modified = false;
            return true;
        }
        if (written) why = file.Error();
    } else {
        why = file.Error();
    }
    file.Abort();
    platform.CloseProgressWindow();
    platform.Message("Cannot save " + path + ": " + why);
    return false;
}

void CTarvikDoc::FinishLasOpen() {
    if (!lasImport) return;
    std::string path = pathName;
    if (HasExtension(path, ".las")) path.replace(path.size() - 4, 4, ".tvk");
    if (!path.empty()) pathName = path;
    modified = true;
    lasImport = 0;
}
