#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "hosts/block_now.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_text.h"
#include "hosts/site_selection.h"
#include "posix_fixture.h"

namespace {

std::string DataFile(const char* name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::string kUserHosts = "# mine\r\n127.0.0.1 localhost\r\n";
const std::string kOldBackup = "# the backup of an earlier block\r\n";

class BlockProcedure : public PosixFixture {
  protected:
    int Press() { return ExitCodeOf(BlockNow); }

    // What a successful first press writes for kUserHosts with every site checked.
    static std::string AllBlocksAfter(const std::string& text) {
        std::string expected = text;
        for (const SiteEntry* site : SitesInBlockOrder()) {
            expected += site->block;
        }
        return expected;
    }

    std::vector<std::string> TemporaryFiles() const {
        std::vector<std::string> temporary;
        for (const std::string& name : FilesInEtc()) {
            if (name != "hosts" && name != "hosts.bak") {
                temporary.push_back(name);
            }
        }
        return temporary;
    }
};

TEST_F(BlockProcedure, TypicalRoadWritesTheExpectedFile) {
    StartWithHosts(DataFile("typical_road_before.hosts"));
    ClickBox(11);  // 乐视 off
    EXPECT_EQ(Press(), 0);

    EXPECT_EQ(ReadFile(HostsFilePath()), DataFile("typical_road_after.hosts"));
    EXPECT_EQ(ReadFile(BackupFilePath()), DataFile("typical_road_before.hosts"));
    EXPECT_EQ(AttributesOf(HostsPath()), kAttributeReadOnly | kAttributeHidden);
    EXPECT_EQ(AttributesOf(HostsBackupPath()), 0u);
    ASSERT_EQ(ShownMessages().size(), 1u) << "no question without a backup";
    EXPECT_EQ(ShownMessages()[0].text, "OK！");
    EXPECT_EQ(ShownMessages()[0].style, kMessageOkOnly | kMessageTaskModal);
    EXPECT_EQ(DnsFlushCount(), 1);
    EXPECT_EQ(ListedFileCount(), 0u);
    EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_F(BlockProcedure, ExistingBackupAsksAndOkReplacesIt) {
    WriteFile(BackupFilePath(), kOldBackup);
    StartWithHosts(kUserHosts);
    QueueAnswer(kAnswerOk);
    EXPECT_EQ(Press(), 0);

    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[0].text, "您已经屏蔽过了，真的还要继续?");
    EXPECT_EQ(ShownMessages()[0].style, 65u | kMessageTaskModal);
    EXPECT_EQ(ShownMessages()[0].caption, "信息：");
    EXPECT_EQ(ReadFile(BackupFilePath()), kUserHosts);
    EXPECT_EQ(ReadFile(HostsFilePath()), AllBlocksAfter(kUserHosts));
}

TEST_F(BlockProcedure, CancelChangesNothingAndKeepsTheFileHeld) {
    WriteFile(BackupFilePath(), kOldBackup);
    StartWithHosts(kUserHosts);
    QueueAnswer(kAnswerCancel);
    EXPECT_EQ(Press(), kStillRunning);

    EXPECT_EQ(ReadFile(HostsFilePath()), kUserHosts);
    EXPECT_EQ(ReadFile(BackupFilePath()), kOldBackup);
    EXPECT_EQ(HostsText, kUserHosts);
    EXPECT_EQ(ListedFileCount(), 1u);
    EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST_F(BlockProcedure, EveryBoxUncheckedStillRewritesAndProtects) {
    StartWithHosts("127.0.0.1 a.youku.com\r\n# mine\r\n");
    ClearSites();
    SetBox(2, true);
    ClickBox(2);  // 优酷 off by its own click
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(ReadFile(HostsFilePath()), "# mine");
    EXPECT_EQ(AttributesOf(HostsPath()), kAttributeReadOnly | kAttributeHidden);
}

TEST_F(BlockProcedure, EmptyHostsStartsWithAnEmptyLine) {
    StartWithHosts("");
    EXPECT_EQ(Press(), 0);
    const std::string written = ReadFile(HostsFilePath());
    EXPECT_EQ(written, AllBlocksAfter(""));
    EXPECT_EQ(written.substr(0, 2), "\r\n");
}

TEST_F(BlockProcedure, ToggledBlocksAreAppendedAgain) {
    StartWithHosts(kUserHosts);
    ClickBox(2);
    ClickBox(2);  // 优酷 off and on: its block is in the text once already
    EXPECT_EQ(Press(), 0);
    const std::string written = ReadFile(HostsFilePath());
    const std::string block = SiteForBox(2)->block;
    const std::size_t first = written.find(block);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(written.find(block, first + block.size()), std::string::npos);
}

// A failure after the question: which service fails, and the words of its box.
struct FailureCase {
    const char* name;
    PosixService service;
    int skip;  // calls of the service that go through first
    SystemError error;
    std::string expectedText;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kAdminHint = "\r\n请以管理员身份运行本程序。";

class FailingBlock : public BlockProcedure, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingBlock, LeavesEverythingWholeAndCanBeTriedAgain) {
    const FailureCase& c = GetParam();
    WriteFile(BackupFilePath(), kOldBackup);
    StartWithHosts(kUserHosts);
    SetAttributes(HostsPath(), kAttributeArchive | kAttributeSystem);
    const std::string textBefore = HostsText;

    FailService(c.service, c.error, c.skip);
    EXPECT_EQ(Press(), kStillRunning) << "the program keeps running";

    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[1].text, c.expectedText);
    EXPECT_EQ(ShownMessages()[1].caption, "信息：");
    EXPECT_EQ(ShownMessages()[1].style, kMessageIconError | kMessageTaskModal);
    EXPECT_EQ(ReadFile(HostsFilePath()), kUserHosts);
    EXPECT_EQ(AttributesOf(HostsPath()), kAttributeArchive | kAttributeSystem);
    EXPECT_TRUE(TemporaryFiles().empty());
    EXPECT_EQ(HostsText, textBefore);
    EXPECT_EQ(DnsFlushCount(), 0);
    // A failed backup leaves the previous one; after a failed write the backup of
    // this try stays, and it holds the hosts file's unchanged bytes.
    const bool backupFailed = c.expectedText.rfind("备份", 0) == 0;
    EXPECT_EQ(ReadFile(BackupFilePath()), backupFailed ? kOldBackup : kUserHosts);

    // The second try writes what a first one would, with no doubled blocks.
    QueueAnswer(kAnswerOk);
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(ReadFile(HostsFilePath()), AllBlocksAfter(kUserHosts));
    EXPECT_EQ(ReadFile(BackupFilePath()), kUserHosts);
    EXPECT_TRUE(TemporaryFiles().empty());
}

std::string Text(const char* prefix, SystemError error, bool hint = false) {
    return prefix + SystemErrorText(error) + (hint ? kAdminHint : "");
}

INSTANTIATE_TEST_SUITE_P(
    EachService, FailingBlock,
    ::testing::Values(
        FailureCase{"copy", PosixService::Copy, 0, EIO, Text("备份hosts失败：", EIO)},
        FailureCase{"backup_denied", PosixService::Copy, 0, kPosixAccessDenied,
                    Text("备份hosts失败：", kPosixAccessDenied, true)},
        FailureCase{"backup_replace", PosixService::Replace, 0, kPosixSharingViolation,
                    Text("备份hosts失败：", kPosixSharingViolation)},
        FailureCase{"backup_write", PosixService::Write, 0, ENOSPC,
                    Text("备份hosts失败：", ENOSPC)},
        FailureCase{"write", PosixService::Write, 1, ENOSPC, Text("写入hosts失败：", ENOSPC)},
        FailureCase{"flush", PosixService::Flush, 1, EIO, Text("写入hosts失败：", EIO)},
        FailureCase{"replace", PosixService::Replace, 1, kPosixAccessDenied,
                    Text("写入hosts失败：", kPosixAccessDenied, true)}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// Wine running as root lets these through, so the Windows rules are checked here.
TEST_F(BlockProcedure, FileHeldByAnotherProgramIsNotReplaced) {
    StartWithHosts(kUserHosts);
    const int other = OpenForeignHandle(HostsPath(), kAccessRead, kShareRead | kShareWrite);
    EXPECT_EQ(Press(), kStillRunning);
    EXPECT_EQ(ShownMessages().back().text, Text("写入hosts失败：", kPosixSharingViolation));
    EXPECT_EQ(ReadFile(HostsFilePath()), kUserHosts);
    CloseForeignHandle(other);
}

TEST_F(BlockProcedure, ReadOnlyFileWhoseAttributesCannotBeClearedIsNotReplaced) {
    StartWithHosts(kUserHosts);
    SetAttributes(HostsPath(), kAttributeReadOnly | kAttributeHidden);
    FailService(PosixService::SetAttributes, kPosixAccessDenied);
    EXPECT_EQ(Press(), kStillRunning);
    EXPECT_EQ(ShownMessages().back().text, Text("写入hosts失败：", kPosixAccessDenied, true));
    EXPECT_EQ(ReadFile(HostsFilePath()), kUserHosts);
    EXPECT_EQ(AttributesOf(HostsPath()), kAttributeReadOnly | kAttributeHidden);
}

TEST_F(BlockProcedure, UnreadableAttributesDoNotStopTheBlock) {
    StartWithHosts(kUserHosts);
    FailService(PosixService::GetAttributes, EIO);
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(ReadFile(HostsFilePath()), AllBlocksAfter(kUserHosts));
}

TEST_F(BlockProcedure, HostsDeletedAfterAFailedTryIsWrittenWithoutBackup) {
    StartWithHosts(kUserHosts);
    FailService(PosixService::Replace, EIO, 1);
    EXPECT_EQ(Press(), kStillRunning);
    ASSERT_EQ(unlink(HostsFilePath().c_str()), 0);
    ASSERT_EQ(unlink(BackupFilePath().c_str()), 0);
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(ReadFile(HostsFilePath()), AllBlocksAfter(kUserHosts));
    EXPECT_FALSE(FileExists(BackupFilePath()));
}

}  // namespace
