// Result navigation: from a row of resultList back to its match in the source text, copying a
// match, and jumping to a row by its number; and find in the source text (find.cpp).
#pragma once

#include "text/ansi_text.h"

namespace vexlo {
struct Controls;

/// The place the walk over the source text gives for row number n: the n-th occurrence of
/// match (each search starting one byte after the last hit, so overlaps count), where a miss
/// starts the count again from the first occurrence; so with k occurrences, n = k + 1 gives
/// -1 and n beyond it cycles. 0 when n < 1; -1 when match is empty or never occurs.
/// One pass over source.
BytePos nthOccurrence(std::string_view source, std::string_view match, int n);
} // namespace vexlo

namespace vexlo::ui {

/// Double click or Enter on a row: page 0, focus to sourceBox, and the row's match selected.
/// sourceUnchanged: the source text is the one the run matched, so the table's position of
/// the match is used; otherwise the match is found again by its number (nthOccurrence). With
/// no row selected the caret goes to character 0.
void showInSource(const Controls& c, bool sourceUnchanged);
/// Right click: the selected row's match text to the clipboard, then a message showing it.
void copyResult(const Controls& c);
/// Ctrl+F: asks for a row number (from 1) and selects and shows that row; 0 or a text that is
/// no number clears the selection, a number past the last row changes nothing, Cancel changes
/// nothing.
void jumpToRow(const Controls& c);

/// "往前找": page 0, then the last occurrence of the find text that ends at or before the start
/// of the selection of sourceBox is selected (exact case); a miss changes nothing. The focus
/// stays where it was.
void findPrevious(const Controls& c);
/// "往后找": page 0, then the first occurrence of the find text from the caret (or from one
/// character after the start of a selection) is selected, no wrap-around; the focus goes to
/// sourceBox either way.
void findNext(const Controls& c);

} // namespace vexlo::ui
