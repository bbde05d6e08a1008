#include "dialogs/SmartComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>

CSmartComboBox::CSmartComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Qt's completer would compete with the completion below.
    setCompleter(nullptr);
    QLineEdit* edit = lineEdit();
    // Keys normally reach the edit through the box, but one sent to the edit
    // itself must count as well.
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &CSmartComboBox::OnTextEdited);
}

void CSmartComboBox::keyPressEvent(QKeyEvent* event) {
    lastKey = event->key();
    QComboBox::keyPressEvent(event);
}

bool CSmartComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress)
        lastKey = static_cast<QKeyEvent*>(event)->key();
    return QComboBox::eventFilter(watched, event);
}

void CSmartComboBox::OnTextEdited(const QString& text) {
    typed = text;
    // Deleting must be able to shorten the text below a match, and an emptied
    // field matches every item.
    if (lastKey == Qt::Key_Delete || lastKey == Qt::Key_Backspace || text.isEmpty()) return;
    for (int i = 0; i < count(); ++i) {
        const QString item = itemText(i);
        if (!item.startsWith(text, Qt::CaseInsensitive)) continue;
        QLineEdit* edit = lineEdit();
        edit->setText(item);
        edit->setSelection(static_cast<int>(text.size()),
                           static_cast<int>(item.size() - text.size()));
        return;
    }
}
