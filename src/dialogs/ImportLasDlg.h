// "Select Logs": the curves of a LAS file, ticked to bring them into the plot.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CImportLasDlg : public QDialog {
    Q_OBJECT

  public:
    // Entries are 8-bit "mnemonic (unit)", optionally a tab and the description.
    explicit CImportLasDlg(const std::vector<std::string>& entries, QWidget* parent = nullptr);

    // One flag per entry, 1 where ticked; filled by an accepted OK.
    const std::vector<int>& Checked() const { return checked_; }

    QTreeWidget* List() const { return list_; }
    QPushButton* ToggleButton() const { return toggle_; }
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);

  public slots:
    // Refused with a message while nothing is ticked.
    void accept() override;

  private:
    void OnToggle();
    void OnDoubleClicked(QTreeWidgetItem* item);

    QTreeWidget* list_;
    QPushButton* toggle_;
    std::vector<int> checked_;
};

