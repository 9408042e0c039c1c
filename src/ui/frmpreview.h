#pragma once

#include "passpreview.h"

#include <QDialog>

class PreviewModel;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;

// The Preview window: the counts of a pass that has not run yet and the
// files that it would rename or fail on. Execute leaves with accept(), after
// which the caller runs the real pass; Close, Escape and Enter leave with
// reject(), so that no key runs the pass by accident.
class frmPreview final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPreview)

public:
    explicit frmPreview(Preview preview, QWidget *parent = nullptr);
    ~frmPreview() override;

private:
    void createControls(const Preview &counts);
    void sizeColumns();

    PreviewModel *m_model = nullptr;
    QLabel *lblCounts = nullptr;
    QStackedWidget *m_table = nullptr;
    QTableView *grdPreview = nullptr;
    QLabel *lblNothing = nullptr;
    QPushButton *cmdExecute = nullptr;
    QPushButton *cmdClose = nullptr;
};
