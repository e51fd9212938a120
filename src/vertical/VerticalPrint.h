#pragma once

#include "documents/PrintDocument.h"
#include "notation/ManuscriptGrid.h"
#include "notation/Notation.h"
#include "vertical/VerticalLayout.h"

// The document printed in vertical writing: the pages of the preview, one to a sheet, each as
// large as the printable area allows, in the text box's font, with the page number below.
// Runs like the horizontal printout: its progress window, キャンセル, and "Error" on failure.
namespace vertical {

struct PrintChoice {
    notation::Target target = notation::Target::None;
    manuscript::GridOptions cells;
    PageForm form;
};

PrintOutcome printVertical(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress,
                           const PrintChoice& choice);

} // namespace vertical
