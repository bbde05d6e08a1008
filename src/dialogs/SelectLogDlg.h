// "Select Log": the curves of a LAS file, one of which the user picks.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QDialogButtonBox;
class QListWidget;

class SelectLogDlg : public QDialog {
    Q_OBJECT

  public:
    explicit SelectLogDlg(const std::vector<std::string>& names, QWidget* parent = nullptr);

    // The chosen position, or -1 while nothing is chosen.
    int Selection() const;
    QListWidget* List() const { return list_; }

  private:
    QListWidget* list_;
    QDialogButtonBox* buttons_;
};
