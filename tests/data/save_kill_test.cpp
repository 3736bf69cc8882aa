#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace pyx {
namespace {

namespace fs = std::filesystem;

int entries(const std::string& dir)
{
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// A child process saves two versions of a file in turn and is killed at a random moment,
// again and again: the file is always one version or the other, whole, and what a killed
// save leaves behind neither stops the next save nor stays after it.
TEST(SaveKill, KilledSaveLeavesTheOldOrTheNewFileWhole)
{
    constexpr int kKills = 200;
    test::TempDir dir;
    const std::string folder = dir.file("work");
    fs::create_directory(folder);
    const std::string path = folder + "/test.pyx";
    const std::string a(300 * 311, 'a');
    std::string b(300 * 311 + 17, 'b');
    b.front() = 'B';
    ASSERT_TRUE(writeFileAtomic(path, a).ok());

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayUs(0, 6000);
    int survived = 0;
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i)
                if (!writeFileAtomic(path, i % 2 ? a : b).ok())
                    ::_exit(3);
        }
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;
        const std::string now = test::TempDir::read(path);
        ASSERT_TRUE(now == a || now == b) << "after kill " << kill << ": " << now.size() << " bytes";
        leftovers = std::max(leftovers, entries(folder) - 1);
        ++survived;
    }
    RecordProperty("kills_survived", survived);
    std::printf("kills survived: %d, most temporary files left at once: %d\n", survived, leftovers);
    EXPECT_LE(leftovers, 1); // each save removes what the killed one before it left

    ASSERT_TRUE(writeFileAtomic(path, a).ok());
    EXPECT_EQ(test::TempDir::read(path), a);
    EXPECT_EQ(entries(folder), 1);
}

} // namespace
} // namespace pyx
