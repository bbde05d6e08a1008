// Small helpers shared by the Qt layer's tests.
#pragma once

#include "platform/MessageBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

// The named child, or a failure when there is none.
template <class T> T* Find(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no control named " << name;
    return child;
}

inline void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

// Focus only lands in an active window.
inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
}

// A double click as the mouse delivers it, on the middle of an item.
inline void DoubleClick(QAbstractItemView* view, const QModelIndex& item) {
    QWidget* viewport = view->viewport();
    const QPointF at = view->visualRect(item).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

// A fixture whose message boxes write their texts to a list instead of showing them.
struct PageMessagesTest : ::testing::Test {
    QStringList messages;

    void SetUp() override {
        SetMessageBoxHandler([this](QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { SetMessageBoxHandler({}); }
};
