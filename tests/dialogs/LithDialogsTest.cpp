// The lithology chooser, the "Lithology" layer dialog and the lithology column's
// "Properties".
#include "app/QtPlatform.h"
#include "dialogs/LithCombo.h"
#include "dialogs/LithInputDlg.h"
#include "dialogs/LithTrackInfoDlg.h"
#include "dialogs/LogTrackInfoDlg.h"
#include "dialogs/TrackProperties.h"
#include "tracks/LithArray.h"
#include "tracks/LithTrack.h"
#include "tracks/StratTrack.h"

#include "dialogs/DialogTestHelpers.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <memory>

namespace {

constexpr ColourRef kRed = MakeRGB(255, 0, 0);
constexpr ColourRef kBlue = MakeRGB(0, 0, 255);
constexpr ColourRef kGreen = MakeRGB(0, 160, 0);
constexpr ColourRef kBlack = MakeRGB(0, 0, 0);

// An entry whose tile has its left eight columns in one colour, its right eight in another.
void AddLith(CLithArray& library, int id, const char* name, ColourRef left, ColourRef right) {
    auto lith = std::make_unique<CLithology>();
    lith->id = id;
    lith->name = name;
    auto tile = std::make_shared<CPatternTile>();
    for (size_t i = 0; i < tile->size(); ++i) (*tile)[i] = i % 16 < 8 ? left : right;
    lith->pattern = tile;
    library.Add(std::move(lith));
}

// Two entries share id 20: lookups by id take the first.
struct LithDialogsTest : MessageBoxTest {
    CLithArray library;

    void SetUp() override {
        MessageBoxTest::SetUp();
        AddLith(library, 10, "Sandstone", kRed, kBlue);
        AddLith(library, 20, "Shale", kGreen, kGreen);
        AddLith(library, 20, "Shale again", kBlue, kBlue);
        AddLith(library, 30, "Kalkstein gr\xFCn", kRed, kRed);
    }
};

QImage Render(const CLithCombo& combo, int index, bool selected) {
    QImage image(200, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    combo.DrawItem(painter, image.rect(), index, selected);
    return image;
}

TEST_F(LithDialogsTest, ChooserListsTheLibraryAndDrawsSwatchesInThePattern) {
    CLithCombo combo(library);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(3), QString::fromUtf8("Kalkstein gr\xC3\xBCn")); // 8-bit name
    // Taller on a dense screen, never too low for the text on a coarse one.
    EXPECT_GT(CLithCombo::ScaledItemHeight(240, 16), CLithCombo::ScaledItemHeight(120, 16));
    EXPECT_EQ(CLithCombo::ScaledItemHeight(48, 16), 16 + 2);

    // The tile repeats from the item's origin, so x 4 lies in its left half, x 12 in its
    // right; without an entry the item is only cleared.
    const QImage item = Render(combo, 0, false);
    EXPECT_EQ(item.pixel(4, 10), qRgb(255, 0, 0));
    EXPECT_EQ(item.pixel(12, 10), qRgb(0, 0, 255));
    EXPECT_FALSE(HasColour(Render(combo, -1, false), kBlack));

    // The selection field shows the chosen entry the same way, and nothing without one.
    combo.resize(combo.sizeHint());
    combo.setCurrentIndex(0);
    EXPECT_TRUE(HasColour(combo.grab().toImage(), kRed));
    combo.setCurrentIndex(-1);
    EXPECT_FALSE(HasColour(combo.grab().toImage(), kRed));
}

TEST_F(LithDialogsTest, LayerDialogSelectsTheGivenIdAndGivesBackTheChosenOne) {
    CLithInputDlg dialog(100.0f, 112.5f, 20, library);
    EXPECT_EQ(dialog.Chooser()->currentIndex(), 1); // the first entry with id 20
    // A number a float cannot hold is refused in either field, which takes the focus.
    ShowActive(dialog);
    for (const char* field : {"top", "bottom"}) {
        messages.clear();
        Fill(dialog, {{"top", "100"}, {"bottom", "112.5"}, {field, "1e39"}});
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << field;
        EXPECT_EQ(messages, QStringList{"Please enter a number."}) << field;
        EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, field));
    }
    Fill(dialog, {{"top", "101"}, {"bottom", "115"}, {"lithology", "3"}});
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Top(), 101.0f);
    EXPECT_EQ(dialog.Bottom(), 115.0f);
    EXPECT_EQ(dialog.LithId(), 30);
}

TEST_F(LithDialogsTest, LayerDialogWithoutAChoiceOrARangeGivesBackWhatItWasGiven) {
    // An id the library lacks: no entry is chosen, and OK keeps the id.
    for (float bottom : {100.0f, 90.0f}) {
        CLithInputDlg dialog(100.0f, bottom, 99, library);
        EXPECT_EQ(dialog.Chooser()->currentIndex(), -1);
        // Not a range: the bottom cannot be edited, and comes back as given.
        EXPECT_FALSE(Find<QLineEdit>(dialog, "bottom")->isEnabled());
        Fill(dialog, {{"bottom", "junk"}});
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(dialog.Bottom(), bottom);
        EXPECT_EQ(dialog.LithId(), 99);
    }
    CLithArray empty;
    CLithInputDlg dialog(1.0f, 2.0f, 7, empty);
    dialog.accept();
    EXPECT_EQ(dialog.LithId(), 7); // nor does an empty library lose it
}

// The width limits are the property pages' (PropertyPagesTest); here, that this
// dialog applies them and stores nothing while any field is refused.
TEST_F(LithDialogsTest, PropertiesStoreTitleWidthAndShiftOnlyWhenAllAreGood) {
    CLithTrack track;
    {
        CLithTrackInfoDlg dialog(track);
        ShowActive(dialog);
        const char* const refusals[][3] = {{"12.5", "2", "width"}, {"12", "inf", "kb"}};
        for (const auto& [width, kb, field] : refusals) {
            messages.clear();
            Fill(dialog, {{"title", "Facies"}, {"width", width}, {"kb", kb}});
            dialog.accept();
            ASSERT_EQ(messages.size(), 1) << field;
            EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, field));
        }
        EXPECT_EQ(track.title, "Lith"); // nothing is stored while a field is refused
        EXPECT_EQ(track.width, 0.5f);
    }
    for (bool ok : {false, true}) {
        CLithTrackInfoDlg dialog(track);
        Fill(dialog, {{"title", "Facies"}, {"width", "1.25"}, {"kb", "-3.5"}});
        ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(track.title, ok ? "Facies" : "Lith");
    }
    EXPECT_EQ(track.width, 1.25f);
    EXPECT_EQ(track.KB, -3.5f);
}

// Each kind opens its own dialog, which gives 1 on OK and 0 on Cancel.
TEST_F(LithDialogsTest, TrackPropertiesOpenTheKindsDialog) {
    CStratTrack strat;
    for (bool ok : {false, true}) {
        WhenShown<CLogTrackInfoDlg>([ok](CLogTrackInfoDlg& d) {
            Fill(d, {{"title", "Tops"}});
            ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(EditTrackProperties(nullptr, strat), ok ? 1 : 0);
        EXPECT_EQ(strat.title, ok ? "Tops" : "Strat");
    }
}

} // namespace
