// "Export Image As Type": a save-file dialog over a "|"-separated list of file types
// ("Name (*.ext)"), which reports the type chosen, counted from 1. A name typed with
// the extension of another listed type takes that type; a name without one gets the
// extension of the type chosen.
#pragma once

#include "exchange/ImageFormats.h"
#include "gfx/PlatformServices.h"

#include <QFileDialog>

#include <vector>

class CFileExportDialog : public QFileDialog {
    Q_OBJECT

  public:
    CFileExportDialog(const QString& title, const QString& initialName, const QString& typeList,
                      QWidget* parent = nullptr);

    // The file and type after an accepted dialog.
    CExportFileChoice Choice() const;
    // The type list as the dialog reads it.
    const std::vector<CFileType>& Types() const { return types_; }

  public slots:
    void accept() override;

  private:
    int SelectedType() const;
    QString SuffixOf(int type) const;

    std::vector<CFileType> types_;
};
