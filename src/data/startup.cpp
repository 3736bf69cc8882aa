#include "data/startup.h"

#include "base/cp936.h"
#include "data/settings.h"

namespace pyx {

void startValues(TestData& d, const std::string& settingsPath)
{
    d.bjtext = "500";
    d.newtest = false;
    d.tabmode = 1;
    d.ymax0 = 50;
    d.nstage = 10;
    d.curvekind = CurveKind::Time;
    resetForStart(d);
    readSettings(settingsPath, d.csz);
    checkSettings(d.csz);
    d.csz[setting::kControlLoad] = "0";
    d.kz3 = d.csz[setting::kLoadIncrement];
    d.ysn = 0;
    d.jlbn = 0;
}

std::string lastDataFile(const TestData& d)
{
    return trimBlanks(d.csz[setting::kLastFile]);
}

} // namespace pyx
