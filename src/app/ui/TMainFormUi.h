#pragma once

#include <QList>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;
class TaskModel;
class QTimer;
class QToolButton;
class QTreeView;
class QWidget;
class GettingStartedPanel;
class ImageButton;
class ParameterPanels;
class SplitterBar;

// The layout of the main window: every control, each carrying the name the handlers use, so that
// behaviour can be attached without adding widgets.
struct TMainFormUi
{
    void setupUi(QWidget* form);
    // The commands that need tasks: enabled once the list has some, disabled when it has none.
    QList<QToolButton*> listCommands() const
    {
        return {tbtnUp, tbtnDown, tbtnRemove, tbtnClear, tbtnStart};
    }

    QWidget* pantop = nullptr;
    QWidget* panMain = nullptr;
    QWidget* panLeft = nullptr;
    QTreeView* ltvTask = nullptr;
    TaskModel* taskModel = nullptr;
    GettingStartedPanel* panbg = nullptr;
    QWidget* Toolbar1 = nullptr;
    ImageButton* ibtnAddFile = nullptr;
    ImageButton* ibtnAddDir = nullptr;
    QWidget* panmargin1 = nullptr;
    ImageButton* ibtnRemove = nullptr;
    ImageButton* ibtnClear = nullptr;
    QWidget* panmarin2 = nullptr;
    ImageButton* ibtnSetting = nullptr;
    ImageButton* ibtnAbout = nullptr;
    ImageButton* ibtnHelp = nullptr;
    QLabel* labReading = nullptr; // how many of the files added are read so far
    QMenu* ppmTask = nullptr;
    QAction* mniOpen = nullptr;
    QAction* mniShowLog = nullptr;
    QAction* mniAddFiles = nullptr;
    QAction* mniAddDir = nullptr;
    QAction* mniConvertAgain = nullptr;
    QAction* mniResetFailed = nullptr;
    QAction* mniRemove = nullptr;
    QAction* mniClear = nullptr;

    SplitterBar* panSplitter = nullptr;

    QWidget* panProfile = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* panPreview = nullptr;
    QWidget* VideoWindow1 = nullptr; // black until the first play puts the video in it
    QWidget* panRight1 = nullptr;
    QSlider* TrackBar = nullptr;
    QPushButton* sbtnPlay = nullptr;
    QPushButton* sbtnPause = nullptr;
    QPushButton* sbtnStop = nullptr;
    QLabel* labPreviewTime = nullptr;
    QGroupBox* gpbProfile = nullptr;
    QScrollArea* scbParameters = nullptr;
    ParameterPanels* panels = nullptr;
    QWidget* panRight = nullptr;

    QWidget* panBottom = nullptr;
    QWidget* panBottomRight = nullptr;
    QWidget* panBottomCenter = nullptr;
    QLabel* labProfile = nullptr;
    QComboBox* cmbProfile = nullptr;
    QPushButton* bbtnSetting = nullptr;
    QLabel* labOutputPath = nullptr;
    QLineEdit* edtOutputdir = nullptr;
    QPushButton* bbtnBrowser = nullptr;
    QPushButton* bbtnOpen = nullptr;
    QWidget* panBottomLeft = nullptr;
    QLabel* labConvertingFile = nullptr;
    QLabel* labElapsed = nullptr;
    QLabel* labRemaining = nullptr;
    QProgressBar* pgbCurrent = nullptr;
    QLabel* labCurProgress = nullptr;
    QProgressBar* pgbTotal = nullptr;
    QLabel* labTotalProgress = nullptr;
    ImageButton* imgStart = nullptr;
    ImageButton* imgStop = nullptr;

    QToolButton* tbtnAddFile = nullptr;
    QToolButton* tbtnAddDir = nullptr;
    QToolButton* tbtnUp = nullptr;
    QToolButton* tbtnDown = nullptr;
    QToolButton* tbtnRemove = nullptr;
    QToolButton* tbtnClear = nullptr;
    QToolButton* tbtnStart = nullptr;
    QToolButton* tbtnStop = nullptr;
    QToolButton* tbtnSetting = nullptr;
    QToolButton* tbtnAbout = nullptr;
    QToolButton* tbtnHelp = nullptr;

    QPlainTextEdit* Memo1 = nullptr;
    QTimer* timerTime = nullptr;

private:
    void setupTaskArea(QWidget* form);
    void setupToolbar();
    void setupRightPanel(QWidget* form);
    void setupBottom(QWidget* form);
    void setupToolButtons(QWidget* form);
};
