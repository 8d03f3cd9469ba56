// The window side of the match run: inputs, page switching and the end-of-run messages.
#include "ui/match_command.h"

#include "text/primitives.h"
#include "ui/control_ops.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/qt_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace vexlo {

MatchCommand::MatchCommand(const Controls& controls)
    : controls_(controls), source_(controls.sourceBox), run_(std::make_unique<MatchRun>(*controls.table)),
      generation_(std::make_shared<int>(0)) {}

MatchCommand::~MatchCommand() = default;

void MatchCommand::runMatch() {
    ++*generation_;
    RunInputs inputs;
    inputs.pattern = boxText(controls_.patternBox);
    inputs.subject = source_.text(); // shared, not copied
    inputs.caseSensitive = isTicked(controls_.caseCheck);
    inputs.restoreQuotes = isTicked(controls_.quoteCheck);
    sourceRevision_ = controls_.sourceBox->document()->revision();

    RunCallbacks callbacks;
    QTabWidget* tabs = controls_.tabs;
    callbacks.firstRows = [tabs] { showPage(tabs, 1); };
    callbacks.ended = [this](RunEnd end, int rows) { reportEnd(end, rows); };
    run_->start(std::move(inputs), std::move(callbacks));
}

void MatchCommand::cancel() {
    run_->cancel();
}

bool MatchCommand::running() const {
    return run_->running();
}

void MatchCommand::setFinishedHandler(std::function<void(RunEnd, int)> finished) {
    finished_ = std::move(finished);
}

bool MatchCommand::sourceUnchangedSinceRun() const {
    return sourceRevision_ >= 0 && controls_.sourceBox->document()->revision() == sourceRevision_;
}

void MatchCommand::reportEnd(RunEnd end, int rows) {
    QWidget* owner = controls_.mainWindow;
    switch (end) {
    case RunEnd::listed:
        break;
    case RunEnd::rejected:
        showMessage(ansiFromUtf8("正则创建失败!"), MB_ICONERROR_OK, owner);
        break;
    case RunEnd::noMatch: {
        // Page 0 once the box is closed, unless a newer run has taken over the window since.
        QTabWidget* tabs = controls_.tabs;
        std::weak_ptr<int> generation = generation_;
        const int thisRun = *generation_;
        showMessage(ansiFromUtf8("无匹配的文本,请尝试检查"), MB_ICONERROR_OK, owner,
                    [tabs, generation, thisRun] {
                        const std::shared_ptr<int> current = generation.lock();
                        if (current && *current == thisRun) {
                            showPage(tabs, 0);
                        }
                    });
        break;
    }
    case RunEnd::runaway:
        showMessage(concatText(ansiFromUtf8("匹配超出回溯限制,已停止"), "\r\n",
                               ansiFromUtf8("已列出"), toText(rows), ansiFromUtf8("个匹配")),
                    MB_ICONERROR_OK, owner);
        break;
    }
    if (finished_) {
        finished_(end, rows);
    }
}

} // namespace vexlo
