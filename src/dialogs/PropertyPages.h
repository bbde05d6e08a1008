// The "Track Properties" sheet and its pages: "General" for a log track's curve
// (a data track has its own, in DataTrackPage.h), "Axis" and "Grids" for the axis
// a track shows. Pages load from their object when made and store into it only
// when the sheet ends with OK. The building blocks below serve every dialog.
#pragma once

#include "axes/AxisPage.h"
#include "gfx/Colour.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CAxis;
class CColourPicker;
class CLogTrack;
class CTrack;
class QButtonGroup;
class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTabWidget;

// Why a page may not close, and the control that takes the focus.
struct CPageFault {
    QString message;
    QWidget* focus = nullptr;
};

// A page's refusal: a warning box with OK, through AskUser like every message.
void ShowPageMessage(QWidget* parent, const QString& text);

// "%g" of a value, as the number edits show it.
QString FormatPageNumber(double value);
// The shortest text that reads back as the same float: a depth shown and confirmed
// unchanged is not rounded to six digits.
QString FormatExactNumber(float value);
// The number an edit holds, when it holds one that fits a float.
std::optional<float> ParsePageNumber(const QString& text);
// The edit's text as document bytes: the original bytes while the text is the one
// shown for them (8-bit names stay as they were), else the edited text in UTF-8.
std::string EditedBytes(const QLineEdit* edit, const std::string& original);

// Building blocks of the pages, so that they all look and read alike.
QString PageNotANumber(); // "Please enter a number."
// A "%g" number edit named for lookups.
QLineEdit* MakePageNumberEdit(double value, const QString& name, QWidget* parent);
// The same edit showing a float exactly (FormatExactNumber).
QLineEdit* MakeExactNumberEdit(float value, const QString& name, QWidget* parent);
// A row (or a column) of exclusive radio buttons with ids 0, 1, ... named namePrefix +
// id; the one matching checkedId is checked (none when the value has no radio).
QWidget* MakePageRadioRow(const QStringList& texts, const QString& namePrefix, int checkedId,
                          QButtonGroup*& group, QWidget* parent,
                          Qt::Orientation orientation = Qt::Horizontal);
// The checked radio's id, or the loaded value when that had no radio.
int PageCheckedOr(const QButtonGroup* group, int loaded);
CColourPicker* MakePageColourButton(ColourRef colour, const QString& name, QWidget* parent);
QFormLayout* MakePageForm();
// Refuses an edit that holds no number or one outside min..max (inclusive).
std::optional<CPageFault> CheckPageRange(QLineEdit* edit, float min, float max);
// The log track page's width rule, 0.2 to 12 inches, kept by the column tracks' dialogs.
std::optional<CPageFault> CheckTrackWidth(QLineEdit* edit);
// Reads the edit's number into value, or refuses an edit that holds none.
std::optional<CPageFault> ReadPageNumber(QLineEdit* edit, float& value);
// Shows the refusal's message and gives its control the focus, its text selected.
void ShowPageFault(QWidget* parent, const CPageFault& fault);
// Reads number edits into their targets, in the order given (the order on the
// dialog). The first edit that holds no number is refused through ShowPageFault and
// then nothing is written: false.
bool ReadPageNumbers(QWidget* parent, std::initializer_list<std::pair<QLineEdit*, float*>> fields);
// OK and Cancel, wired to the dialog's accept and reject.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

class CPropPage : public QWidget {
    Q_OBJECT

  public:
    explicit CPropPage(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual QString Caption() const = 0;
    // The first refusal, or nothing when the page may be left.
    virtual std::optional<CPageFault> Check() const = 0;
    // Writes the shown values back; only called after Check passed.
    virtual void Store() = 0;
};

class CCurvePropPage : public CPropPage {
    Q_OBJECT

  public:
    static constexpr float kMinWidth = 0.2f;
    static constexpr float kMaxWidth = 12.0f;
    static constexpr int kDescriptionLimit = 225;

    explicit CCurvePropPage(CLogTrack& track, QWidget* parent = nullptr);

    QString Caption() const override { return tr("General"); }
    std::optional<CPageFault> Check() const override;
    void Store() override;

  private:
    CLogTrack& track_;
    QLineEdit* width_;
    QLineEdit* kb_;
    QButtonGroup* lineWidth_;
    QButtonGroup* lineStyle_;
    CColourPicker* lineColour_;
    QCheckBox* colourFill_;
    CColourPicker* fillColour_;
    QButtonGroup* fillSide_;
    QLabel* description_;
};

class CAxisPropPage : public CPropPage {
    Q_OBJECT

  public:
    // A vertical-only axis (the depth axis) becomes type 3 or 1 whatever it was.
    explicit CAxisPropPage(CAxis& axis, bool verticalOnly = false, QWidget* parent = nullptr);

    QString Caption() const override { return tr("Axis"); }
    std::optional<CPageFault> Check() const override;
    void Store() override;

  private:
    // The shown values, or the refusal of an edit that holds no number.
    std::optional<CPageFault> Read(CAxisPageValues& values) const;
    QLineEdit* EditFor(AxisPageField field) const;
    void UpdateUnitEdits();

    CAxis& axis_;
    bool verticalOnly_;
    QLineEdit* label_;
    QLineEdit* max_;
    QLineEdit* min_;
    QLineEdit* majorUnit_;
    QLineEdit* minorUnit_;
    QCheckBox* logarithmic_;
    QCheckBox* reverse_;
};

class CGridPropPage : public CPropPage {
    Q_OBJECT

  public:
    explicit CGridPropPage(CAxis& axis, QWidget* parent = nullptr);

    QString Caption() const override { return tr("Grids"); }
    std::optional<CPageFault> Check() const override { return std::nullopt; }
    void Store() override;

  private:
    struct Group {
        QCheckBox* draw = nullptr;
        QButtonGroup* style = nullptr;
        QButtonGroup* width = nullptr;
        CColourPicker* colour = nullptr;
        int loadedWidth = 0; // kept when no width radio matches it
    };
    // objectPrefix names the controls ("major" or "minor") for lookups.
    QWidget* MakeGroup(const QString& title, const QString& objectPrefix,
                       const CGridGroupValues& values, Group& group);
    static CGridGroupValues Values(const Group& group);

    CAxis& axis_;
    Group major_;
    Group minor_;
};

// The modal sheet of a track's kind. A kind without pages gives an empty sheet
// (PageCount 0) that the caller does not show.
class CTrackPropSheet : public QDialog {
    Q_OBJECT

  public:
    explicit CTrackPropSheet(CTrack& track, QWidget* parent = nullptr);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    CPropPage* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    QTabWidget* Tabs() const { return tabs_; }

  public slots:
    // Checks every page, the shown one first; the first refusal is reported and
    // keeps the sheet open on its page. Otherwise stores all pages and closes.
    void accept() override;

  private:
    void AddPage(CPropPage* page);
    void OnCurrentChanged(int index);
    void Refuse(int pageIndex, const CPageFault& fault);

    QTabWidget* tabs_;
    std::vector<CPropPage*> pages_;
    int shown_ = 0; // the page on show before a tab change, to go back to
};
