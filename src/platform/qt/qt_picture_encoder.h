#pragma once
// PNG pictures of drawings, painted by the QPainter canvas as the preview paints them.

#include "platform/picture_encoder.h"

namespace pyx {

class QtPictureEncoder : public PictureEncoder
{
public:
    std::string png(const Drawing& drawing, int width, int height, double dpi) const override;
};

} // namespace pyx
