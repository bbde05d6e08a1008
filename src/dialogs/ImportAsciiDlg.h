// "Select Data Columns": the columns of a text file to bring in as data tracks, the
// unit of its depths and the column that holds them.
#pragma once

#include "gfx/PlatformServices.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;
class QLineEdit;
class QListWidget;

class CImportAsciiDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kMaxDepthColumn = 255;

    // One check item per column name (8-bit text), ticked as the choice says; the
    // unit and the depth column (from 1) as the choice gives them.
    CImportAsciiDlg(const std::vector<std::string>& names, const CAsciiColumns& choice,
                    QWidget* parent = nullptr);

    // What OK accepted.
    const CAsciiColumns& Columns() const { return columns_; }
    QListWidget* List() const { return list_; }
    void SetTicked(int row, bool ticked);

  public slots:
    // Refused while nothing is ticked, and while the depth column is not a whole
    // number from 1 to 255.
    void accept() override;

  private:
    QListWidget* list_;
    QButtonGroup* unit_;
    QLineEdit* depthColumn_;
    CAsciiColumns columns_;
};
