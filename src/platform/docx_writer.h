#pragma once
// The document flow as an Office Open XML word-processing file (.docx): the same paragraphs,
// ruled tables with merged cells, page and section set-up and pictures in their cells as the
// RTF writer gives, zipped. The RTF header and footer groups have no place here.

#include <string>

#include "platform/rtf_writer.h"

namespace pyx {

WordOutput docxDocument(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder);

// Writes the document to `path` through a temporary file beside it; on failure nothing is
// left at `path` that was not there before.
IoResult writeDocx(const std::string& path, const Flow& flow, const WordOptions& options,
                   const PictureEncoder& encoder);

} // namespace pyx
