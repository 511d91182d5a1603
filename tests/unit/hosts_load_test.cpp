#include <gtest/gtest.h>

#include "hosts/hosts_file.h"
#include "hosts/hosts_text.h"
#include "posix_fixture.h"

namespace {

class LoadHosts : public PosixFixture {
  protected:
    int Load() { return ExitCodeOf(LoadHostsAtStart); }

    void ExpectEndedWith(const char* text) {
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, text);
        EXPECT_EQ(ShownMessages()[0].caption, "信息：");
        EXPECT_EQ(ShownMessages()[0].style, kMessageIconError | kMessageTaskModal);
        EXPECT_EQ(HostsText, "");
        EXPECT_EQ(ListedFileCount(), 0u) << "the end closes the held file";
    }
};

TEST_F(LoadHosts, TakesTheExactBytesAndHoldsTheFile) {
    const std::string bytes = "# \xE4\xBC\x98\xAD\r\n127.0.0.1 a\nb";
    WriteFile(HostsFilePath(), bytes);
    EXPECT_EQ(Load(), kStillRunning);
    EXPECT_EQ(HostsText, bytes);
    EXPECT_NE(HeldHostsFile, 0u);
    EXPECT_EQ(ListedFileCount(), 1u);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(LoadHosts, EmptyFileGivesEmptyText) {
    WriteFile(HostsFilePath(), "");
    EXPECT_EQ(Load(), kStillRunning);
    EXPECT_EQ(HostsText, "");
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(LoadHosts, MissingFileEndsWithMessage) {
    EXPECT_EQ(Load(), 0);
    ExpectEndedWith("无法打开hosts");
}

TEST_F(LoadHosts, RefusedOpenEndsWithMessage) {
    WriteFile(HostsFilePath(), "A");
    FailService(PosixService::Open, kPosixAccessDenied);
    EXPECT_EQ(Load(), 0);
    ExpectEndedWith("无法打开hosts");
}

// Another program writing the file lets our shared open through but not the
// whole-file read; going on with an empty text would later wipe the file.
TEST_F(LoadHosts, FailedReadAfterOpenEndsInsteadOfCarryingOnEmpty) {
    WriteFile(HostsFilePath(), "A\r\n");
    OpenForeignHandle(HostsPath(), kAccessWrite, kShareRead | kShareWrite);
    EXPECT_EQ(Load(), 0);
    ExpectEndedWith("无法打开hosts");
}

TEST_F(LoadHosts, NulByteRefusesToEditTheFile) {
    WriteFile(HostsFilePath(), std::string("A\r\n\0B\r\n", 7));
    EXPECT_EQ(Load(), 0);
    ExpectEndedWith("hosts文件含有空字节，无法安全修改");
}

}  // namespace
