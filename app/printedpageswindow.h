#pragma once

#include <memory>

#include "ui/forms/boot.h"
#include "ui/forms/printedpages.h"
#include "virtualport/trainingbench.h"

namespace opal::app {

// What the technician would read off the virtual printer's hardware; none for a real printer.
QStringList PrinterLines(const std::optional<BenchView>& view);

// The "Printed pages" window of the virtual printer, reached from the start-up form's pop-up
// menu; each showing of the start-up form begins a session, whose first page opens the window.
// None without a virtual printer: a real one prints on paper.
std::unique_ptr<ui::TFormPrintedPages> MakePrintedPagesWindow(const std::optional<BenchView>& view,
                                                              ui::TFormBoot& boot);

}  // namespace opal::app
