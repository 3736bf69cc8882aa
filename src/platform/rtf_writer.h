#pragma once
// The document flow as an RTF file that word processors open: fonts by name (a Chinese name
// with the GB2312 character set), every non-ASCII character as a Unicode escape, paragraphs,
// ruled tables with their widths, heights and merged cells, page and section breaks, and the
// pictures as PNG data inside their table cells.

#include <string>

#include "base/io_result.h"
#include "platform/word_plan.h"

namespace pyx {

// A made document, or why it could not be made.
struct WordOutput
{
    std::string bytes;
    IoResult status = IoResult::done();
};

WordOutput rtfDocument(const Flow& flow, const WordOptions& options, const PictureEncoder& encoder);

// Writes the document to `path` through a temporary file beside it; on failure nothing is
// left at `path` that was not there before.
IoResult writeRtf(const std::string& path, const Flow& flow, const WordOptions& options,
                  const PictureEncoder& encoder);

// Writes a made document (see writeFileAtomic); the document's own error comes first.
IoResult writeWordOutput(const std::string& path, const WordOutput& output);

} // namespace pyx
