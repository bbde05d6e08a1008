#pragma once

#include "gfx/Font.h"
#include "tracks/LithArray.h"
#include "tracks/Track.h"

#include <vector>

// A lithology column: layers from their top to the next layer's top (the last to
// the track bottom), each filled with the pattern of its lithology.
class CLithTrack : public CTrack {
public:
    struct Layer {
        float top = 0.0f; // in the track's depth unit
        int lithId = 0;
        friend bool operator==(const Layer&, const Layer&) = default;
    };

    CLithTrack();

    void SetDepthUnit(int unit) override;
    void CopyData(IPlatformServices& platform) override;
    void Draw(CDrawSurface& dc) override;
    void SaveHeader(CTableWriter& out, std::string_view table) override;
    void SaveData(CTableWriter& out, std::string_view table) override;
    int LoadData(kdManager& in, std::string_view table) override;
    // "Paste data from Excel": replaces the layers with a table of depths and
    // lithology names. 1 when the layers changed (the document must be saved), even
    // when the text then proved unusable or some depths lie outside the window.
    int Paste(IPlatformServices& platform) override;

    // A new layer before the first one whose top is greater, or at the end: equal
    // tops keep the order they came in. A top that is not a finite number is refused.
    bool InsertLayer(float top, int lithId);
    // Gives layer i a new top and lithology and moves it to its sorted place; gives
    // the layer's new index.
    size_t ChangeLayer(size_t i, float top, int lithId);
    void RemoveLayer(size_t i);
    // A layer from top to bottom drawn over the column: the layers starting inside
    // it give way, and the one it covers at its bottom goes on below it.
    void AddUnit(float top, float bottom, int lithId);
    void ClearLayers() { layers.clear(); }
    // The last layer whose top is at most the depth (the track's shift applied to
    // the layers as when they are drawn), or -1.
    int LayerAt(float depth) const;
    const std::vector<Layer>& Layers() const { return layers; }

    const CLithArray* library = nullptr; // the document's; not owned
    CFontDesc font;

private:
    // Takes layers read in file order into the array, each after the equal tops
    // already there.
    void Merge(std::vector<Layer> read);

    std::vector<Layer> layers; // ascending tops
};
