#include "reports/word_export.h"

#include <cctype>

#include "platform/docx_writer.h"
#include "platform/rtf_writer.h"
#include "reports/rtf_head_foot.h"

namespace pyx {

WordFormat wordFormatOf(const std::string& path)
{
    static const std::string ending = ".docx";
    if (path.size() < ending.size())
        return WordFormat::Rtf;
    for (std::size_t k = 0; k < ending.size(); ++k) {
        const auto c = static_cast<unsigned char>(path[path.size() - ending.size() + k]);
        if (std::tolower(c) != ending[k])
            return WordFormat::Rtf;
    }
    return WordFormat::Docx;
}

WordOptions wordOptions(const PageDocument& doc, const PrintSelection& s, const std::string& path,
                        WordFormat format)
{
    WordOptions o;
    o.setup = doc.setup();
    o.defaultFont = doc.defaultFont();
    o.pictureTablesFullWidth = true;
    o.pictureTablesOnNewPage = true;
    o.picturePartMargin = kCurveMargin;
    if (s.reducedCurves && (s.timeCurve || s.gradientCurve))
        o.pictureSize =
            PictureSize{kReducedPictureWidth * kTwipsPerPoint, kReducedPictureHeight * kTwipsPerPoint};
    // The page composer has no header or footer text of its own, so the groups stay empty.
    RtfHeadFootSource head;
    head.exportFile = path;
    head.exportFormat = format == WordFormat::Rtf ? kFirstRtfFormat : 0;
    head.textLeft = static_cast<long>(o.setup.contentLeft());
    head.textRight = static_cast<long>(o.setup.contentRight());
    head.fontName = o.defaultFont;
    head.fontSize = 10;
    o.rtfHeadFoot = RtfHeadFoot(head);
    return o;
}

std::string exportWord(TestData& d, int gridRows, const TextMeasure& measure, const PictureEncoder& encoder,
                       const std::string& path, WordFormat format)
{
    PageDocument doc(measure);
    ReportBuilder builder(d, gridRows);
    builder.buildWord(doc);
    const WordOptions o = wordOptions(doc, printSelectionOf(d.csz), path, format);
    return format == WordFormat::Docx ? writeDocx(path, doc.flow(), o, encoder)
                                      : writeRtf(path, doc.flow(), o, encoder);
}

} // namespace pyx
