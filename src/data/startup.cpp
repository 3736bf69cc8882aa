#include "data/startup.h"

#include "data/cp936.h"
#include "data/settings.h"

namespace pyx {

void startValues(TestData& d, const std::string& settingsPath)
{
    d.bjtext = "500";
    d.newtest = 0;
    d.decimalLoads = -1;
    d.tabmode = 1;
    d.showqs = true;
    d.showlg = 0;
    d.ymax0 = 50;
    d.nstage = 10;
    d.gradientScale = 0.2f;
    d.curvekind = 1;
    resetForStart(d);
    readSettings(settingsPath, d.csz);
    checkSettings(d.csz);
    d.csz[1] = "0";
    d.kz3 = d.csz[3];
    d.ysn = 0;
    d.jlbn = 0;
}

std::string lastDataFile(const TestData& d)
{
    return trimBlanks(d.csz[9]);
}

} // namespace pyx
