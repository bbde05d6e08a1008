// Small helpers shared by the Qt layer's tests.
#pragma once

#include "dialogs/PropertyPages.h"
#include "platform/MessageBox.h"
#include "tracks/Track.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The named child, or a failure when there is none.
template <class T> T* Find(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no control named " << name;
    return child;
}

// Sets controls by name: an edit takes the text, a check box or radio button is
// ticked by "1" and cleared by "0", a combo box takes the index.
using Values = std::initializer_list<std::pair<const char*, const char*>>;
inline void Fill(const QWidget& parent, Values values) {
    for (const auto& [name, value] : values) {
        QWidget* control = Find<QWidget>(parent, name);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->setText(QString::fromLatin1(value));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setChecked(value[0] == '1');
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setCurrentIndex(std::atoi(value));
        else if (control)
            ADD_FAILURE() << name << " takes no value";
    }
}

// A key press as the keyboard delivers it.
inline void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// The window's settings kept in a folder of the test's own.
inline void UseSettingsIn(const std::string& folder) {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(folder));
    QCoreApplication::setOrganizationName(QStringLiteral("Halvorn"));
    QCoreApplication::setApplicationName(QStringLiteral("TarvikTest"));
}

// Focus only lands in an active window.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
}

// A fixture whose message boxes write their texts and icons to lists and give
// `answer` instead of showing.
struct MessageBoxTest : ::testing::Test {
    QStringList messages;
    std::vector<QMessageBox::Icon> icons;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    void SetUp() override {
        SetMessageBoxHandler([this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            icons.push_back(icon);
            return answer;
        });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    // The sheet's "Width" takes 0.2 to `max`; anything else brings the General page
    // back with the message and the focus, and nothing is stored.
    void ExpectWidthLimits(CTrack& track, const char* max, const char* tooWide) {
        for (const char* accepted : {"0.2", max}) {
            CTrackPropSheet sheet(track);
            Fill(sheet, {{"width", accepted}});
            sheet.accept();
            EXPECT_FLOAT_EQ(track.width, QString::fromLatin1(accepted).toFloat());
        }
        const QString outside = QString("Please enter a number between 0.2 and %1.").arg(max);
        for (const char* refused : {"0.19", tooWide, "wide"}) {
            SCOPED_TRACE(refused);
            messages.clear();
            CTrackPropSheet sheet(track);
            sheet.Tabs()->setCurrentIndex(2);
            Fill(sheet, {{"width", refused}});
            ShowActive(sheet);
            sheet.accept();
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
            ASSERT_EQ(messages.size(), 1);
            EXPECT_EQ(messages[0], refused[0] == 'w' ? "Please enter a number." : outside);
            EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(sheet, "width"));
            EXPECT_FLOAT_EQ(track.width, QString::fromLatin1(max).toFloat());
        }
    }
};
