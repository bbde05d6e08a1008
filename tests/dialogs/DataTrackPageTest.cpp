#include "dialogs/DataTrackPage.h"
#include "dialogs/ColourPicker.h"
#include "dialogs/ColourPopup.h"
#include "dialogs/PropertyPages.h"
#include "dialogs/SymbolCombo.h"
#include "base/TableWriter.h"
#include "support/QtHelpers.h"
#include "tracks/DataTrack.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTabWidget>

namespace {

QColor Q(ColourRef c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                  static_cast<int>(BlueOf(c)));
}

// One item of the chooser as it draws it.
QImage RenderItem(const CSymbolCombo& combo, int id, bool selected, QSize size = {40, 30}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    combo.DrawItem(painter, QRect(QPoint(0, 0), size), id, selected);
    return image;
}

// Picks the second palette colour with the keys; the button starts at the first, so
// that the keys stay inside the palette.
void PickNextColour(CColourPicker& picker) {
    picker.SetColour(kColourTable[0].colour);
    picker.click();
    CColourPopup* popup = picker.Popup();
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Right);
    Key(popup, Qt::Key_Return);
}

// Every field away from its start value.
void Unusual(CDataTrack& t) {
    t.width = 3.25f;
    t.drawline = 1;
    t.linewidth = 2;
    t.linestyle = 1;
    t.linecolor = MakeRGB(10, 20, 30);
    t.plotStyle = 2;
    t.drawmarkers = 0;
    t.symbolid = 6;
    t.symbolsize = 11;
    t.symbolcolor = MakeRGB(40, 50, 60);
    t.symbolBkColor = MakeRGB(70, 80, 90);
    t.colorFill = 1;
    t.fillColor = MakeRGB(100, 110, 120);
    t.fillSide = 1;
}

// The header table holds every field, so equal tables mean equal tracks.
std::string Header(CDataTrack& t) {
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "T");
    return text;
}

void ExpectUnusual(CDataTrack& t) {
    CDataTrack u;
    Unusual(u);
    EXPECT_EQ(Header(t), Header(u));
}

struct DataTrackPageTest : PageMessagesTest {
    CDataTrack track;
};

// ---------------------------------------------------------------------------
// Sheet and page

TEST_F(DataTrackPageTest, SheetHasGeneralThenTheHeaderAxisPages) {
    track.hAxis.title = "Porosity";
    CTrackPropSheet sheet(track);
    ASSERT_EQ(sheet.PageCount(), 3);
    EXPECT_EQ(sheet.Tabs()->tabText(2), "Grids");
    EXPECT_NE(dynamic_cast<CDataTrackInfoPage*>(sheet.Page(0)), nullptr);
    EXPECT_EQ(Find<QLineEdit>(sheet, "label")->text(), "Porosity");
}

TEST_F(DataTrackPageTest, OkStoresEveryControlIntoItsField) {
    CTrackPropSheet sheet(track);
    Find<QLineEdit>(sheet, "width")->setText("3.25");
    Find<QCheckBox>(sheet, "drawLine")->setChecked(true);
    Find<QRadioButton>(sheet, "lineWidth2")->setChecked(true);
    Find<QRadioButton>(sheet, "lineStyle1")->setChecked(true);
    Find<CColourPicker>(sheet, "lineColour")->SetColour(MakeRGB(10, 20, 30));
    Find<QRadioButton>(sheet, "plotStyle2")->setChecked(true);
    Find<QCheckBox>(sheet, "drawMarkers")->setChecked(false);
    Find<CSymbolCombo>(sheet, "symbol")->setCurrentIndex(6);
    Find<QComboBox>(sheet, "symbolSize")->setCurrentIndex(11);
    Find<CColourPicker>(sheet, "symbolColour")->SetColour(MakeRGB(40, 50, 60));
    Find<CColourPicker>(sheet, "symbolBkColour")->SetColour(MakeRGB(70, 80, 90));
    Find<QCheckBox>(sheet, "colourFill")->setChecked(true);
    Find<CColourPicker>(sheet, "fillColour")->SetColour(MakeRGB(100, 110, 120));
    Find<QRadioButton>(sheet, "fillSide1")->setChecked(true);
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ExpectUnusual(track);
}

TEST_F(DataTrackPageTest, OkWithoutChangesStoresWhatWasShown) {
    Unusual(track);
    CTrackPropSheet sheet(track);
    EXPECT_EQ(Find<QComboBox>(sheet, "symbolSize")->currentText(), "12");
    // The chooser draws in the track's marker look from the start.
    const auto* symbols = Find<CSymbolCombo>(sheet, "symbol");
    EXPECT_EQ(symbols->SymbolSize(), 11);
    EXPECT_EQ(symbols->SymbolColour(), MakeRGB(40, 50, 60));
    EXPECT_EQ(symbols->BackColour(), MakeRGB(70, 80, 90));
    // Every value differs from the controls' own start: one not shown would be lost.
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    ExpectUnusual(track);
}

TEST_F(DataTrackPageTest, CancelChangesNothing) {
    Unusual(track);
    CTrackPropSheet sheet(track);
    Find<QLineEdit>(sheet, "width")->setText("9");
    Find<QRadioButton>(sheet, "plotStyle0")->setChecked(true);
    Find<CSymbolCombo>(sheet, "symbol")->setCurrentIndex(1);
    PickNextColour(*Find<CColourPicker>(sheet, "symbolColour"));
    Find<QCheckBox>(sheet, "logarithmic")->setChecked(true); // nor from the other pages
    Find<QCheckBox>(sheet, "majorDraw")->setChecked(true);
    sheet.reject();
    ExpectUnusual(track);
}

TEST_F(DataTrackPageTest, TrackWidthMustLieBetweenItsLimits) {
    for (const char* accepted : {"0.2", "100"}) {
        CTrackPropSheet sheet(track);
        Find<QLineEdit>(sheet, "width")->setText(QString::fromLatin1(accepted));
        sheet.accept();
        EXPECT_EQ(sheet.result(), QDialog::Accepted) << accepted;
    }
    for (const char* refused : {"0.19", "100.5", "wide"}) {
        SCOPED_TRACE(refused);
        messages.clear();
        CTrackPropSheet sheet(track);
        sheet.Tabs()->setCurrentIndex(2); // OK brings the refusing page back
        Find<QLineEdit>(sheet, "width")->setText(QString::fromLatin1(refused));
        ShowActive(sheet);
        sheet.accept();
        EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], refused[0] == 'w' ? "Please enter a number."
                                                   : "Please enter a number between 0.2 and 100.");
        EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(sheet, "width"));
        EXPECT_FLOAT_EQ(track.width, 100.0f);
    }
}

TEST_F(DataTrackPageTest, ValuesTheListsDoNotOfferAreKeptUntilAnotherIsPicked) {
    track.symbolid = 15; // any id of the 22 may come from a file
    track.symbolsize = 20;
    {
        CDataTrackInfoPage page(track);
        EXPECT_EQ(page.Symbols()->currentIndex(), -1);
        EXPECT_EQ(page.Symbols()->SymbolSize(), 20);
        page.Store();
    }
    EXPECT_EQ(track.symbolid, 15);
    EXPECT_EQ(track.symbolsize, 20);

    CDataTrackInfoPage page(track);
    page.Symbols()->setCurrentIndex(0);
    Find<QComboBox>(page, "symbolSize")->setCurrentIndex(4);
    page.Store();
    EXPECT_EQ(track.symbolid, 0);
    EXPECT_EQ(track.symbolsize, 4);
}

// ---------------------------------------------------------------------------
// The chooser follows the page

TEST_F(DataTrackPageTest, ChooserRedrawsWhenTheSizeChanges) {
    track.symbolid = 1;
    track.symbolsize = 2;
    CDataTrackInfoPage page(track);
    CSymbolCombo* symbols = page.Symbols();
    const QImage before = symbols->grab().toImage();
    Find<QComboBox>(page, "symbolSize")->setCurrentIndex(8);
    EXPECT_NE(symbols->grab().toImage(), before);
    // Nothing but the size changed: the picture is that of a chooser set to size 8.
    CSymbolCombo reference;
    reference.SetSymbolSize(8);
    EXPECT_EQ(RenderItem(*symbols, 1, false), RenderItem(reference, 1, false));
}

TEST_F(DataTrackPageTest, ChooserRedrawsWhenEitherSymbolColourIsPicked) {
    track.symbolid = 0;
    track.symbolsize = 6;
    CDataTrackInfoPage page(track);
    CSymbolCombo* symbols = page.Symbols();
    for (const char* name : {"symbolColour", "symbolBkColour"}) {
        SCOPED_TRACE(name);
        auto* picker = Find<CColourPicker>(page, name);
        const QImage before = RenderItem(*symbols, 0, false);
        PickNextColour(*picker);
        const ColourRef shown = name[6] == 'C' ? symbols->SymbolColour() : symbols->BackColour();
        EXPECT_EQ(shown, kColourTable[1].colour);
        EXPECT_NE(RenderItem(*symbols, 0, false), before);
    }
    // The fill colour is no part of the markers.
    const QImage before = RenderItem(*symbols, 0, false);
    PickNextColour(*Find<CColourPicker>(page, "fillColour"));
    EXPECT_EQ(RenderItem(*symbols, 0, false), before);
}

// ---------------------------------------------------------------------------
// The chooser itself

TEST(SymbolComboTest, ItemIsTheSymbolCentredOnWhiteInTheChosenColours) {
    CSymbolCombo combo;
    ASSERT_EQ(combo.count(), 8);
    EXPECT_EQ(combo.itemText(7), "7");
    combo.SetSymbolSize(5);
    combo.SetSymbolColour(MakeRGB(200, 0, 0));
    combo.SetBackColour(MakeRGB(0, 0, 200));
    // A square of half-size 5 centred on (19, 14): outline from 14 to 24 across.
    const QImage item = RenderItem(combo, 1, false);
    EXPECT_EQ(item.pixelColor(19, 14), Q(MakeRGB(0, 0, 200)));
    EXPECT_EQ(item.pixelColor(14, 14), Q(MakeRGB(200, 0, 0)));
    EXPECT_EQ(item.pixelColor(24, 14), Q(MakeRGB(200, 0, 0)));
    EXPECT_EQ(item.pixelColor(13, 14), QColor(Qt::white));
    EXPECT_EQ(item.pixelColor(39, 29), QColor(Qt::white));
    EXPECT_EQ(RenderItem(combo, 1, true).pixelColor(0, 0),
              combo.palette().color(QPalette::Highlight));

    // Each id draws its own shape.
    EXPECT_NE(RenderItem(combo, 0, false), item);
    EXPECT_NE(RenderItem(combo, 5, false), RenderItem(combo, 6, false));
}

TEST(SymbolComboTest, SymbolsLargerThanTheItemStayInsideIt) {
    CSymbolCombo combo;
    combo.SetSymbolSize(40);
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        combo.DrawItem(painter, QRect(10, 20, 40, 20), 1, false);
    }
    EXPECT_EQ(image.pixelColor(5, 30), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 45), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white)); // the back colour fills it
}

TEST(SymbolComboTest, ItemHeightScalesWithTheScreen) {
    EXPECT_EQ(CSymbolCombo::ScaledItemHeight(120, 10), CSymbolCombo::kDesignItemHeight);
    EXPECT_EQ(CSymbolCombo::ScaledItemHeight(96, 10), 26);
    EXPECT_EQ(CSymbolCombo::ScaledItemHeight(96, 40), 42); // never smaller than the font needs
}

TEST(SymbolComboTest, ListAndFieldUseTheItemHeight) {
    CSymbolCombo combo;
    const int height = combo.ItemHeight();
    EXPECT_GE(height, combo.fontMetrics().height() + 2);
    QStyleOptionViewItem option;
    const QModelIndex index = combo.model()->index(3, 0);
    EXPECT_EQ(combo.view()->itemDelegate()->sizeHint(option, index).height(), height);
    EXPECT_GE(combo.sizeHint().height(), height);

    // A much larger font makes the items taller.
    QFont big = combo.font();
    big.setPixelSize(60);
    combo.setFont(big);
    EXPECT_GE(combo.ItemHeight(), combo.fontMetrics().height() + 2);
}

TEST(SymbolComboTest, ListItemsAreDrawnLikeTheField) {
    CSymbolCombo combo;
    combo.SetSymbolSize(7);
    QImage drawn(40, 30, QImage::Format_RGB32);
    drawn.fill(Qt::black);
    {
        QPainter painter(&drawn);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 40, 30);
        option.state = QStyle::State_Enabled;
        combo.view()->itemDelegate()->paint(&painter, option, combo.model()->index(2, 0));
    }
    EXPECT_EQ(drawn, RenderItem(combo, 2, false));
}

} // namespace
