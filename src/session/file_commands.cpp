#include "session/file_commands.h"

#include <algorithm>

#include "base/file_io.h"
#include "data/numfmt.h"
#include "data/raw_convert.h"
#include "data/raw_slots.h"
#include "data/records.h"
#include "data/settings.h"

namespace pyx {
namespace {

// Record i of a file's bytes; empty past their end (a file cut short since its length was read).
std::string_view recordAt(const std::string& bytes, int i, std::size_t size)
{
    const std::size_t at = static_cast<std::size_t>(i) * size;
    return at < bytes.size() ? std::string_view(bytes).substr(at) : std::string_view();
}

// The test files first, chosen by default, then the logger's files alone, then the two
// filters the program always offered.
constexpr const char* kOpenFilter =
    "试验文件|*.pys;*.pyx;*.pyw|记录仪文件|*.pyx;*.pyw|All files(*.*)|*.*|pys| *.pys";
constexpr const char* kNewFilter = "All files(*.*)|*.*|pys| *.pys|*.|*.";
constexpr int kRawOldSavedRecords = 300;
constexpr int kEndRowsUpTo = 199; // raw rows after the table up to this one get the unused time

template <class F> void call(const F& hook)
{
    if (hook)
        hook();
}

// The ending of a file's name (after its last dot), empty when it has none.
std::string endingOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}

// The name with ".ending" added when it has no ending of its own.
std::string withEnding(const std::string& path, const std::string& ending)
{
    return endingOf(path).empty() ? path + "." + ending : path;
}

bool endsWithPys(const std::string& name)
{
    return name.size() >= 3 && name.compare(name.size() - 3, 3, "pys") == 0;
}

// Overlays `records` on the start of the old file's bytes, so the records that a save
// does not rewrite stay as they were.
std::string overlay(const std::string& old, const std::string& records)
{
    std::string out = old;
    if (out.size() < records.size())
        out.resize(records.size());
    std::copy(records.begin(), records.end(), out.begin());
    return out;
}

void nstageFromMaxload(TestData& d)
{
    const auto kz3 = toDouble(d.kz3);
    if (kz3 && *kz3 != 0)
        if (const auto n = toInteger(d.maxload / *kz3))
            d.nstage = *n;
    if (d.nstage == 0)
        d.nstage = 10;
}

void followMaxLoad(TestData& d, float hz)
{
    if (hz != kEndLoad && hz > static_cast<float>(d.maxload))
        if (const auto v = toLong(hz))
            d.maxload = *v;
}

// Fixed-axis slot texts: a text that is not a number is replaced by "0".
template <std::size_t N> double axisSlotValue(FixedText<N>& slot)
{
    if (!isNumeric(slot.trimmed()))
        slot.set("0");
    return leadingNumber(slot.trimmed());
}

} // namespace

std::array<std::string, 2> fixedAxisTexts(const TestData& d)
{
    if (!d.yfix)
        return {"", ""};
    return {std::to_string(d.nstage), singleText(d.ystep)};
}

HeaderLabels headerLabels(const TestData& d)
{
    return headerLabels(d.jlb[0].cstr.trimmed(), d.jlb[1].cstr.trimmed(), d.jlb[2].cstr.trimmed(),
                        d.jlb[5].cstr.trimmed());
}

std::string windowCaption(const TestData& d)
{
    return d.curfile + kAppTitle + "  ";
}

bool writeSettingsOrTell(const std::string& path, const SettingsTable& csz, Dialogs& dialogs)
{
    const IoResult written = writeSettings(path, csz);
    if (!written)
        dialogs.message(
            {"设置文件保存失败！" + written.reason(), "系统警告！", MsgButtons::Ok, MsgIcon::Critical, 1});
    return written.ok();
}

bool FileCommands::askSaveFirst()
{
    if (!d_.dirty)
        return true;
    const MsgAnswer a =
        dialogs_.message({"文件没有保存！保存否？", "系统提示！", MsgButtons::YesNo, MsgIcon::Critical, 1});
    if (a != MsgAnswer::Yes)
        return true;
    return save() == SaveResult::Saved;
}

void FileCommands::newTest()
{
    if (!askSaveFirst())
        return;
    std::string chosen = dialogs_.saveFile({kNewFilter, 2, "", "新文件保存为"});
    if (chosen.empty())
        return;
    // A new test is a record file: a name without an ending gets its ending.
    chosen = withEnding(chosen, "pys");
    const std::string previous = d_.curfile;
    d_.curfile = chosen;
    d_.newtest = true;
    onDisk_.reset();

    createIfMissing(chosen);
    if (fileLength(chosen).value_or(0) > 0) {
        const MsgAnswer a = dialogs_.message(
            {"该文件已经存在！覆盖它？", "系统警告！", MsgButtons::YesNo, MsgIcon::Critical, 2});
        if (a != MsgAnswer::Yes) {
            d_.curfile = previous;
            return;
        }
    }

    d_.csz[setting::kControlLoad] = "0";
    d_.ysn = 0;
    d_.jlbn = 0;
    d_.jlb[0].hz = kEndLoad;
    d_.ftype = FileKind::Record;
    call(hooks.clearGrid);
    for (int i = 0; i < kRecordFileRows; ++i)
        d_.jlbp[i].hz = kEndLoad;
    call(hooks.testReplaced);
    call(hooks.newProjectInfo);
}

OpenResult FileCommands::open()
{
    d_.maxload = 0;
    if (!askSaveFirst())
        return OpenResult::SaveFailed;
    std::string proposed = d_.autoopen ? d_.curfile : std::string();
    if (proposed.empty() && hooks.startFolder)
        if (const std::string folder = hooks.startFolder(); !folder.empty())
            proposed = folder.back() == '/' ? folder : folder + "/";
    const std::string chosen = dialogs_.openFile({kOpenFilter, 1, proposed, "打开文件"});
    if (chosen.empty()) {
        if (d_.autoopen)
            d_.curfile.clear();
        return OpenResult::Cancelled;
    }
    return readChosen(chosen);
}

OpenResult FileCommands::openChosen(const std::string& path)
{
    d_.maxload = 0;
    if (!askSaveFirst())
        return OpenResult::SaveFailed;
    return openPath(path);
}

OpenResult FileCommands::openPath(const std::string& path)
{
    d_.maxload = 0;
    if (path.empty())
        return OpenResult::Cancelled;
    return readChosen(path);
}

OpenResult FileCommands::readChosen(const std::string& path)
{
    onDisk_.reset();
    d_.curfile = path;

    std::string reason;
    const auto length = fileLength(path, &reason);
    d_.tabmode = 1;
    d_.curvekind = CurveKind::Time;
    d_.dirty = false;
    if (!length) {
        leaveWithNoTest("文件打开失败！" + reason);
        return OpenResult::Unreadable;
    }
    const unsigned long long L = *length;
    int kind = 0;
    if (L > 0 && L % kYsRecSize == 0)
        kind = 2;
    else if (L > 0 && L % kYsRecOldSize == 0)
        kind = 1;
    if (kind == 0 && !endsWithPys(path)) {
        leaveWithNoTest("文件格式不能识别！");
        return OpenResult::UnknownKind;
    }

    const std::size_t recordSize = kind == 2 ? kYsRecSize : kind == 1 ? kYsRecOldSize : kJlbRecSize;
    const std::size_t rowsWanted = kind == 0 ? kRecordFileRows : kRawRows;
    readLimit_ = recordSize * rowsWanted;
    ReadResult file = readWholeFile(path, readLimit_);
    if (!file.bytes) {
        leaveWithNoTest("文件打开失败！" + file.error);
        return OpenResult::Unreadable;
    }
    onDisk_ = std::move(file.bytes);
    const std::string& bytes = *onDisk_;
    if (kind != 0) {
        const unsigned long long records = L / recordSize;
        d_.ysn = d_.ysn0 = static_cast<std::int32_t>(std::min<unsigned long long>(records, INT32_MAX));
    }
    // The reader decodes every raw row the file's length announces.
    const int rawRows = std::min<std::int32_t>(d_.ysn0, kRawRows);
    clearForOpen(d_, kind == 2 ? rawRows : 0, kind == 1 ? rawRows : 0);
    if (kind == 0)
        readRecordFile(bytes);
    else if (kind == 1)
        readRawOld(bytes);
    else
        readRaw(bytes);
    complete();
    if (hooks.opened)
        hooks.opened(path);
    return OpenResult::Opened;
}

void FileCommands::readRecordFile(const std::string& bytes)
{
    d_.ftype = FileKind::Record;
    for (int i = 0; i < kRecordFileRows; ++i) {
        decodeJlbRec(recordAt(bytes, i, kJlbRecSize), d_.jlb[i]);
    }
    d_.ymax0 = 50;
    d_.ystep = 0.1f;
    d_.curvekind = CurveKind::Time;
    if (d_.autoopen) {
        d_.jlbn = static_cast<std::int16_t>(firstEndRow(d_.jlb, kJlbRows));
        d_.csz[setting::kControlLoad] = singleText(d_.jlb[17].cs);
        d_.kz3 = d_.csz[setting::kLoadIncrement];
        d_.restored = true;
        return;
    }
    d_.jlb[kRecordFileRows - 1].hz = kEndLoad;
    d_.jlbn = static_cast<std::int16_t>(firstEndRow(d_.jlb, kRecordFileRows));
    for (int i = 0; i < d_.jlbn; ++i)
        followMaxLoad(d_, d_.jlb[i].hz);
    d_.kz3 = singleText(d_.jlb[0].hz);
    nstageFromMaxload(d_);
    axisStep();
}

void FileCommands::readRawOld(const std::string& bytes)
{
    d_.ftype = FileKind::Raw267;
    const int n = std::min<std::int32_t>(d_.ysn0, kRawRows);
    for (int i = 0; i < n; ++i)
        decodeYsRecOld(recordAt(bytes, i, kYsRecOldSize), d_.ysdo[i]);

    int r = 0;
    for (int row = 0; row < n && row + 1 < kRawRows && r < kJlbRows - 1; row += 2) {
        const YsRecOld& loading = d_.ysdo[row];
        const YsRecOld& unloading = d_.ysdo[row + 1];
        JlbRec& out = d_.jlb[r];
        out.sj.set(loading.sj.text());
        out.hz = loading.v[0];
        for (int g = 0; g < 4; ++g) {
            out.ds[g] = loading.v[1 + g];
            out.ds[4 + g] = unloading.v[1 + g];
        }
        if (const auto xh = toInteger(static_cast<double>(loading.v[12]) + 1))
            out.xh = *xh;
        if (unloading.sj.is(kUnusedTime))
            break;
        followMaxLoad(d_, out.hz);
        ++r;
    }
    d_.jlbn = static_cast<std::int16_t>(r);
    d_.jlb[r].hz = kEndLoad;
    d_.ymax0 = 50;
    d_.ystep = 0.1f;
    d_.curvekind = CurveKind::Time;
    readRawGaugeFlags(d_.ysdo, d_);
    readRawHeaderEntries(d_.ysdo, d_);
    d_.kz3 = d_.csz[setting::kLoadIncrement]; // the load increment is the one the file just set
    readRawTextSlots(d_.ysdo, d_);
    nstageFromMaxload(d_);
    axisStep();
}

void FileCommands::readRaw(const std::string& bytes)
{
    d_.ftype = FileKind::Raw311;
    const int n = std::min<std::int32_t>(d_.ysn0, kRawRows);
    for (int i = 0; i < n; ++i)
        decodeYsRec(recordAt(bytes, i, kYsRecSize), d_.ysd[i]);
    increments_ = convertRawReadings(d_);
    axisStep();
}

void FileCommands::axisStep()
{
    if (autoAxis(d_.csz)) {
        d_.yfix = false;
        return;
    }
    double stages = 0;
    double step = 0;
    if (d_.ftype == FileKind::Record) {
        stages = axisSlotValue(d_.jlb[38].cstr);
        step = axisSlotValue(d_.jlb[39].cstr);
    } else if (d_.ftype == FileKind::Raw267) {
        stages = axisSlotValue(d_.ysdo[38].s60);
        step = axisSlotValue(d_.ysdo[39].s60);
    } else {
        stages = axisSlotValue(d_.ysd[38].s60);
        step = axisSlotValue(d_.ysd[39].s60);
    }
    if (stages > 0 && step > 0) {
        if (const auto n = toInteger(stages))
            d_.nstage = *n;
        if (const auto v = singleFromDouble(step))
            d_.ystep = *v;
        d_.yfix = true;
    } else {
        d_.yfix = false;
    }
}

void FileCommands::complete()
{
    // The project information fields come from the slots; their gauge distance is kept.
    if (hooks.loadProjectInfo)
        hooks.loadProjectInfo();
    else
        d_.bjtext = d_.jlb[5].cstr.trimmed();
    if (hooks.showHeader)
        hooks.showHeader(windowCaption(d_), headerLabels(d_));
    d_.tabmode = 1;
    call(hooks.evaluate);
    call(hooks.showRecordTable);
    call(hooks.display);
    call(hooks.menuinfo);
    d_.ysn = d_.jlbn;
    // What New began ends with the next test.
    d_.newtest = false;
    call(hooks.focusGrid);
    call(hooks.testReplaced);
}

void FileCommands::leaveWithNoTest(const std::string& message)
{
    clearForOpen(d_);
    dialogs_.message({message, "系统提示！", MsgButtons::Ok, MsgIcon::Exclamation, 1});
    resetToNoTest(d_);
    if (hooks.showHeader)
        hooks.showHeader(kAppTitle, emptyHeaderLabels());
    call(hooks.showRecordTable);
    call(hooks.display);
    call(hooks.menuinfo);
    call(hooks.testReplaced);
}

std::string FileCommands::buildRecordFile()
{
    const auto axis = fixedAxisTexts(d_);
    d_.jlb[38].cstr.set(axis[0]);
    d_.jlb[39].cstr.set(axis[1]);
    std::string out;
    out.reserve(kRecordFileRows * kJlbRecSize);
    for (int i = 0; i < kRecordFileRows; ++i)
        out += encodeJlbRec(d_.jlb[i]);
    return out;
}

namespace {

// Both raw layouts: rows 2i and 2i + 1 hold the loading and the unloading reading of
// record-table row i, and the two rows after the last pair end the table.
template <class Rec, class Store>
int writePairs(std::array<Rec, kRawRows>& raw, const TestData& d, Store&& store)
{
    const int rows = std::clamp<int>(d.jlbn, 0, kJlbRows - 1);
    for (int i = 0; i < rows; ++i)
        for (int k = 0; k < 2; ++k) {
            Rec& r = raw[2 * i + k];
            storeText(r.sj, d.jlb[i].sj);
            store(r, d.jlb[i], k);
        }
    for (int i = 2 * rows; i <= std::max(kEndRowsUpTo, 2 * rows + 1); ++i)
        raw[i].sj.set(kUnusedTime);
    return 2 * rows + 2;
}

} // namespace

std::string FileCommands::buildRawOldFile(const std::string& old)
{
    const int used = writePairs(d_.ysdo, d_, [](YsRecOld& r, const JlbRec& row, int k) {
        r.v[0] = row.hz;
        r.v[12] = static_cast<float>(row.xh - 1);
        for (int g = 0; g < 4; ++g)
            r.v[1 + g] = row.ds[4 * k + g];
    });
    writeRawHeader(d_.ysdo, d_);
    // Never fewer records than the logger's 300, and always the whole table with its end rows.
    const int count = std::max(kRawOldSavedRecords, used);
    std::string records;
    for (int i = 0; i < count; ++i)
        records += encodeYsRecOld(d_.ysdo[i]);
    return overlay(old, records);
}

std::string FileCommands::buildRawFile(const std::string& old)
{
    // The table goes back as plain pairs marked as the save's own (raw_save_mark.h): read
    // with the logger's load-level records, times and status flags still in their rows, it
    // would come back with rows lost or moved.
    const int used = writePairs(d_.ysd, d_, [](YsRec& r, const JlbRec& row, int k) {
        r.v[0] = row.hz;
        r.v[13] = row.xh;
        for (int g = 0; g < 4; ++g)
            r.v[2 + g] = row.ds[4 * k + g];
    });
    writeRawHeader(d_.ysd, d_);
    markSavedTable(d_.ysd[0], increments_);
    // The table, its end rows and eight records more, and at least the fixed header rows.
    const int count = std::min(std::max(used + 8, kRawHeaderRows), kRawRows);
    const std::size_t oldRecords = old.size() / kYsRecSize;
    std::string records;
    for (int i = 0; i < count; ++i) {
        YsRec r = d_.ysd[i];
        // The reading as the logger recorded it stays as it is in the file, whatever the
        // views did to it in memory.
        if (static_cast<std::size_t>(i) < oldRecords) {
            const YsRec recorded = decodeYsRec(std::string_view(old).substr(i * kYsRecSize));
            r.sj2 = recorded.sj2;
            r.u = recorded.u;
            r.zt = recorded.zt;
        }
        records += encodeYsRec(r);
    }
    return overlay(old, records);
}

std::optional<std::string> FileCommands::fileAsItIs(const std::string& path, const std::string& failure,
                                                    bool* missing)
{
    ReadResult now = readWholeFile(path, kMaxSavedFileBytes + 1);
    if (missing && now.missing) {
        *missing = true;
        return std::nullopt;
    }
    if (now.bytes && now.bytes->size() > kMaxSavedFileBytes) {
        now.bytes.reset();
        now.error = "文件过大";
    }
    if (!now.bytes) {
        dialogs_.message({failure + now.error, "系统警告！", MsgButtons::Ok, MsgIcon::Critical, 1});
        return std::nullopt;
    }
    return std::move(now.bytes);
}

std::string FileCommands::buildFile(const std::string& old)
{
    if (d_.ftype == FileKind::Record)
        return buildRecordFile();
    return d_.ftype == FileKind::Raw267 ? buildRawOldFile(old) : buildRawFile(old);
}

SaveResult FileCommands::save()
{
    if (d_.curfile.empty() || d_.ftype == FileKind::None)
        return SaveResult::Failed;
    // The file as it is now: to see whether someone else changed it since it was read, and
    // for the readings the save keeps. A file that cannot be read is not saved over.
    // Only a file that is not there (a new test's, or one deleted since) is written without
    // its old bytes.
    bool missing = false;
    const std::optional<std::string> now = fileAsItIs(d_.curfile, "文件保存失败！无法读取原文件：", &missing);
    if (!now && !missing)
        return SaveResult::Failed;
    std::string old = now.value_or(std::string());
    const bool changed = onDisk_ && (missing || old.compare(0, readLimit_, *onDisk_) != 0);
    if (changed) {
        const MsgAnswer a = dialogs_.message({"文件打开后已被删除或被其他程序改动！仍然保存（覆盖）吗？",
                                              "系统警告！", MsgButtons::YesNo, MsgIcon::Critical, 2});
        if (a != MsgAnswer::Yes)
            return SaveResult::Failed;
        // The readings the save does not rewrite are those of the file as it was opened.
        if (old.size() < onDisk_->size())
            old.resize(onDisk_->size());
        std::copy(onDisk_->begin(), onDisk_->end(), old.begin());
    }
    const std::string bytes = buildFile(old);
    const IoResult written = writeFileAtomic(d_.curfile, bytes);
    if (!written) {
        dialogs_.message(
            {"文件保存失败！" + written.reason(), "系统警告！", MsgButtons::Ok, MsgIcon::Critical, 1});
        return SaveResult::Failed;
    }
    saved(bytes);
    return SaveResult::Saved;
}

void FileCommands::saved(const std::string& bytes)
{
    if (onDisk_)
        onDisk_ = bytes.substr(0, std::min(bytes.size(), readLimit_));
    // The test is saved even when its settings are not: that failure is only told.
    writeSettingsOrTell(settingsPath_, d_.csz, dialogs_);
    d_.dirty = false;
    if (hooks.setSaveEnabled)
        hooks.setSaveEnabled(false);
}

SaveResult FileCommands::saveAs()
{
    if (d_.curfile.empty() || d_.ftype == FileKind::None)
        return SaveResult::Failed;
    // A test keeps its kind: a record file is written as ".pys", a logger file in its own
    // layout with the ending it has.
    const std::string ending = d_.ftype == FileKind::Record ? "pys" : endingOf(d_.curfile);
    const std::string filter =
        ending.empty() ? std::string("All files(*.*)|*.*") : ending + "| *." + ending + "|All files(*.*)|*.*";
    std::string chosen = dialogs_.saveFile({filter, 1, "", "另存为"});
    if (chosen.empty())
        return SaveResult::Failed;
    if (!ending.empty())
        chosen = withEnding(chosen, ending);
    if (chosen == d_.curfile)
        return save();
    std::string why;
    if (fileLength(chosen, &why).has_value()) {
        const MsgAnswer a = dialogs_.message(
            {"该文件已经存在！覆盖它？", "系统警告！", MsgButtons::YesNo, MsgIcon::Critical, 2});
        if (a != MsgAnswer::Yes)
            return SaveResult::Failed;
    }
    // A logger file's readings that the save does not rewrite come from the file itself.
    std::string old;
    if (d_.ftype != FileKind::Record) {
        const auto read = fileAsItIs(d_.curfile, "另存失败！无法读取原文件：");
        if (!read)
            return SaveResult::Failed;
        old = *read;
    }
    const std::string bytes = buildFile(old);
    const IoResult written = writeFileAtomic(chosen, bytes);
    if (!written) {
        dialogs_.message(
            {"另存失败！" + written.reason(), "系统警告！", MsgButtons::Ok, MsgIcon::Critical, 1});
        return SaveResult::Failed;
    }
    // The window goes on with the new file; the old one stays as it was.
    const std::string from = d_.curfile;
    d_.curfile = chosen;
    saved(bytes);
    if (hooks.savedAs)
        hooks.savedAs(from, chosen);
    if (hooks.showHeader)
        hooks.showHeader(windowCaption(d_), headerLabels(d_));
    return SaveResult::Saved;
}

} // namespace pyx
