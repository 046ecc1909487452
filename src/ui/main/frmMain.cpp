#include "ui/main/frmMain.h"

#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/DateGroup.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/FileKind.h"
#include "data/FileMessages.h"
#include "data/Operation.h"
#include "data/PagedRecordset.h"
#include "data/Provider.h"
#include "data/Recordset.h"
#include "grid/DetailSql.h"
#include "grid/RecordsetModel.h"
#include "state/Module1.h"
#include "state/Settings.h"
#include "tree/NodeLabel.h"
#include "ui/controls/KeyAscii.h"
#include "ui/controls/LoadedForms.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/TreeView.h"
#include "ui/controls/Twips.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmLogin.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/main/DataGrid.h"
#include "ui/main/MainLayout.h"
#include "ui/main/MouseRelay.h"
#include "ui/main/WindowBounds.h"
#include "ui/seam/UiSeam.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <cmath>

using namespace ui;

namespace {

// How long the window waits, after the input that stopped the source's preparation, before it
// starts over.
constexpr int RetryAfterInput = 300;

// Bounds the window takes when none were stored, or a stored one is unreadable.
constexpr double DefaultLeft = 1000, DefaultTop = 1000, DefaultWidth = 6500, DefaultHeight = 6500;

// The file dialogs' choices of files, each first showing every kind it connects to, and the
// settings that keep the folder they start in and the choice each showed last.
const QString AccessFileFilter = QStringLiteral("Access databases (*.mdb *.accdb)|*.mdb;*.accdb|"
                                                "Microsoft Access MDB (*.mdb)|*.mdb|"
                                                "Access 2007 and later (*.accdb)|*.accdb|"
                                                "All files (*)|*");
const QString ExcelFileFilter =
    QStringLiteral("Excel workbooks (*.xls *.xlsx *.xlsm)|*.xls;*.xlsx;*.xlsm|"
                   "Excel-File (*.xls)|*.xls|"
                   "Excel 2007 and later (*.xlsx *.xlsm)|*.xlsx;*.xlsm|All files (*)|*");
const QString LastFolderKey = QStringLiteral("LastFolder");
const QString AccessFilterKey = QStringLiteral("AccessFilter");
const QString ExcelFilterKey = QStringLiteral("ExcelFilter");

void placeTwips(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(twips::toPxX(left), twips::toPxY(top), twips::toPxX(width),
                   twips::toPxY(height));
}

} // namespace

frmMain::frmMain(Module1& state, UiSeam& seam)
    : sbStatusBar(new StatusBar), m_(state), seam_(seam), client_(new QWidget(this)),
      feedback_(seam, *sbStatusBar), preparing_(new QTimer(this)) {
    preparing_->setSingleShot(true);
    connect(preparing_, &QTimer::timeout, this, &frmMain::prepareGroupingWhenIdle);
    setObjectName("frmMain");
    setWindowTitle("Ledgerline");
    setWindowIcon(appIcon());
    setCentralWidget(client_);
    buildControls();
    buildMenus();
    LoadedForms::load(this);
    // Keys pressed anywhere in the window reach Form_KeyPress before the control that has the
    // focus handles them.
    qApp->installEventFilter(this);
    client_->installEventFilter(this);
    Form_Load();
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
}

void frmMain::buildControls() {
    imlSmallIcons = smallIcons();

    tbToolBar = new QToolBar(client_);
    tbToolBar->setObjectName("tbToolBar");

    picTitles = new QWidget(client_);
    picTitles->setObjectName("picTitles");
    for (int i = 0; i < 2; ++i) {
        lblTitle[i] = new QLabel(picTitles);
        lblTitle[i]->setObjectName(QString("lblTitle%1").arg(i));
        lblTitle[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QFont bold = lblTitle[i]->font();
        bold.setBold(true);
        lblTitle[i]->setFont(bold);
    }

    // The split bar lies beneath the panes: only the gap between them shows it and takes the
    // pointer, as a thin handle with the sizing arrow.
    imgSplitter = new QWidget(client_);
    imgSplitter->setObjectName("imgSplitter");
    imgSplitter->setCursor(Qt::SplitHCursor);
    placeTwips(imgSplitter, layout::SplitterDesignLeft, 0, layout::SplitterWidth, 0);
    new MouseRelay(
        imgSplitter,
        [this](const MouseArgs& a) { imgSplitter_MouseDown(a.button, a.shift, a.x, a.y); },
        [this](const MouseArgs& a) { imgSplitter_MouseMove(a.button, a.shift, a.x, a.y); },
        [this](const MouseArgs& a) { imgSplitter_MouseUp(a.button, a.shift, a.x, a.y); });

    tvTreeView = new TreeView(client_);
    tvTreeView->setObjectName("tvTreeView");
    tvTreeView->setImageList(&imlSmallIcons);
    tvTreeView->showNodes(m_.Nodes);
    tvTreeView->setLineStyle(1);
    connect(tvTreeView, &TreeView::KeyPress, this, &frmMain::tvTreeView_KeyPress);
    connect(tvTreeView, &TreeView::NodeClick, this, &frmMain::tvTreeView_NodeClick);
    connect(tvTreeView, &TreeView::GotFocus, this, &frmMain::tvTreeView_GotFocus);

    grdDataGrid = new DataGrid(client_);
    grdDataGrid->setObjectName("grdDataGrid");
    connect(grdDataGrid, &DataGrid::GotFocus, this, &frmMain::grdDataGrid_GotFocus);
    connect(grdDataGrid, &DataGrid::HeadClick, this, &frmMain::grdDataGrid_HeadClick);
    connect(grdDataGrid, &DataGrid::DblClick, this, &frmMain::grdDataGrid_DblClick);
    columnDrag_ = std::make_unique<ColumnDrag>(*grdDataGrid, feedback_);
    ColumnDrag* drag = columnDrag_.get();
    drag->move = [this](int first, int last, int gap) { return moveGridColumns(first, last, gap); };
    drag->dropped = [this] {
        lblTitle[1]->setText(m_.Grouping.RecordSource);
        lblTitle[1]->repaint();
    };
    connect(grdDataGrid, &DataGrid::MouseDown, this,
            [drag](const MouseArgs& a) { drag->MouseDown(a.button, a.shift, a.x, a.y); });
    connect(grdDataGrid, &DataGrid::MouseMove, this,
            [drag](const MouseArgs& a) { drag->MouseMove(a.button, a.shift, a.x, a.y); });
    connect(grdDataGrid, &DataGrid::MouseUp, this,
            [drag](const MouseArgs& a) { drag->MouseUp(a.button, a.shift, a.x, a.y); });
    connect(grdDataGrid, &DataGrid::DragOver, this,
            [drag](QObject* source, double x, double y, int state) {
                drag->DragOver(source, x, y, state);
            });
    connect(grdDataGrid, &DataGrid::DragDrop, this,
            [drag](QObject* source, double x, double y) { drag->DragDrop(source, x, y); });

    picSplitter = new QWidget(client_);
    picSplitter->setObjectName("picSplitter");
    picSplitter->setAutoFillBackground(true);
    QPalette grey = picSplitter->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    picSplitter->setPalette(grey);
    picSplitter->hide();

    sbStatusBar->setParent(client_);
    sbStatusBar->setObjectName("sbStatusBar");

    imgSplitter->lower();
    picSplitter->raise();
}

void frmMain::buildMenus() {
    auto item = [this](QMenu* menu, const QString& name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    auto checkItem = [&](QMenu* menu, const QString& name, const QString& caption) {
        QAction* action = item(menu, name, caption);
        action->setCheckable(true);
        // A check mark changes only when the program sets it, not by the click itself.
        connect(action, &QAction::triggered, action,
                [action](bool checked) { action->setChecked(!checked); });
        return action;
    };
    auto submenu = [](QMenuBar* bar, QMenu* parent, const QString& name, const QString& caption) {
        QMenu* menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto separator = [](QMenu* menu, const QString& name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(name);
        return action;
    };

    QMenuBar* bar = menuBar();
    mnuFile = submenu(bar, nullptr, "mnuFile", "&File");
    mnuFileConnect = submenu(bar, mnuFile, "mnuFileConnect", "Connect");
    mnuFileCnctMSACC = item(mnuFileConnect, "mnuFileCnctMSACC", "Microsoft Access...");
    mnuFileCnctExl = item(mnuFileConnect, "mnuFileCnctExl", "Excel...");
    mnuFileCnctODBC = item(mnuFileConnect, "mnuFileCnctODBC", "ORACLE...");
    mnuFileOpen = item(mnuFile, "mnuFileOpen", "&Open Recordsource...");
    mnuFileOpen->setEnabled(false);
    mnuFileSep = separator(mnuFile, "mnuFileSep");
    mnuFileClose = item(mnuFile, "mnuFileClose", "E&xit");

    mnuEdit = submenu(bar, nullptr, "mnuEdit", "&Edit");
    mnuEditCopy = item(mnuEdit, "mnuEditCopy", "&Copy");
    mnuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));

    // The date groups are one choice of many, marked as such.
    mnuView = submenu(bar, nullptr, "mnuView", "Date Grouping");
    auto* dateGroups = new QActionGroup(mnuView);
    dateGroups->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    auto choiceItem = [&](const QString& name, const QString& caption) {
        QAction* action = item(mnuView, name, caption);
        action->setCheckable(true);
        dateGroups->addAction(action);
        return action;
    };
    mnuViewNone = choiceItem("mnuViewNone", "<None>");
    mnuViewSecond = choiceItem("mnuViewSecond", "Second");
    mnuViewMinute = choiceItem("mnuViewMinute", "Minute");
    mnuViewHour = choiceItem("mnuViewHour", "Hour");
    mnuViewDay = choiceItem("mnuViewDay", "Day");
    mnuViewWeek = choiceItem("mnuViewWeek", "Week");
    mnuViewMonthly = choiceItem("mnuViewMonthly", "Month");
    mnuViewQuarterly = choiceItem("mnuViewQuarterly", "Quarter");
    mnuViewYearly = choiceItem("mnuViewYearly", "Year");
    mnuViewYearly->setChecked(true);

    mnuExtras = submenu(bar, nullptr, "mnuExtras", "Ex&tras");
    mnuExtrasUpdDtls = item(mnuExtras, "mnuExtrasUpdDtls", "Update Details");
    mnuExtrasUpdDtls->setShortcut(QKeySequence(Qt::Key_F5));
    sepxx = separator(mnuExtras, "sepxx");
    mnuExtrasAutoQ = checkItem(mnuExtras, "mnuExtrasAutoQ", "Auto Query Details");

    mnuHelp = submenu(bar, nullptr, "mnuHelp", "&Help");
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", "&About...");

    connect(mnuFileCnctMSACC, &QAction::triggered, this, &frmMain::mnuFileCnctMSACC_Click);
    connect(mnuFileCnctExl, &QAction::triggered, this, &frmMain::mnuFileCnctExl_Click);
    connect(mnuFileCnctODBC, &QAction::triggered, this, &frmMain::mnuFileCnctODBC_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(mnuFileClose, &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    connect(mnuEditCopy, &QAction::triggered, this, &frmMain::mnuEditCopy_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
    connect(mnuExtrasUpdDtls, &QAction::triggered, this, &frmMain::mnuExtrasUpdDtls_Click);
    connect(mnuExtrasAutoQ, &QAction::triggered, this, &frmMain::mnuExtrasAutoQ_Click);
    for (QAction* dateItem : mnuView->actions())
        connect(dateItem, &QAction::triggered, this, [this, dateItem] { mnuView_Click(dateItem); });
}

// ---- window bounds in twips -------------------------------------------------------------

QSize frmMain::frameExtra() const {
    return frameGeometry().size() - geometry().size();
}

double frmMain::Left() const {
    return twips::fromPxX(frameGeometry().x());
}
double frmMain::Top() const {
    return twips::fromPxY(frameGeometry().y());
}
double frmMain::Width() const {
    return twips::fromPxX(frameGeometry().width());
}
double frmMain::Height() const {
    return twips::fromPxY(frameGeometry().height());
}
double frmMain::ScaleHeight() const {
    return twips::fromPxY(client_->height());
}

void frmMain::setLeft(double t) {
    move(twips::toPxX(t), frameGeometry().y());
}
void frmMain::setTop(double t) {
    move(frameGeometry().x(), twips::toPxY(t));
}
void frmMain::setWidth(double t) {
    resize(twips::toPxX(t) - frameExtra().width(), height());
    keepOuterSize(QSize(twips::toPxX(t), pendingOuter_.height()));
}

void frmMain::setHeight(double t) {
    resize(width(), twips::toPxY(t) - frameExtra().height());
    keepOuterSize(QSize(pendingOuter_.width(), twips::toPxY(t)));
}

// Before the window is shown its frame is not known, and on a desktop whose window manager
// draws the frame it is known only some time after: the outer size asked for waits until then,
// or the window would come up larger by its frame at every start.
void frmMain::keepOuterSize(QSize outer) {
    if (isVisible() && !frameExtra().isNull()) {
        pendingOuter_ = QSize();
        return;
    }
    pendingOuter_ = outer;
    pendingFrame_ = frameExtra();
}

void frmMain::applyOuterSize() {
    if (pendingOuter_.isEmpty() || !isVisible() || isMaximized() || isMinimized())
        return;
    const QSize extra = frameExtra();
    if (extra == pendingFrame_)
        return;
    pendingFrame_ = extra;
    const QSize client = pendingOuter_ - extra;
    // Once a frame is there the size is final; a desktop without frames never sends one.
    if (!extra.isNull())
        pendingOuter_ = QSize();
    if (client != size())
        resize(client);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyOuterSize();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    applyOuterSize();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyOuterSize();
}

// ---- load and unload --------------------------------------------------------------------

void frmMain::Form_Load() {
    feedback_.trap([this] {
        columnDrag_->reset();
        m_.ActivePane = Pane::None;
        tbToolBar->hide();
        m_.EscapeRequested = false;

        // A stored bound that is not a number falls back to its default, so that the window
        // still comes up whole; the good value is written back when the window closes.
        auto bound = [](const QString& key, double fallback) {
            const QString text = state::GetSetting(state::AppTitle, state::SettingsSection, key,
                                                   QString::number(fallback));
            const auto value = state::textToSingle(text);
            return value ? static_cast<double>(*value) : fallback;
        };
        const QRect wanted(twips::toPxX(bound("MainLeft", DefaultLeft)),
                           twips::toPxY(bound("MainTop", DefaultTop)),
                           twips::toPxX(bound("MainWidth", DefaultWidth)),
                           twips::toPxY(bound("MainHeight", DefaultHeight)));
        const QScreen* screen = QGuiApplication::screenAt(wanted.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect outer = screen ? fitOnScreen(wanted, screen->availableGeometry()) : wanted;
        setLeft(twips::fromPxX(outer.x()));
        setTop(twips::fromPxY(outer.y()));
        setWidth(twips::fromPxX(outer.width()));
        setHeight(twips::fromPxY(outer.height()));
        imgSplitter->move(twips::toPxX(bound("SplitterLeft", layout::SplitterDesignLeft)),
                          imgSplitter->y());

        const QString autoQuery =
            state::GetSetting(state::AppTitle, state::SettingsSection, "AutoQuery", "False");
        mnuExtrasAutoQ->setChecked(autoQuery == "True");

        m_.LastDetailSQL = "";
        m_.DateGroupType = data::DateGroup::Year;
        m_.AutoQueryEnabled = mnuExtrasAutoQ->isChecked();

        resetTree(tree::RootKind::Start);
        lblTitle[0]->setText("Column: ");
        feedback_.status("Ready");
    });
}

void frmMain::Form_Unload(int& /*cancel*/) {
    feedback_.trap([this] {
        for (int n = LoadedForms::count(), i = n - 1; i >= 1; --i)
            if (QWidget* form = LoadedForms::item(i); form && form != this)
                LoadedForms::unload(form);
        if (isMinimized())
            return;
        auto save = [](const QString& key, const QString& text) {
            state::SaveSetting(state::AppTitle, state::SettingsSection, key, text);
        };
        save("MainLeft", state::singleToText(static_cast<float>(Left())));
        save("MainTop", state::singleToText(static_cast<float>(Top())));
        save("MainWidth", state::singleToText(static_cast<float>(Width())));
        save("MainHeight", state::singleToText(static_cast<float>(Height())));
        save("SplitterLeft",
             state::singleToText(static_cast<float>(twips::fromPxX(imgSplitter->x()))));
        save("AutoQuery", mnuExtrasAutoQ->isChecked() ? "True" : "False");
    });
}

void frmMain::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_Unload(cancel);
    event->accept();
}

void frmMain::mnuFileClose_Click() {
    close();
}

// ---- keys -------------------------------------------------------------------------------

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        placeAlignedControls();
        Form_Resize();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        // The same key travels up from the focus widget to its parents; take it once, where
        // it starts, and only for keys meant for this window.
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if (widget && widget->window() == this && (widget == focus || (!focus && widget == this))) {
            int ascii = keyAscii(*static_cast<QKeyEvent*>(event));
            if (ascii)
                Form_KeyPress(ascii);
        }
    }
    return false;
}

void frmMain::Form_KeyPress(int& keyAscii) {
    if (keyAscii == 27)
        EscapePressed();
}

void frmMain::tvTreeView_KeyPress(int& keyAscii) {
    if (keyAscii == 27)
        EscapePressed();
}

void frmMain::EscapePressed() {
    m_.EscapeRequested = true;
}

// ---- layout -----------------------------------------------------------------------------

// The controls that keep to an edge of the inner area: the toolbar and the title strip at the
// top, the status bar at the bottom, each across the full width.
void frmMain::placeAlignedControls() {
    const int w = client_->width();
    int top = 0;
    if (!tbToolBar->isHidden()) {
        tbToolBar->setGeometry(0, 0, w, tbToolBar->sizeHint().height());
        top = tbToolBar->height();
    }
    picTitles->setGeometry(0, top, w, twips::toPxY(layout::TitleStripHeight));
    for (QLabel* title : lblTitle)
        title->resize(title->width(), picTitles->height());
    if (!sbStatusBar->isHidden()) {
        const int h = sbStatusBar->sizeHint().height();
        sbStatusBar->setGeometry(0, client_->height() - h, w, h);
    }
}

void frmMain::Form_Resize() {
    if (Width() < layout::SmallestWindowWidth) {
        // A minimized or maximized window cannot be resized; its layout waits for a later
        // resize.
        if (isMinimized() || isMaximized())
            return;
        setWidth(layout::SmallestWindowWidth);
    }
    SizeControls(twips::fromPxX(imgSplitter->x()));
}

void frmMain::SizeControls(double x) {
    layout::Frame frame;
    frame.formWidth = Width();
    frame.clientHeight = ScaleHeight();
    frame.titlesTop = twips::fromPxY(picTitles->y());
    frame.titlesHeight = twips::fromPxY(picTitles->height());
    frame.toolbarHeight = tbToolBar->isHidden() ? 0 : twips::fromPxY(tbToolBar->height());
    frame.statusHeight = sbStatusBar->isHidden() ? 0 : twips::fromPxY(sbStatusBar->height());
    const layout::Panes p = layout::sizeControls(x, frame);

    // A size the widgets cannot take (a negative one in a very low window) is left out and
    // the rest of the layout goes on.
    auto place = [](QWidget* w, double left, double top, double width, double height) {
        QRect r = w->geometry();
        r.moveLeft(twips::toPxX(left));
        r.moveTop(twips::toPxY(top));
        if (width >= 0)
            r.setWidth(twips::toPxX(width));
        if (height >= 0)
            r.setHeight(twips::toPxY(height));
        w->setGeometry(r);
    };
    place(tvTreeView, 0, p.paneTop, p.split, p.paneHeight);
    place(imgSplitter, p.split, p.paneTop, layout::SplitterWidth, p.paneHeight);
    place(grdDataGrid, p.gridLeft, p.paneTop, p.gridWidth, p.paneHeight);
    place(lblTitle[0], 0, 0, p.treeTitleWidth, -1);
    place(lblTitle[1], p.gridTitleLeft, 0, p.gridTitleWidth, -1);
}

// ---- the split bar ----------------------------------------------------------------------

void frmMain::imgSplitter_MouseDown(int, int, double, double) {
    const double left = twips::fromPxX(imgSplitter->x());
    const double top = twips::fromPxY(imgSplitter->y());
    const double width = twips::fromPxX(imgSplitter->width());
    const double height = twips::fromPxY(imgSplitter->height());
    // Half the bar's width in whole twips, as the grey bar is drawn.
    const long halfWidth = std::lround(width) / 2;
    placeTwips(picSplitter, left, top, static_cast<double>(halfWidth), height - 20);
    picSplitter->show();
    picSplitter->raise();
    SplitterMoving = true;
}

void frmMain::imgSplitter_MouseMove(int, int, double x, double) {
    if (!SplitterMoving)
        return;
    const double left = layout::dragBarLeft(twips::fromPxX(imgSplitter->x()), x, Width());
    picSplitter->move(twips::toPxX(left), picSplitter->y());
}

void frmMain::imgSplitter_MouseUp(int, int, double, double) {
    SizeControls(twips::fromPxX(picSplitter->x()));
    picSplitter->hide();
    SplitterMoving = false;
}

// ---- connecting ------------------------------------------------------------------------

// Opens a new connection under the hourglass. The caller puts it in place of the old one only
// once it is open, so that a source that cannot be opened leaves the earlier one usable.
std::shared_ptr<data::Connection>
frmMain::openConnection(const QString& status, const QString& connectionString, int mode) {
    auto connection = std::make_shared<data::Connection>();
    connection->CursorLocation = data::ado::adUseClient;
    connection->Mode = mode;
    feedback_.busy(status);
    connection->Open(connectionString, "", "", -1);
    feedback_.ready();
    return connection;
}

void frmMain::mnuFileCnctMSACC_Click() {
    feedback_.trap(
        [this] {
            QString shown = lastFilter(AccessFilterKey);
            const auto file = seam_.fileOpen(this, "Connect to Microsoft Access Database",
                                             AccessFileFilter, lastFolder(), shown);
            if (!file) {
                // A cancelled dialog ends the command without a word.
                feedback_.ready();
                return;
            }
            const OpenedSource before = openedSource();
            connectAccess(*file);
            rememberFilter(AccessFilterKey, shown);
            pickAndOpen(before);
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::mnuFileCnctExl_Click() {
    feedback_.trap(
        [this] {
            if (!chooseExcelDriver())
                return;
            QString shown = lastFilter(ExcelFilterKey);
            const auto file =
                seam_.fileOpen(this, "Connect to Excel-file", ExcelFileFilter, lastFolder(), shown);
            if (!file) {
                feedback_.ready();
                return;
            }
            const OpenedSource before = openedSource();
            connectWorkbook(*file);
            rememberFilter(ExcelFilterKey, shown);
            pickAndOpen(before);
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::connectAccess(const QString& file) {
    m_.DbConnection = openConnection("Connecting to Access...", data::accessConnectionString(file),
                                     data::ado::adModeUnknown);
    m_.SourceFilePath = file;
    mnuFileOpen->setEnabled(true);
    m_.DbProvider = data::JetProvider;
    m_.RefillPicker = true;
    rememberFolderOf(file);
}

bool frmMain::chooseExcelDriver() {
    m_.ExcelDriverName = GetEXCELDriver();
    if (!m_.ExcelDriverName.isEmpty())
        return true;
    seam_.messageBox("The system could not find any Excel ODBC drivers. Please "
                     "install the ODBC drivers before trying to connect to Excel!",
                     IconExclamation, "Excel Connect Error!");
    return false;
}

void frmMain::connectWorkbook(const QString& file) {
    m_.DbConnection = openConnection("Connecting to Excel...",
                                     data::excelConnectionString(m_.ExcelDriverName, file),
                                     data::ado::adModeUnknown);
    mnuFileOpen->setEnabled(true);
    m_.DbProvider = data::OdbcBridgeProvider;
    m_.RefillPicker = true;
    m_.SourceFilePath = file;
    rememberFolderOf(file);
}

// The file dialogs start where the last file opened lies, in this run and the next.
QString frmMain::lastFolder() const {
    return state::GetSetting(state::AppTitle, state::SettingsSection, LastFolderKey, QString());
}

void frmMain::rememberFolderOf(const QString& file) {
    state::SaveSetting(state::AppTitle, state::SettingsSection, LastFolderKey,
                       QFileInfo(file).absolutePath());
}

// Each dialog starts with the choice of files it showed when a file was last connected from it.
QString frmMain::lastFilter(const QString& key) const {
    return state::GetSetting(state::AppTitle, state::SettingsSection, key, QString());
}

void frmMain::rememberFilter(const QString& key, const QString& shown) {
    state::SaveSetting(state::AppTitle, state::SettingsSection, key, shown);
}

void frmMain::openFile(const QString& file, const QString& table) {
    feedback_.trap(
        [&] {
            data::messages::requireReadableFile(file);
            const OpenedSource before = openedSource();
            switch (data::fileKindOf(file)) {
            case data::FileKind::Access:
                connectAccess(file);
                break;
            case data::FileKind::Workbook:
                if (!chooseExcelDriver())
                    return;
                connectWorkbook(file);
                break;
            case data::FileKind::Unknown:
                throw data::messages::cannotOpen(
                    file, "it is neither an Access database nor an Excel workbook");
            }
            if (table.isEmpty() || !pickSource(table, before))
                pickAndOpen(before);
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::mnuFileCnctODBC_Click() {
    feedback_.trap(
        [this] {
            if (!login_)
                login_ = new frmLogin(m_, this);
            seam_.showModal(*login_, this);
            if (!m_.LoginAccepted)
                return;
            const OpenedSource before = openedSource();
            m_.DbConnection = openConnection(
                "Connecting to Oracle...",
                data::oracleConnectionString(m_.OracleDatabase, m_.OracleUser, m_.OraclePassword),
                data::ado::adModeRead);
            m_.DbProvider = data::OracleProvider;
            mnuFileOpen->setEnabled(true);
            m_.RefillPicker = true;
            repaint();
            pickAndOpen(before);
        },
        Feedback::OnFailure::ReadyFirst);
}

// The description of the workbook driver to connect through (data::workbookDriver); "" when
// there is none.
QString frmMain::GetEXCELDriver() {
    QString result;
    feedback_.trap([&] { result = data::workbookDriver(); });
    return result;
}

// ---- the record source ----------------------------------------------------------------

void frmMain::mnuFileOpen_Click() {
    pickAndOpen(openedSource());
}

void frmMain::pickAndOpen(const OpenedSource& before) {
    feedback_.trap([&] {
        seam_.showModal(picker(), this);
        if (m_.SourceChosen)
            openHalyardSource(before);
    });
}

frmMain::OpenedSource frmMain::openedSource() const {
    return {m_.DbConnection, m_.DbProvider, m_.SourceFilePath, m_.Grouping.RecordSource};
}

void frmMain::restoreSource(const OpenedSource& source) {
    if (m_.DbConnection != source.connection)
        m_.RefillPicker = true;
    m_.DbConnection = source.connection;
    m_.DbProvider = source.provider;
    m_.SourceFilePath = source.filePath;
    m_.Grouping.RecordSource = source.recordSource;
    mnuFileOpen->setEnabled(m_.DbConnection != nullptr);
}

void frmMain::forgetSource() {
    resetTree(tree::RootKind::Source);
    m_.Grouping = tree::GroupingModel();
    preparationPending_ = false;
    m_.DetailRecordset.reset();
    m_.LastDetailSQL.clear();
    m_.DetailLoaded = false;
    grdDataGrid->setDataSource(nullptr);
    lblTitle[1]->setText(QString());
}

frmOpenSource& frmMain::picker() {
    if (!picker_)
        picker_ = new frmOpenSource(m_, seam_, feedback_, this);
    return *picker_;
}

// Picks the table or view as the picker would when it is chosen there and OK pressed. One the
// source does not list is said so, and the caller opens the picker.
bool frmMain::pickSource(const QString& table, const OpenedSource& before) {
    if (!picker().pick(table)) {
        seam_.messageBox("\"" + m_.SourceFilePath + "\" has no table or view \"" + table + "\".",
                         IconExclamation, "Open");
        return false;
    }
    openHalyardSource(before);
    return true;
}

void frmMain::resetTree(tree::RootKind kind) {
    m_.Nodes.reset(kind);
}

// The window changes only once the chosen source's structure has been read (for a file source
// the engine loads the table then, which may take long): stopped before, everything stays as
// it was before the command, `before` included; failed, or its root unreadable, the tree is an
// empty root, the grid empty and untitled, and no record source is open, so that no click reads
// from the source that failed.
void frmMain::openHalyardSource(const OpenedSource& before) {
    feedback_.trap(
        [&] {
            repaint();
            feedback_.busy("Reading recordsource structure...");
            tree::GroupingModel opened;
            try {
                data::Recordset structure;
                structure.Open(data::structureSql(m_.Grouping.RecordSource), m_.DbConnection, -1,
                               -1, -1);
                opened.open(m_.Grouping.RecordSource, data::dialectOf(m_.DbProvider), structure);
                structure.Close();
            } catch (const std::exception& failure) {
                if (data::stopping() || dynamic_cast<const data::Cancelled*>(&failure))
                    restoreSource(before);
                else
                    forgetSource();
                throw;
            }
            resetTree(tree::RootKind::Source);
            m_.Grouping = std::move(opened);
            tvTreeView->setSelectedItem(m_.Nodes.root().get());
            feedback_.ready();
            lblTitle[1]->setText(m_.Grouping.RecordSource);
            lblTitle[1]->repaint();
            if (!TreeBuildRoot()) {
                forgetSource();
                return;
            }
            listDetails();
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::ListBuildFields() {
    feedback_.trap([this] {
        const tree::GroupingModel& grouping = m_.Grouping;
        bindDetail(
            grid::listBuildFieldsSql(grouping.ColInfo, grouping.FieldCount, grouping.RecordSource));
    });
}

void frmMain::ListBuildData() {
    feedback_.trap(
        [this] {
            feedback_.busy("Retrieving data...");
            // Before a record source is open there are no rows to show.
            const tree::GroupingModel& grouping = m_.Grouping;
            if (grouping.FieldCount == 0 || !m_.DbConnection) {
                feedback_.ready();
                return;
            }
            bindDetail(grid::listBuildDataSql(grouping.ColInfo, grouping.FieldCount,
                                              grouping.RecordSource, makeFilter(m_.SelectedDepth)));
            feedback_.ready();
        },
        Feedback::OnFailure::ReadyFirst);
}

// The load rule shared by the empty grid and a node's rows: a statement already bound is not
// queried again. The new rows replace the grid's (and DetailRecordset) only once they are open,
// so a failed open leaves the grid, the recordset its rows come from and LastDetailSQL as they
// were, and the same statement is tried again next time.
void frmMain::bindDetail(const QString& sql) {
    if (sql == m_.LastDetailSQL && m_.DetailLoaded)
        return;
    auto detail = std::make_shared<data::PagedRecordset>(m_.DbConnection, sql);
    showDetail(detail);
    m_.DetailRecordset = detail;
    m_.LastDetailSQL = sql;
    m_.DetailLoaded = true;
}

void frmMain::showDetail(const std::shared_ptr<data::PagedRecordset>& rows) {
    auto model = std::make_shared<grid::RecordsetModel>(rows);
    // A read that fails while the user scrolls (a connection lost, a value the source cannot
    // compute) ends the reading: the rows read stay in the grid and the failure is told once.
    connect(model.get(), &grid::RecordsetModel::fetchFailed, this,
            [this](const QString& description) { feedback_.showError(description); });
    grdDataGrid->setDataSource(std::move(model));
}

void frmMain::listDetails() {
    if (m_.AutoQueryEnabled)
        ListBuildData();
    else
        ListBuildFields();
}

void frmMain::mnuExtrasAutoQ_Click() {
    if (mnuExtrasAutoQ->isChecked()) {
        mnuExtrasAutoQ->setChecked(false);
        m_.AutoQueryEnabled = false;
        return;
    }
    mnuExtrasAutoQ->setChecked(true);
    ListBuildData();
    m_.AutoQueryEnabled = true;
}

void frmMain::mnuExtrasUpdDtls_Click() {
    if (m_.Grouping.RecordSource.isEmpty()) {
        sayNoRecordSource();
        return;
    }
    ListBuildData();
}

void frmMain::sayNoRecordSource() {
    feedback_.status(QStringLiteral("No record source is open"));
}

void frmMain::grdDataGrid_GotFocus() {
    m_.ActivePane = Pane::Grid;
}

void frmMain::grdDataGrid_HeadClick(int colIndex) {
    feedback_.trap([&] {
        if (colIndex < 0 || colIndex > data::ColInfoUpper)
            throw data::Error("Subscript out of range");
        const grid::SortChoice chosen = grid::chooseSort({m_.SortColumn, m_.SortDirection},
                                                         m_.Grouping.ColInfo[colIndex].ColSQL);
        m_.SortColumn = chosen.column;
        m_.SortDirection = chosen.direction;
    });
}

// Shows the bound rows in the order last chosen by the header clicks: the data source runs the
// statement again in that order, and the grid reads the rows through a new model, since the
// sorted rows stand in new positions. Stopped or failing, the grid keeps its rows in their order.
void frmMain::grdDataGrid_DblClick() {
    feedback_.trap([this] {
        if (!m_.DetailRecordset)
            throw data::Error("Operation is not allowed when the object is closed.");
        auto sorted = std::make_shared<data::PagedRecordset>(
            m_.DetailRecordset->connection(), m_.DetailRecordset->Source(),
            grid::sortText({m_.SortColumn, m_.SortDirection}));
        showDetail(sorted);
        m_.DetailRecordset = std::move(sorted);
    });
}

// ---- the grouping tree -----------------------------------------------------------------

int frmMain::moveGridColumns(int first, int last, int gap) {
    const tree::GroupingModel::BlockMove move = m_.Grouping.moveBlock(first, last, gap);
    if (move.discardFrom > 0) {
        seam_.setMousePointer(PointerHourglass);
        feedback_.trap([&] {
            m_.Nodes.prune(move.discardFrom,
                           [this](const QString& what) { feedback_.status(what); });
        });
        feedback_.ready();
        // The levels still standing group by the same columns as before; those below them
        // are built in the new order, which the source prepares for.
        prepareGrouping();
    } else {
        feedback_.busy("Deleting tree...");
        resetTree(tree::RootKind::Start);
        feedback_.ready();
        lblTitle[0]->setText("Column: ");
        TreeBuildRoot();
        tvTreeView->setSelectedItem(m_.Nodes.root().get());
    }
    // Pruning can take the selected node with it; the tree then selects its ancestor at the
    // deepest level kept. The grid's rows and later copies are those of the node now selected.
    m_.SelectedDepth = m_.Nodes.depthOf(tvTreeView->SelectedItem().get());
    listDetails();
    return move.first;
}

bool frmMain::TreeBuildRoot() {
    return feedback_.trap(
        [this] {
            feedback_.busy("Buildung tree...");
            prepareGrouping();
            m_.Nodes.root()->setText(tree::rootLabel(m_.Grouping.readRoot(m_.DbConnection)));
            feedback_.ready();
        },
        Feedback::OnFailure::ReadyFirst);
}

// The levels to come read faster when the source knows the terms they group by, in order. The
// source prepares (an index of the table, seconds at a million rows) once the window is idle,
// so that it never stands between the user and the tree: the tree's statements give the same
// rows without it, only more slowly.
void frmMain::prepareGrouping() {
    preparationPending_ = true;
    preparing_->start(0);
}

// Runs in the background (see OperationPump): the person's first click or key stops it and
// then goes ahead; it starts over once the window is idle again. Escape or Cancel leave the
// source unprepared until the order changes.
void frmMain::prepareGroupingWhenIdle() {
    if (!preparationPending_ || !m_.DbConnection)
        return;
    if (data::currentWatch()) {
        preparing_->start(OperationPump::Timing{}.turnEvery);
        return;
    }
    bool interrupted = false;
    {
        OperationPump pump(*sbStatusBar, OperationPump::Kind::Background);
        data::WatchScope watching(pump);
        m_.Grouping.prepareSource(*m_.DbConnection, m_.DateGroupType);
        interrupted = pump.stopping() && pump.heldInput();
        preparationPending_ = interrupted;
    }
    if (interrupted)
        preparing_->start(RetryAfterInput);
}

void frmMain::finishPreparing() {
    if (!preparationPending_ || !m_.DbConnection)
        return;
    preparationPending_ = false;
    preparing_->stop();
    m_.Grouping.prepareSource(*m_.DbConnection, m_.DateGroupType);
}

// The condition that selects the rows behind the selected node: written from the values it and
// its ancestors stand for, walking up from the node, taken to be at `depth`, until the root.
// The root stands for every row, so levels the walk does not reach add nothing (the selected
// root after a record source is opened again, whatever depth was clicked before).
QString frmMain::makeFilter(int depth) {
    return m_.Grouping.condition(m_.Nodes.pathTo(tvTreeView->SelectedItem().get(), depth));
}

void frmMain::TreeBuild() {
    tree::GroupingModel& grouping = m_.Grouping;
    const NodePtr node = tvTreeView->SelectedItem();
    const int d = m_.SelectedDepth;
    if (!node || node->Children() > 0 || !grouping.hasLevelBelow(d))
        return;
    const QString column = grouping.ColInfo[d].ColName;
    if (!grouping.canGroup(d)) {
        seam_.messageBox("The Database you are connected to does not support grouping on the "
                         "following column " +
                             column + ".",
                         IconInformation, "Cannot Group Column");
        return;
    }
    feedback_.trap(
        [&] {
            feedback_.busy("Buildung tree...");
            const tree::GroupingModel::Level level =
                grouping.startLevel(d, m_.Nodes.pathTo(node.get(), d), m_.DateGroupType);
            // The source prepared for the date group of the root's time; when the menu has
            // changed since, it prepares again for the group now fixed.
            if (level.dateGroupFixed)
                prepareGrouping();
            m_.Nodes.addLevel(*node, column, grouping.readLevel(m_.DbConnection, level.sql));
            // The level a click builds is shown at once; a level built earlier keeps the
            // state the user left it in.
            node->setExpanded(true);
            feedback_.ready();
        },
        Feedback::OnFailure::ReadyFirst);
}

void frmMain::tvTreeView_NodeClick(tree::TreeNode*) {
    feedback_.trap([this] {
        const NodePtr node = tvTreeView->SelectedItem();
        if (!node)
            return;
        lblTitle[0]->setText("Column: " + node->Tag());
        // The root of a window that has no record source open stands for nothing.
        if (m_.Grouping.RecordSource.isEmpty()) {
            sayNoRecordSource();
            return;
        }
        m_.SelectedDepth = m_.Nodes.depthOf(node.get());
        TreeBuild();
        listDetails();
    });
}

void frmMain::tvTreeView_GotFocus() {
    m_.ActivePane = Pane::Tree;
}

void frmMain::mnuView_Click(QAction* item) {
    const qsizetype at = mnuView->actions().indexOf(item);
    if (at < 0 || at >= qsizetype(data::DateGroups.size()))
        return;
    m_.DateGroupType = data::DateGroups[at];
    item->setChecked(true);
}

// ---- About ------------------------------------------------------------------------------

void frmMain::mnuHelpAbout_Click() {
    if (!about_)
        about_ = new frmAbout(this);
    seam_.showModal(*about_, this);
}
