// runMatch as the window does it: reads the four inputs once, starts the run on its worker,
// shows the page of results before the first rows and the run's message at its end.
#pragma once

#include "match/run.h"
#include "ui/box_mirror.h"

#include <functional>
#include <memory>

namespace vexlo {

struct Controls;

class MatchCommand {
  public:
    /// controls must outlive this object; the run fills controls.table.
    explicit MatchCommand(const Controls& controls);
    ~MatchCommand(); // cancels the run in progress
    MatchCommand(const MatchCommand&) = delete;
    MatchCommand& operator=(const MatchCommand&) = delete;

    /// Cancels the run in progress, then starts a new one over the current inputs. Returns at
    /// once. At its end: "正则创建失败!" when the pattern is rejected (page unchanged),
    /// "无匹配的文本,请尝试检查" and then page 0 once the box is closed when nothing matched,
    /// the runaway message with the number of rows kept when the engine's limit stopped it.
    /// The boxes leave the window usable.
    void runMatch();
    /// Cancels the run in progress; nothing of it reaches the table or the user any more.
    void cancel();
    bool running() const;

    /// Called on the window thread once per run that ends (not for a cancelled one), after its
    /// message, if any, has been put up.
    void setFinishedHandler(std::function<void(RunEnd end, int rows)> finished);

    /// True when the text of sourceBox has not been edited since the last run read it, so the
    /// table's positions of the matches still hold.
    bool sourceUnchangedSinceRun() const;

  private:
    void reportEnd(RunEnd end, int rows);

    const Controls& controls_;
    BoxTextMirror source_;            // sourceBox's text, kept current as it is edited
    std::unique_ptr<MatchRun> run_;
    std::shared_ptr<int> generation_; // counts runs; a stale box callback sees a newer value
    int sourceRevision_ = -1;         // document revision of sourceBox when last read
    std::function<void(RunEnd, int)> finished_;
};

} // namespace vexlo
