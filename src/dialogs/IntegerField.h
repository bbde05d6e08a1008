// An integer edit with the dialog framework's checks: a whole number, within a
// range, else the framework's message and the focus back in the edit.
#pragma once

#include "dialogs/PropertyPages.h"

#include <QLineEdit>
#include <QObject>

#include <climits>
#include <optional>

// A whole-number edit named for lookups, showing value.
inline QLineEdit* MakeIntegerEdit(int value, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12 + 12);
    return edit;
}

// The edit's whole number within min..max (inclusive), or the refusal.
inline std::optional<CPageFault> ReadIntegerInRange(QLineEdit* edit, int min, int max, int& value) {
    bool ok = false;
    const long long n = edit->text().trimmed().toLongLong(&ok);
    if (!ok) return CPageFault{QObject::tr("Please enter an integer."), edit};
    if (n < min || n > max)
        return CPageFault{
            QObject::tr("Please enter an integer between %1 and %2.").arg(min).arg(max), edit};
    value = static_cast<int>(n);
    return std::nullopt;
}
