#include "app/ScaleListBar.h"

#include "platform/MessageBox.h"
#include "dialogs/SmartComboBox.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <functional>
#include <utility>

namespace {

constexpr int kOtherItem = 6;

// Wide enough for the longest item, "Other ...", and narrow enough for a side dock.
constexpr int kBoxCharacters = 9;

CSmartComboBox* MakeBox(QWidget* parent, const QStringList& items, const QString& tip) {
    auto* box = new CSmartComboBox(parent);
    box->addItems(items);
    // Typing a value must not add it to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(kBoxCharacters);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setToolTip(tip);
    return box;
}

// Takes Enter away from a box before the box or its edit field sees it.
class CEnterFilter : public QObject {
  public:
    CEnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), enter(std::move(onEnter)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                enter();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> enter;
};

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The box shows the value unless the user is busy with it. The value goes in as
// the first item it begins with, searched from the second item round to the first,
// or as it is when none does.
void ShowIn(CSmartComboBox* box, const QString& text) {
    if (box->hasFocus() || box->lineEdit()->hasFocus() || box->view()->isVisible()) return;
    if (box->currentText() == text) return;
    const int n = box->count();
    for (int k = 1; !text.isEmpty() && k <= n; ++k) {
        const int i = k % n;
        if (!box->itemText(i).startsWith(text, Qt::CaseInsensitive)) continue;
        // Puts the item's text in the edit even when it was chosen already.
        box->setCurrentIndex(i);
        return;
    }
    box->setEditText(text);
}

} // namespace

CScaleListBar::CScaleListBar(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Depth scale");

    lengthBox =
        MakeBox(this, {"9 in", "12 in", "24 in", "36 in", "72 in", "96 in", "Other ..."},
                "Select or enter plot length");
    scaleBox = MakeBox(this, {"100", "200", "250", "500", "1000", "2000", "Other ..."},
                       "Select or enter scale");
    lengthBox->setCurrentIndex(0);
    scaleBox->setCurrentIndex(-1);

    // Stacked, so the bar fits a narrow side dock; both boxes share one column and
    // the unit stays beside its box.
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeLabel(this, "Length:", lengthBox), 0, 0, 1, 2);
    layout->addWidget(lengthBox, 1, 0);
    layout->addWidget(MakeLabel(this, "1 inch =", scaleBox), 3, 0, 1, 2);
    layout->addWidget(scaleBox, 4, 0);
    unitLabel = new QLabel("m", this);
    unitLabel->setObjectName("unit");
    layout->addWidget(unitLabel, 4, 1);
    layout->setRowMinimumHeight(2, layout->verticalSpacing());
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);

    const auto wire = [this](CSmartComboBox* box, void (CScaleListBar::*command)(const QString&)) {
        connect(box, &QComboBox::activated, this, [this, box, command](int index) {
            if (index == kOtherItem) {
                AskUser(this, QMessageBox::NoIcon, "Gotcha! Just type the number in",
                        QMessageBox::Ok);
                // Ready for the number to be typed over the item's text.
                box->setFocus();
                box->lineEdit()->selectAll();
                return;
            }
            emit(this->*command)(box->itemText(index));
        });
        // Keys reach the box, which passes them to its edit; either may be sent one.
        auto* filter = new CEnterFilter(
            box, [this, box, command] { emit(this->*command)(box->lineEdit()->text()); });
        box->installEventFilter(filter);
        box->lineEdit()->installEventFilter(filter);
    };
    wire(lengthBox, &CScaleListBar::LengthCommand);
    wire(scaleBox, &CScaleListBar::ScaleCommand);
}

void CScaleListBar::ShowValues(const QString& scale, const QString& length, const QString& unit) {
    ShowIn(scaleBox, scale);
    ShowIn(lengthBox, length);
    if (unitLabel->text() != unit) unitLabel->setText(unit);
}
