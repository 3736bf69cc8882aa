#include "session/test_session.h"

#include "base/cp936.h"
#include "base/file_io.h"
#include "data/change_record.h"
#include "data/file_damage.h"
#include "data/settings_entries.h"
#include "data/startup.h"
#include "eval/curve_scale.h"
#include "eval/evaluation.h"
#include "tables/record_table.h"

namespace pyx {

TestSession::TestSession(TestData& data, Dialogs& dialogs, std::string settingsPath)
    : files(data, dialogs, std::move(settingsPath)), editor(data, grid, dialogs), curves(data, dialogs),
      d_(data), dialogs_(dialogs)
{
    editor.evaluate = [this] { evaluate(); };
    editor.display = [this] { display(); };

    FileCommandHooks& h = files.hooks;
    h.evaluate = [this] { evaluate(); };
    h.showRecordTable = [this] {
        ysdata_Click();
        if (!d_.curfile.empty())
            editor.fixCyclesQuiet();
    };
    h.display = [this] { display(); };
    h.menuinfo = [this] { menuinfo(); };
    // The gauge distance as the project information dialog loads it: from the slots, or
    // from the settings for a test restored at start-up.
    h.loadProjectInfo = [this] {
        d_.bjtext = trimBlanks(d_.restored ? d_.csz[setting::kProjectTexts + 5] : d_.jlb[5].cstr.trimmed());
    };
    curves.hooks.gridRows = [this] { return grid.rows(); };
    h.testReplaced = [this] { testReplaced(); };
}

void TestSession::testReplaced()
{
    d_.logger = loggerReadings(d_);
    // A new test has no file yet.
    if (d_.newtest || d_.curfile.empty())
        return;
    const std::string damage = damageMessage(d_, fileLength(d_.curfile));
    if (!damage.empty())
        dialogs_.message({damage, "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
}

void TestSession::start(int screenWidthPx)
{
    d_.screenpx = screenWidthPx;
    headJlb(grid, d_.screenpx);
    grid.setEditable(false);
    grid.refresh();
    startValues(d_, files.settingsPath());
    const std::string last = lastDataFile(d_);
    if (!last.empty()) {
        d_.curfile = last;
        d_.autoopen = true;
        files.open();
        d_.autoopen = false;
    }
    menuinfo();
    showTexts();
    if (d_.curfile.empty())
        curves.DrawChartQS_Click();
}

void TestSession::evaluate()
{
    ystodb(d_);
}

void TestSession::display()
{
    pyx::display(
        d_, CurveDrawers{[this] { curves.DrawChartQS_Click(); }, [this] { curves.MenuSLgQcurve_Click(); }});
}

void TestSession::ysdata_Click()
{
    editor.clearRefusal();
    d_.tabmode = 1;
    menuinfo();
    headJlb(grid, d_.screenpx);
    if (d_.curfile.empty())
        grid.setEditable(false); // with no test open there is nothing to edit
    else
        fillRecordTable(grid, d_);
    grid.refresh();
    recordTableShown();
}

std::unique_ptr<OpenedTest> openTestAlone(const std::string& path, const std::string& settingsPath,
                                          const SettingsTable* settings)
{
    auto opened = std::make_unique<OpenedTest>();
    opened->session = std::make_unique<TestSession>(*opened->data, opened->dialogs, settingsPath);
    opened->session->start(0);
    if (settings) {
        opened->data->csz = *settings;
        opened->data->csz[setting::kLastFile].clear();
    }
    opened->result = opened->session->files.openPath(path);
    return opened;
}

} // namespace pyx
