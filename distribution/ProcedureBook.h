#pragma once
// The procedure on paper, for the end user whose PC will not start: one
// self-contained HTML file (no network, as the HTML player) that any browser
// prints on A4. Every step a run can reach is numbered, the Yes answer's
// branch right after its question, so "はい" mostly means "read on"; a
// question ends with "はい → 7 へ / いいえ → 12 へ", a final message says its
// kind in a word beside its icon (readable in black and white), and a table
// of every end with its number closes the book for support staff. On screen
// the numbers are links; printed, no step is split across pages and every
// page carries its number.

#include <string>
#include <string_view>

#include "distribution/DiagramNodes.h"
#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/LaterFields.h"
#include "files/ByteSink.h"

namespace velmora {

// Writes the book (UTF-8) into `sink`; `date` (CP932) is printed under the
// title, "2026年12月8日" as BookDateText gives it.
void WriteProcedureBook(const DecisionTree& tree, const DocumentState& state, std::string_view date, ByteSink& sink);
// The same from the procedure's nodes as shown, with their declared fields
// by position (as the steps hold them; null for none): a step's picture
// stands above its message, scaled to the page; with `notes` each step also
// prints its author's note, for a review on paper.
void WriteProcedureBook(const ShownNodes& shown, const DocumentState& state, std::string_view date, ByteSink& sink,
                        const FieldTable* fields = nullptr, bool notes = false);

// Today's date as the book prints it (CP932).
std::string BookDateText();

}  // namespace velmora
