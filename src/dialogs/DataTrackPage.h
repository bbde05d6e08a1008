// "General" of a data track's "Track Properties": width, line, markers and fill.
#pragma once

#include "dialogs/PropertyPages.h"

class CDataTrack;
class CSymbolCombo;
class QComboBox;

class CDataTrackInfoPage : public CPropPage {
    Q_OBJECT

  public:
    static constexpr float kMinWidth = 0.2f;
    static constexpr float kMaxWidth = 100.0f;
    static constexpr int kSizeChoices = 12; // "1" to "12", stored as 0 to 11

    explicit CDataTrackInfoPage(CDataTrack& track, QWidget* parent = nullptr);

    QString Caption() const override { return tr("General"); }
    std::optional<CPageFault> Check() const override;
    void Store() override;

    CSymbolCombo* Symbols() const { return symbols_; }

  private:
    QWidget* MakeLineGroup();
    QWidget* MakeMarkerGroup();
    QWidget* MakeFillGroup();

    CDataTrack& track_;
    QLineEdit* width_;
    QCheckBox* drawLine_;
    QButtonGroup* lineWidth_;
    QButtonGroup* lineStyle_;
    CColourPicker* lineColour_;
    QButtonGroup* plotStyle_;
    QCheckBox* drawMarkers_;
    CSymbolCombo* symbols_;
    QComboBox* symbolSize_;
    CColourPicker* symbolColour_;
    CColourPicker* symbolBack_;
    QCheckBox* colourFill_;
    CColourPicker* fillColour_;
    QButtonGroup* fillSide_;
};
