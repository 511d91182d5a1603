#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/allocation.h"
#include "platform/fatal_error.h"
#include "platform/posix_control.h"

namespace {

struct FatalTextCase {
    const char* name;
    int number;
    std::string message;
    const char* text;
};

TEST(FatalErrorText, NumberAndMessageAppearOnlyWhenGiven) {
    const FatalTextCase cases[] = {
        {"stack error", kStackErrorNumber, kStackErrorMessage,
         "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"},
        {"unbound export", kNoErrorNumber, UnboundExportMessage("SkinH_EL.dll", "SkinH_AttachRes"),
         "运行时出错!\r\n\r\n"
         "错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\r\n"},
        {"refused allocation", kNoErrorNumber, RefusedAllocationMessage(30738),
         "运行时出错!\r\n\r\n错误信息：分配 30738 字节内存失败!\r\n"},
        {"number only", 6, "", "运行时出错!\r\n\r\n错误代码：6\r\n\r\n"},
        {"neither", kNoErrorNumber, "", "运行时出错!\r\n\r\n"},
    };
    for (const FatalTextCase& c : cases) {
        EXPECT_EQ(FatalErrorText(c.number, c.message), c.text) << c.name;
    }
}

class FatalErrorBox : public ::testing::Test {
  protected:
    void SetUp() override { SetPosixRoot("/nonexistent-jingying-root"); }

    void ExpectOneFatalBox(const std::string& text) {
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, text);
        EXPECT_EQ(ShownMessages()[0].caption, "错误");
        EXPECT_EQ(ShownMessages()[0].style, kMessageIconError | kMessageTaskModal);
    }
};

TEST_F(FatalErrorBox, ShowsTheTextWithStopIconThenEndsWithMinusOne) {
    try {
        EndWithFatalError(kStackErrorNumber, kStackErrorMessage);
        FAIL() << "the program went on";
    } catch (const ProgramEnded& end) {
        EXPECT_EQ(end.exitCode, -1);
    }
    ExpectOneFatalBox(FatalErrorText(kStackErrorNumber, kStackErrorMessage));
}

TEST_F(FatalErrorBox, RefusedAllocationNamesTheRequestedSize) {
    for (const std::size_t bytes :
         {std::numeric_limits<std::size_t>::max(),
          static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) + 1}) {
        SetPosixRoot("/nonexistent-jingying-root");
        try {
            void* block = AllocateOrEnd(bytes);
            std::free(block);
            FAIL() << "a request of " << bytes << " bytes was granted";
        } catch (const ProgramEnded& end) {
            EXPECT_EQ(end.exitCode, -1);
        }
        ExpectOneFatalBox("运行时出错!\r\n\r\n错误信息：分配 " + std::to_string(bytes) +
                          " 字节内存失败!\r\n");
    }
}

TEST_F(FatalErrorBox, GrantedAllocationShowsNothing) {
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{1}, std::size_t{1} << 20}) {
        void* block = AllocateOrEnd(bytes);
        ASSERT_NE(block, nullptr);
        std::free(block);
    }
    EXPECT_TRUE(ShownMessages().empty());
}

}  // namespace
