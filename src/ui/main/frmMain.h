#pragma once

#include "tree/GroupingModel.h"
#include "tree/NodeTree.h"
#include "ui/controls/Feedback.h"
#include "ui/controls/Pictures.h"
#include "ui/main/ColumnDrag.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

struct Module1;
class frmAbout;
class frmLogin;
class frmOpenSource;

namespace data {
class Connection;
class PagedRecordset;
} // namespace data
class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace ui {
class DataGrid;
class StatusBar;
class TreeView;
class UiSeam;
} // namespace ui

// The main window: the grouping tree on the left, the detail grid on the right, the title
// strip above them, the split bar between them and the status bar below. Its handlers carry
// out every command of the program on the shared run state.
class frmMain : public QMainWindow {
public:
    frmMain(Module1& state, ui::UiSeam& seam);
    ~frmMain() override;

    // Controls.
    ui::TreeView* tvTreeView;
    ui::DataGrid* grdDataGrid;
    QWidget* picTitles;
    std::array<QLabel*, 2> lblTitle;
    QWidget* imgSplitter;
    QWidget* picSplitter;
    ui::StatusBar* sbStatusBar;
    QToolBar* tbToolBar;
    ui::ImageList imlSmallIcons;

    // Menus.
    QMenu *mnuFile, *mnuFileConnect, *mnuEdit, *mnuView, *mnuExtras, *mnuHelp;
    QAction *mnuFileCnctMSACC, *mnuFileCnctExl, *mnuFileCnctODBC, *mnuFileOpen, *mnuFileSep,
        *mnuFileClose;
    QAction* mnuEditCopy;
    QAction *mnuViewNone, *mnuViewSecond, *mnuViewMinute, *mnuViewHour, *mnuViewDay, *mnuViewWeek,
        *mnuViewMonthly, *mnuViewQuarterly, *mnuViewYearly;
    QAction *mnuExtrasUpdDtls, *sepxx, *mnuExtrasAutoQ;
    QAction* mnuHelpAbout;

    // Window-level state.
    bool SplitterMoving = false;
    // The grid's header while columns are selected and dragged.
    ui::ColumnDrag& columnDrag() { return *columnDrag_; }

    // Window bounds in twips; Width and Height are the outer size, ScaleHeight the height of
    // the inner area below the menu bar.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    double ScaleHeight() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);

    ui::Feedback& feedback() { return feedback_; }
    // Prepares the source for the tree's order now, if it has yet to (see prepareGrouping):
    // for those who measure or check the clicks that follow as they are once it has.
    void finishPreparing();
    Module1& state() { return m_; }
    ui::UiSeam& seam() { return seam_; }

    // Handlers.
    void Form_Load();
    void Form_Unload(int& cancel);
    void Form_KeyPress(int& keyAscii);
    void Form_Resize();
    void EscapePressed();
    void SizeControls(double x);
    void imgSplitter_MouseDown(int button, int shift, double x, double y);
    void imgSplitter_MouseMove(int button, int shift, double x, double y);
    void imgSplitter_MouseUp(int button, int shift, double x, double y);
    void tvTreeView_KeyPress(int& keyAscii);
    void mnuFileCnctMSACC_Click();
    void mnuFileCnctExl_Click();
    void mnuFileCnctODBC_Click();
    QString GetEXCELDriver();
    // Connects to the file as File > Connect does once the file is chosen, going by what the
    // file holds; then picks `table` as the picker would, or opens the picker when no table is
    // given or the source lacks it. For a file named on the command line.
    void openFile(const QString& file, const QString& table);
    // What the window reads from: the connection, its provider and file, the record source.
    struct OpenedSource {
        std::shared_ptr<data::Connection> connection;
        QString provider;
        QString filePath;
        QString recordSource;
    };
    void openHalyardSource(const OpenedSource& before);
    void ListBuildFields();
    void ListBuildData();
    bool TreeBuildRoot();
    void TreeBuild();
    void prepareGrouping();
    void prepareGroupingWhenIdle();
    QString makeFilter(int depth);
    void tvTreeView_NodeClick(tree::TreeNode* node);
    void tvTreeView_GotFocus();
    void mnuView_Click(QAction* item);
    void mnuFileOpen_Click();
    void mnuExtrasAutoQ_Click();
    void mnuExtrasUpdDtls_Click();
    void grdDataGrid_GotFocus();
    void grdDataGrid_HeadClick(int colIndex);
    void grdDataGrid_DblClick();
    void mnuFileClose_Click();
    void mnuHelpAbout_Click();
    void mnuEditCopy_Click();
    // The tree as Copy writes it, from StartNode down (from the top level when it is null),
    // descending only into expanded nodes when OnlyVisible; a node that fails is shown in the
    // "Error!" box and left out.
    QString TreeViewToString(const ui::TreeView& TV, const tree::NodePtr& StartNode = nullptr,
                             bool OnlyVisible = false);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void placeAlignedControls();
    // Empties the grouping tree down to a new root of the kind given.
    void resetTree(tree::RootKind kind);
    // What the connect commands do once the file is chosen: open the connection (which fails
    // with the reader's message), record the source, remember its folder.
    void connectAccess(const QString& file);
    void connectWorkbook(const QString& file);
    // Looks up the workbook driver; without one, says so and answers false.
    bool chooseExcelDriver();
    QString lastFolder() const;
    void rememberFolderOf(const QString& file);
    QString lastFilter(const QString& key) const;
    void rememberFilter(const QString& key, const QString& shown);
    frmOpenSource& picker();
    // The picker, then the chosen source opened; `before` is what a stopped open puts back.
    void pickAndOpen(const OpenedSource& before);
    bool pickSource(const QString& table, const OpenedSource& before);
    OpenedSource openedSource() const;
    void restoreSource(const OpenedSource& source);
    // No record source open: an empty root, an empty grid without a title.
    void forgetSource();
    void sayNoRecordSource();
    // Moves the grid's columns `first` to `last` into `gap`, reworks the tree and shows the
    // grid in the new column order; answers the block's first column at its new place.
    int moveGridColumns(int first, int last, int gap);
    QSize frameExtra() const;
    void keepOuterSize(QSize outer);
    void applyOuterSize();
    // Binds the rows of `sql` to the grid unless that statement is already bound.
    void bindDetail(const QString& sql);
    // Binds the rows to the grid, which reads them as they come into view.
    void showDetail(const std::shared_ptr<data::PagedRecordset>& rows);
    // The grid after the tree changed: the selected node's rows under Auto Query Details, else
    // the column headers alone.
    void listDetails();
    std::shared_ptr<data::Connection> openConnection(const QString& status,
                                                     const QString& connectionString, int mode);

    Module1& m_;
    ui::UiSeam& seam_;
    QWidget* client_;
    ui::Feedback feedback_;
    std::unique_ptr<ui::ColumnDrag> columnDrag_;
    QPointer<frmAbout> about_;
    QPointer<frmLogin> login_;
    QPointer<frmOpenSource> picker_;
    // The source's preparation for the tree's order waits for the window to be idle.
    QTimer* preparing_;
    bool preparationPending_ = false;
    // The outer size asked for while the window's frame was not yet known, and the frame it
    // was last applied with; applied again once the frame is there.
    QSize pendingOuter_;
    QSize pendingFrame_;
};
