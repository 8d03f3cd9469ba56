// Wiring of mainWindow: each event of the roster to its command.
#include "ui/main_window.h"

#include "ui/control_ops.h"
#include "ui/dialogs.h"
#include "ui/key_bindings.h"
#include "ui/match_command.h"
#include "ui/navigation.h"
#include "ui/pattern_commands.h"
#include "ui/window_events.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

namespace vexlo {

MainWindow::MainWindow()
    : c_(buildRoster()), window_(c_.mainWindow), match_(std::make_unique<MatchCommand>(c_)) {
    wireButtons();
    wireKeysAndMouse();
    QWidget* window = window_.get();
    new WindowEvents(
        window, [this] { match_->cancel(); }, [window] { fitOuterSize(window); });
}

MainWindow::~MainWindow() {
    match_.reset();
    window_.reset();
}

void MainWindow::show() {
    centreOnScreen(window_.get());
    window_->show();
    c_.patternBox->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::wireButtons() {
    const Controls& c = c_;
    QWidget* context = window_.get();
    const auto bind = [context](QPushButton* button, auto command) {
        QObject::connect(button, &QPushButton::clicked, context, command);
    };
    bind(c.matchButton, [this] { match_->runMatch(); });
    bind(c.escapeButton, [&c] { ui::escapeMetachars(c); });
    bind(c.newlineButton, [&c] { ui::replaceLineBreaks(c); });
    bind(c.blankButton, [&c] { ui::replaceBlanks(c); });
    bind(c.quoteButton, [&c] { ui::replaceQuotes(c); });
    bind(c.collapseButton, [&c] { ui::collapseEscapes(c); });
    bind(c.dedupeButton, [&c] { ui::foldRepeats(c); });
    bind(c.tidyButton, [&c] { ui::generaliseChars(c); });
    bind(c.optimiseButton, [&c] { ui::smartOptimise(c); });
    bind(c.findPrevButton, [&c] { ui::findPrevious(c); });
    bind(c.findNextButton, [&c] { ui::findNext(c); });
    bind(c.genCodeButton, [&c] { ui::generateCode(c); });
    bind(c.copyCodeButton, [&c] { ui::copyCode(c); });
}

void MainWindow::wireKeysAndMouse() {
    const Controls& c = c_;
    KeyActions keys;
    keys.runMatch = [this] { match_->runMatch(); };
    keys.smartOptimise = [&c] { ui::smartOptimise(c); };
    keys.focusSource = [&c] { setFocus(c.sourceBox); };
    keys.focusPattern = [&c] { setFocus(c.patternBox); };
    keys.jumpToRow = [&c] { ui::jumpToRow(c); };
    keys.showInSource = [this] { ui::showInSource(c_, match_->sourceUnchangedSinceRun()); };
    new KeyBindings(c.patternBox, c.sourceBox, c.resultList, std::move(keys));

    QObject::connect(c.resultList, &QTableView::doubleClicked, window_.get(),
                     [this] { ui::showInSource(c_, match_->sourceUnchangedSinceRun()); });
    // A right click selects the row under the pointer first (the view does that on the
    // press), so the copied row is the one clicked.
    c.resultList->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(c.resultList, &QWidget::customContextMenuRequested, window_.get(),
                     [&c] { ui::copyResult(c); });
}

} // namespace vexlo
