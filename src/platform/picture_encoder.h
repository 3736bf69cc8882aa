#pragma once
// The pictures a document file embeds: a drawing as PNG file bytes at a size in pixels. The
// word-processor writers ask for them; the Qt canvas paints and encodes them.

#include <string>

#include "platform/canvas.h"

namespace pyx {

class PictureEncoder
{
public:
    virtual ~PictureEncoder() = default;
    // The drawing mapped onto a white image of `width` x `height` pixels that stands for
    // `dpi` pixels an inch of paper, as the bytes of a PNG file; empty when it could not be
    // made.
    virtual std::string png(const Drawing& drawing, int width, int height, double dpi) const = 0;
};

} // namespace pyx
