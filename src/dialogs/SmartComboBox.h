// An editable combo box that completes what is typed from its own list: the first
// item beginning with the text (any case) fills the edit field, and the part beyond
// what was typed is selected so that further typing replaces it.
#pragma once

#include <QComboBox>
#include <QString>

class CSmartComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit CSmartComboBox(QWidget* parent = nullptr);

    // The edit text as it was last typed, before any completion.
    const QString& LastTyped() const { return typed; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnTextEdited(const QString& text);

    QString typed;
    int lastKey = 0;
};
