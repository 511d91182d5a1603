#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "hosts/block_now.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_text.h"
#include "hosts/site_selection.h"
#include "posix_fixture.h"

namespace {

constexpr int kKilled = 40;
constexpr int kFinished = 41;
constexpr int kReturned = 42;

int stepsBeforeKill = 0;

void KillAtChosenStep(const char*) {
    if (--stepsBeforeKill == 0) {
        _exit(kKilled);
    }
}

class BlockCrash : public PosixFixture, public ::testing::WithParamInterface<bool> {
  protected:
    // Runs a whole start and block in a child that dies after `steps` disk steps.
    int RunChildKilledAfter(int steps) {
        const pid_t child = fork();
        if (child == 0) {
            SetPosixRoot(root_);
            HostsText.clear();
            stepsBeforeKill = steps;
            SetPosixStepHook(KillAtChosenStep);
            try {
                LoadHostsAtStart();
                SelectAllSites();
                BlockNow();
            } catch (const ProgramEnded&) {
                _exit(kFinished);
            }
            _exit(kReturned);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

// Whatever moment the process dies at, the hosts file holds the whole old or the
// whole new text, and the backup the whole previous or the whole current file.
TEST_P(BlockCrash, FilesAreWholeWhereverTheProcessDies) {
    const bool hadBackup = GetParam();
    std::string oldHosts;
    while (oldHosts.size() < 10000) {
        oldHosts += "# a user's line that makes the file span several writes\r\n";
    }
    std::string newHosts = oldHosts;
    for (const SiteEntry* site : SitesInBlockOrder()) {
        newHosts += site->block;
    }
    const std::string oldBackup = "# earlier backup\r\n";

    for (int steps = 1;; ++steps) {
        ASSERT_LT(steps, 200) << "the block procedure never finished";
        WriteFile(HostsFilePath(), oldHosts);
        if (hadBackup) {
            WriteFile(BackupFilePath(), oldBackup);
        } else {
            unlink(BackupFilePath().c_str());
        }
        const int result = RunChildKilledAfter(steps);
        ASSERT_TRUE(result == kKilled || result == kFinished) << "child ended with " << result;

        const std::string hosts = ReadFile(HostsFilePath());
        EXPECT_TRUE(hosts == oldHosts || hosts == newHosts) << "hosts torn after step " << steps;
        if (FileExists(BackupFilePath())) {
            const std::string backup = ReadFile(BackupFilePath());
            EXPECT_TRUE(backup == oldHosts || (hadBackup && backup == oldBackup))
                << "backup torn after step " << steps;
        } else {
            EXPECT_FALSE(hadBackup) << "backup lost after step " << steps;
            EXPECT_EQ(hosts, oldHosts) << "written without a backup after step " << steps;
        }
        if (result == kFinished) {
            EXPECT_EQ(hosts, newHosts);
            EXPECT_GT(steps, 8) << "expected many points to die at";
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutBackup, BlockCrash, ::testing::Bool());

}  // namespace
