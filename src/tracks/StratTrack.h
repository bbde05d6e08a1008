#pragma once

#include "gfx/Colour.h"
#include "gfx/Font.h"
#include "tracks/Track.h"

#include <string>
#include <vector>

// Formation tops: each formation from its top to the next top (the last to the
// track bottom), filled with its own colour and labelled with its name.
class CStratTrack : public CTrack {
public:
    struct Top {
        float top = 0.0f; // in the track's depth unit
        ColourRef fillColor = kWhite;
        std::string name;
        friend bool operator==(const Top&, const Top&) = default;
    };
    static constexpr ColourRef kWhite = MakeRGB(255, 255, 255);

    CStratTrack();

    void SetDepthUnit(int unit) override;
    void CopyData(IPlatformServices& platform) override;
    void Draw(CDrawSurface& dc) override;
    void SaveHeader(CTableWriter& out, std::string_view table) override;
    void SaveData(CTableWriter& out, std::string_view table) override;
    int LoadHeader(kdManager& in, std::string_view table) override;
    int LoadData(kdManager& in, std::string_view table) override;
    // Replaces the tops with a table of names and depths. 1 when the tops changed.
    int Paste(IPlatformServices& platform) override;

    // A new top before the first one that lies deeper, or at the end: equal tops
    // keep the order they came in. A depth that is not a finite number is refused.
    bool InsertTop(float top, std::string name, ColourRef fill);
    // Gives top i new values and moves it to its sorted place; gives its new index.
    size_t ChangeTop(size_t i, Top values);
    void RemoveTop(size_t i);
    // A formation from top to bottom drawn over the track: the tops inside it give
    // way, and the formation it covers at its bottom goes on below it.
    void AddUnit(float top, float bottom, std::string name, ColourRef fill);
    void ClearLayers() { tops.clear(); }
    // The last top at or above the depth, or -1.
    int TopAt(float depth) const;
    const std::vector<Top>& Tops() const { return tops; }

    CFontDesc font;
    ColourRef fontColor = 0;

private:
    // Takes tops read in file order into the array, each after the equal ones there.
    void Merge(std::vector<Top> read);

    std::vector<Top> tops; // ascending depths
};
