// The control roster of the main window: every control by its roster name. The window owns
// them all; commands receive this struct and reach the controls through the control operations.
#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QWidget;

namespace vexlo {

class MatchTable;

struct Controls {
    QWidget* mainWindow = nullptr;
    QLabel* patternLabel = nullptr;
    QCheckBox* caseCheck = nullptr;
    QCheckBox* quoteCheck = nullptr;
    QPlainTextEdit* patternBox = nullptr;
    QPushButton* matchButton = nullptr;
    QPushButton* escapeButton = nullptr;
    QPushButton* newlineButton = nullptr;
    QPushButton* blankButton = nullptr;
    QPushButton* quoteButton = nullptr;
    QPushButton* collapseButton = nullptr;
    QComboBox* escapeCombo = nullptr;
    QPushButton* dedupeButton = nullptr;
    QPushButton* tidyButton = nullptr;
    QPushButton* optimiseButton = nullptr;
    QPlainTextEdit* searchBox = nullptr;
    QPushButton* findPrevButton = nullptr;
    QPushButton* findNextButton = nullptr;
    QPushButton* genCodeButton = nullptr;
    QTabWidget* tabs = nullptr;
    QPlainTextEdit* sourceBox = nullptr;
    QTableView* resultList = nullptr;
    QPushButton* copyCodeButton = nullptr;
    QPlainTextEdit* codeBox = nullptr;
    MatchTable* table = nullptr; // the model of resultList
};

/// Outer size of mainWindow, frame included.
inline constexpr int WINDOW_OUTER_WIDTH = 689;
inline constexpr int WINDOW_OUTER_HEIGHT = 477;

/// Creates mainWindow (hidden) with every control of the roster at its place, with its caption,
/// initial content and settings, and the text colours of the three coloured boxes. The caller
/// owns controls.mainWindow, which owns everything else.
Controls buildRoster();

/// Fixes the client size so that the outer size, frame included, is 689 x 477, using the frame
/// the window system reports now (none before the window is shown).
void fitOuterSize(QWidget* mainWindow);

/// Moves mainWindow so that its outer rectangle is centred on its screen.
void centreOnScreen(QWidget* mainWindow);

} // namespace vexlo
