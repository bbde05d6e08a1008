// Placeholder bodies until the data track lands; they keep the tree linking.
#include "tracks/DataTrack.h"

void CDataTrack::SetDepthUnit(int unit) { depthunit = unit; }
void CDataTrack::CopyData(IPlatformServices& platform) { CTrack::CopyData(platform); }
void CDataTrack::Draw(CDrawSurface&) {}
void CDataTrack::SaveHeader(CTableWriter& out, std::string_view table) { CTrack::SaveHeader(out, table); }
void CDataTrack::SaveData(CTableWriter&, std::string_view) {}
int CDataTrack::LoadHeader(kdManager& in, std::string_view table) { return CTrack::LoadHeader(in, table); }
int CDataTrack::LoadData(kdManager&, std::string_view) { return 0; }
void CDataTrack::AddPoint(float value, float depth) { points.push_front({value, depth}); }
void CDataTrack::SortByDepth() {}
void CDataTrack::SortPoints(int) {}
void CDataTrack::ClearPoints() { points.clear(); }
bool CDataTrack::GetBounds(float&, float&, float&, float&) const { return false; }
void CDataTrack::RescaleToData() {}
float CDataTrack::AveragePoints(float, float) const { return nullvalue; }
int CDataTrack::Paste(IPlatformServices&) { return 0; }
