#pragma once
// The report document as a PDF file, page for page as the preview shows it. The file is
// written whole or not at all: an existing file at the path stays as it was on failure.

#include <string>

#include "base/io_result.h"
#include "platform/dialogs.h"
#include "platform/page_document.h"

namespace pyx {

// Done, or failed with the reason (Chinese, for the user).
IoResult exportPdf(const PageDocument& doc, const std::string& path);

// The export command's end: the document written to `path` and the user told how it went.
void exportPdfAndTell(const PageDocument& doc, const std::string& path, Dialogs& dialogs);

} // namespace pyx
