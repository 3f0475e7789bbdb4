#include "TMainFormUi.h"

#include "GettingStartedPanel.h"
#include "ImageButton.h"
#include "SplitterBar.h"
#include "app/Pictures.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "platform/StartMarks.h"
#include "profiles/ui/ParameterPanels.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QWidget* panel(const QString& name, QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent, int x, int y)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->move(x, y);
    result->adjustSize();
    return result;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(name);
    return result;
}

QProgressBar* progressBar(const QString& name, QWidget* parent, int y)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setGeometry(115, y, 400, 14);
    return bar;
}
} // namespace

void TMainFormUi::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("TMainForm"));
    auto* root = new QVBoxLayout(form);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    pantop = panel(QStringLiteral("pantop"), form);
    pantop->setFixedHeight(15);
    root->addWidget(pantop);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    root->addLayout(middle, 1);
    setupTaskArea(form);
    StartMark("task area");
    middle->addWidget(panMain, 1);
    panSplitter = new SplitterBar(form);
    middle->addWidget(panSplitter);
    setupRightPanel(form);
    StartMark("right panel");
    middle->addWidget(panProfile);

    setupBottom(form);
    StartMark("bottom");
    root->addWidget(panBottom);
    setupToolButtons(form);
    StartMark("tool buttons");
}

void TMainFormUi::setupTaskArea(QWidget* form)
{
    panMain = panel(QStringLiteral("panMain"), form);
    auto* row = new QHBoxLayout(panMain);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    panLeft = panel(QStringLiteral("panLeft"), panMain);
    panLeft->setFixedWidth(10);
    row->addWidget(panLeft);

    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    row->addLayout(column, 1);

    // The list and the Getting started overlay share one cell; the overlay lies on top.
    auto* cell = new QGridLayout;
    cell->setContentsMargins(0, 0, 0, 0);
    column->addLayout(cell, 1);
    ltvTask = new QTreeView(panMain);
    ltvTask->setObjectName(QStringLiteral("ltvTask"));
    taskModel = new TaskModel(ltvTask);
    ltvTask->setModel(taskModel);
    ltvTask->setRootIsDecorated(false);
    ltvTask->setUniformRowHeights(true);
    ltvTask->setItemsExpandable(false);
    ltvTask->setAllColumnsShowFocus(true);
    ltvTask->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ltvTask->setSelectionBehavior(QAbstractItemView::SelectRows);
    ltvTask->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ltvTask->setContextMenuPolicy(Qt::CustomContextMenu);
    ltvTask->header()->setStretchLastSection(false);
    cell->addWidget(ltvTask, 0, 0);
    panbg = new GettingStartedPanel(panMain);
    cell->addWidget(panbg, 0, 0);

    ppmTask = new QMenu(ltvTask);
    ppmTask->setObjectName(QStringLiteral("ppmTask"));
    auto entry = [&](const QString& name, const QString& text) {
        QAction* action = ppmTask->addAction(text);
        action->setObjectName(name);
        return action;
    };
    mniOpen = entry(QStringLiteral("mniOpen"), QStringLiteral("Open"));
    mniShowLog = entry(QStringLiteral("mniShowLog"), QStringLiteral("Show Log"));
    ppmTask->addSeparator();
    mniAddFiles = entry(QStringLiteral("mniAddFiles"), QStringLiteral("Add Files..."));
    mniAddDir = entry(QStringLiteral("mniAddDir"), QStringLiteral("Add Directorys..."));
    ppmTask->addSeparator();
    mniConvertAgain = entry(QStringLiteral("mniConvertAgain"), QStringLiteral("Convert Again"));
    mniResetFailed = entry(QStringLiteral("mniResetFailed"), QStringLiteral("Reset Failed"));
    ppmTask->addSeparator();
    mniRemove = entry(QStringLiteral("mniRemove"), QStringLiteral("Remove"));
    mniClear = entry(QStringLiteral("mniClear"), QStringLiteral("Clear"));

    Toolbar1 = panel(QStringLiteral("Toolbar1"), panMain);
    Toolbar1->setFixedHeight(75);
    Toolbar1->setMouseTracking(true);
    column->addWidget(Toolbar1);
    setupToolbar();
}

void TMainFormUi::setupToolbar()
{
    auto* row = new QHBoxLayout(Toolbar1);
    row->setContentsMargins(5, 5, 5, 5);
    row->setSpacing(0);
    auto image = [&](const QString& name) {
        auto* result = new ImageButton(name, Toolbar1);
        result->setFixedSize(54, 54);
        row->addWidget(result);
        return result;
    };
    auto gap = [&](const QString& name) {
        QWidget* result = panel(name, Toolbar1);
        result->setFixedWidth(26);
        result->setMouseTracking(true);
        row->addWidget(result);
        return result;
    };
    ibtnAddFile = image(QStringLiteral("ibtnAddFile"));
    ibtnAddDir = image(QStringLiteral("ibtnAddDir"));
    panmargin1 = gap(QStringLiteral("panmargin1"));
    ibtnRemove = image(QStringLiteral("ibtnRemove"));
    ibtnClear = image(QStringLiteral("ibtnClear"));
    panmarin2 = gap(QStringLiteral("panmarin2"));
    ibtnSetting = image(QStringLiteral("ibtnSetting"));
    ibtnAbout = image(QStringLiteral("ibtnAbout"));
    ibtnHelp = image(QStringLiteral("ibtnHelp"));
    row->addStretch();
    labReading = new QLabel(Toolbar1);
    labReading->setObjectName(QStringLiteral("labReading"));
    // The line takes the room the buttons leave and wraps there: a longer count must not
    // widen the window.
    labReading->setWordWrap(true);
    labReading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labReading->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    labReading->hide();
    row->addWidget(labReading, 1);
}

void TMainFormUi::setupRightPanel(QWidget* form)
{
    panProfile = panel(QStringLiteral("panProfile"), form);
    panProfile->setFixedWidth(200);
    auto* column = new QVBoxLayout(panProfile);
    column->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, panProfile);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    column->addWidget(Splitter1);

    panPreview = panel(QStringLiteral("panPreview"), Splitter1);
    auto* preview = new QVBoxLayout(panPreview);
    preview->setContentsMargins(0, 0, 0, 0);
    preview->setSpacing(2);
    auto* videoRow = new QHBoxLayout;
    // A plain widget: the video widget and the media framework behind it cost start-up time
    // and memory, so the preview creates them on the first play.
    VideoWindow1 = panel(QStringLiteral("VideoWindow1"), panPreview);
    VideoWindow1->setMinimumSize(190, 123);
    QPalette black = VideoWindow1->palette();
    black.setColor(QPalette::Window, Qt::black);
    VideoWindow1->setPalette(black);
    VideoWindow1->setAutoFillBackground(true);
    videoRow->addWidget(VideoWindow1, 1);
    panRight1 = panel(QStringLiteral("panRight1"), panPreview);
    panRight1->setFixedWidth(10);
    videoRow->addWidget(panRight1);
    preview->addLayout(videoRow, 1);

    TrackBar = new QSlider(Qt::Horizontal, panPreview);
    TrackBar->setObjectName(QStringLiteral("TrackBar"));
    TrackBar->setFixedHeight(21);
    TrackBar->setTickPosition(QSlider::TicksAbove);
    TrackBar->setRange(0, 0);
    preview->addWidget(TrackBar);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    // The icons are drawn when first painted, at the screen's ratio.
    auto playerButton = [&](const QString& name, Pictures::Player picture, const QString& hint) {
        QPushButton* result = button(name, QString(), panPreview);
        result->setFixedSize(38, 22);
        result->setIcon(Pictures::playerIconSet(picture));
        result->setToolTip(hint);
        buttons->addWidget(result);
        return result;
    };
    sbtnPlay =
        playerButton(QStringLiteral("sbtnPlay"), Pictures::Player::Play, QStringLiteral("Play"));
    sbtnPause = playerButton(QStringLiteral("sbtnPause"), Pictures::Player::Pause,
                             QStringLiteral("Pause / Resume"));
    sbtnStop =
        playerButton(QStringLiteral("sbtnStop"), Pictures::Player::Stop, QStringLiteral("Stop"));
    buttons->addStretch();
    labPreviewTime = new QLabel(QStringLiteral("00:00:00"), panPreview);
    labPreviewTime->setObjectName(QStringLiteral("labPreviewTime"));
    labPreviewTime->setAutoFillBackground(true);
    labPreviewTime->setContentsMargins(4, 2, 4, 2);
    QPalette plate = labPreviewTime->palette();
    plate.setBrush(QPalette::Window, Pictures::previewTimeBackground(QSize(60, 22)));
    plate.setColor(QPalette::WindowText, Pictures::previewTimeTextColour());
    labPreviewTime->setPalette(plate);
    buttons->addWidget(labPreviewTime);
    buttons->addSpacing(10);
    preview->addLayout(buttons);

    auto* lower = panel(QStringLiteral("panParameters"), Splitter1);
    auto* lowerRow = new QHBoxLayout(lower);
    lowerRow->setContentsMargins(0, 0, 0, 0);
    lowerRow->setSpacing(0);
    gpbProfile = new QGroupBox(QStringLiteral("Parameters"), lower);
    gpbProfile->setObjectName(QStringLiteral("gpbProfile"));
    auto* group = new QVBoxLayout(gpbProfile);
    group->setContentsMargins(4, 4, 4, 4);
    scbParameters = new QScrollArea(gpbProfile);
    scbParameters->setObjectName(QStringLiteral("scbParameters"));
    scbParameters->setFrameShape(QFrame::NoFrame);
    scbParameters->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scbParameters->setWidgetResizable(true);
    panels = new ParameterPanels(true, 95, 68, scbParameters);
    panels->setObjectName(QStringLiteral("panParameterPanels"));
    scbParameters->setWidget(panels);
    group->addWidget(scbParameters);
    lowerRow->addWidget(gpbProfile, 1);
    panRight = panel(QStringLiteral("panRight"), lower);
    panRight->setFixedWidth(10);
    lowerRow->addWidget(panRight);

    Splitter1->setSizes({177, 300});
}

void TMainFormUi::setupBottom(QWidget* form)
{
    panBottom = panel(QStringLiteral("panBottom"), form);
    panBottom->setFixedHeight(77);
    auto* fill = new QHBoxLayout(panBottom);
    fill->setContentsMargins(0, 0, 0, 0);
    panBottomRight = panel(QStringLiteral("panBottomRight"), panBottom);
    panBottomRight->setMouseTracking(true);
    fill->addWidget(panBottomRight);

    // Inside the strip everything is placed by the window's resize rule, not by a layout.
    panBottomCenter = panel(QStringLiteral("panBottomCenter"), panBottomRight);
    panBottomCenter->setGeometry(0, 0, 607, 77);
    labProfile =
        label(QStringLiteral("labProfile"), QStringLiteral("Profile:"), panBottomCenter, 4, 14);
    cmbProfile = new QComboBox(panBottomCenter);
    cmbProfile->setObjectName(QStringLiteral("cmbProfile"));
    cmbProfile->setEditable(false);
    cmbProfile->setGeometry(78, 10, 434, 24);
    bbtnSetting =
        button(QStringLiteral("bbtnSetting"), QStringLiteral("&Setting"), panBottomCenter);
    bbtnSetting->setGeometry(517, 9, 80, 26);
    labOutputPath = label(QStringLiteral("labOutputPath"), QStringLiteral("Output Path:"),
                          panBottomCenter, 4, 46);
    edtOutputdir = new QLineEdit(panBottomCenter);
    edtOutputdir->setObjectName(QStringLiteral("edtOutputdir"));
    edtOutputdir->setGeometry(78, 42, 349, 24);
    bbtnBrowser = button(QStringLiteral("bbtnBrowser"), QStringLiteral("&Browse"), panBottomCenter);
    bbtnBrowser->setGeometry(432, 41, 80, 26);
    bbtnOpen = button(QStringLiteral("bbtnOpen"), QStringLiteral("&Open"), panBottomCenter);
    bbtnOpen->setGeometry(517, 41, 80, 26);

    panBottomLeft = panel(QStringLiteral("panBottomLeft"), panBottomRight);
    panBottomLeft->setGeometry(0, 0, 607, 77);
    label(QStringLiteral("labConverting"), QStringLiteral("Converting:"), panBottomLeft, 10, 4);
    labConvertingFile = label(QStringLiteral("labConvertingFile"), QStringLiteral("No File"),
                              panBottomLeft, 115, 4);
    label(QStringLiteral("labTimeElapsed"), QStringLiteral("Time Elapsed:"), panBottomLeft, 10, 21);
    labElapsed =
        label(QStringLiteral("labElapsed"), QStringLiteral("00:00:00"), panBottomLeft, 115, 21);
    label(QStringLiteral("labTimeRemaining"), QStringLiteral("Time Remaining:"), panBottomLeft, 230,
          21);
    labRemaining =
        label(QStringLiteral("labRemaining"), QStringLiteral("00:00:00"), panBottomLeft, 340, 21);
    label(QStringLiteral("labCurrentProgress"), QStringLiteral("Current Progress:"), panBottomLeft,
          10, 39);
    pgbCurrent = progressBar(QStringLiteral("pgbCurrent"), panBottomLeft, 40);
    labCurProgress =
        label(QStringLiteral("labCurProgress"), QStringLiteral("0%"), panBottomLeft, 580, 39);
    label(QStringLiteral("labTotalProgressCaption"), QStringLiteral("Total Progress:"),
          panBottomLeft, 10, 57);
    pgbTotal = progressBar(QStringLiteral("pgbTotal"), panBottomLeft, 58);
    labTotalProgress =
        label(QStringLiteral("labTotalProgress"), QStringLiteral("0%"), panBottomLeft, 580, 57);
    for (QLabel* percent : {labCurProgress, labTotalProgress})
        percent->setFixedWidth(
            std::max(34, percent->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 2));

    imgStart = new ImageButton(QStringLiteral("imgStart"), panBottomRight);
    imgStart->setGeometry(592, 8, 188, 58);
    imgStop = new ImageButton(QStringLiteral("imgStop"), panBottomRight);
    imgStop->setGeometry(592, 8, 188, 58);
    imgStop->hide();
}

void TMainFormUi::setupToolButtons(QWidget* form)
{
    // Every command is also an invisible tool button carrying its click handler.
    auto tool = [&](const QString& name, const QString& hint) {
        auto* result = new QToolButton(form);
        result->setObjectName(name);
        result->setToolTip(hint);
        result->setAccessibleName(hint);
        result->hide();
        return result;
    };
    tbtnAddFile = tool(QStringLiteral("tbtnAddFile"), QStringLiteral("Add Video Files"));
    tbtnAddDir = tool(QStringLiteral("tbtnAddDir"), QStringLiteral("Add Directory"));
    tbtnUp = tool(QStringLiteral("tbtnUp"), QStringLiteral("Move Up"));
    tbtnDown = tool(QStringLiteral("tbtnDown"), QStringLiteral("Move Down"));
    tbtnRemove = tool(QStringLiteral("tbtnRemove"), QStringLiteral("Remove"));
    tbtnClear = tool(QStringLiteral("tbtnClear"), QStringLiteral("Clear"));
    tbtnStart = tool(QStringLiteral("tbtnStart"), QStringLiteral("Start"));
    tbtnStop = tool(QStringLiteral("tbtnStop"), QStringLiteral("Stop"));
    tbtnSetting = tool(QStringLiteral("tbtnSetting"), QStringLiteral("Settings"));
    tbtnAbout = tool(QStringLiteral("tbtnAbout"), QStringLiteral("About"));
    tbtnHelp = tool(QStringLiteral("tbtnHelp"), QStringLiteral("Help"));
    for (QToolButton* listCommand : {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart})
        listCommand->setEnabled(false);

    Memo1 = new QPlainTextEdit(form);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->hide();
    timerTime = new QTimer(form);
    timerTime->setObjectName(QStringLiteral("timerTime"));
    timerTime->setInterval(1000);
}
