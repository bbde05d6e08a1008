// The "Lithology" layer dialog and the lithology column's "Properties".
#include "dialogs/LithCombo.h"
#include "dialogs/LithInputDlg.h"
#include "dialogs/LithTrackInfoDlg.h"
#include "tracks/LithArray.h"
#include "tracks/LithTrack.h"

#include "dialogs/DialogTestHelpers.h"

#include <QLineEdit>

#include <memory>

namespace {

void AddLith(CLithArray& library, int id, const char* name) {
    auto lith = std::make_unique<CLithology>();
    lith->id = id;
    lith->name = name;
    library.Add(std::move(lith));
}

// Two entries share id 20: lookups by id take the first.
struct LithDialogsTest : MessageBoxTest {
    CLithArray library;

    void SetUp() override {
        MessageBoxTest::SetUp();
        AddLith(library, 10, "Sandstone");
        AddLith(library, 20, "Shale");
        AddLith(library, 20, "Shale again");
        AddLith(library, 30, "Limestone");
    }
};

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

} // namespace
