#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "platform/posix_control.h"
#include "posix_fixture.h"
#include "skin/engine_file.h"

namespace {

constexpr char kImageBytes[] = "MZ\x90\0\x03\0stand-in engine image\0\xFF";
constexpr std::string_view kImage(kImageBytes, sizeof kImageBytes - 1);

}  // namespace

// On Windows the image is the program's resource; natively the tests supply it.
std::string_view SkinEngineImage() {
    return kImage;
}

namespace {

class SkinEngineFile : public PosixFixture {
  protected:
    void SetUp() override {
        PosixFixture::SetUp();
        ASSERT_EQ(mkdir(PosixPathOf("C:\\Program").c_str(), 0755), 0);
    }

    std::string EngineFile() const { return PosixPathOf(SkinEnginePath()); }

    void ExpectCarriedImageHidden() {
        ASSERT_TRUE(FileExists(EngineFile()));
        EXPECT_EQ(ReadFile(EngineFile()), kImage);
        EXPECT_EQ(AttributesOf(SkinEnginePath()) & kAttributeHidden, kAttributeHidden);
    }
};

TEST_F(SkinEngineFile, LivesBesideTheProgram) {
    EXPECT_EQ(SkinEnginePath(), "C:\\Program\\SkinH_EL.dll");
}

TEST_F(SkinEngineFile, MissingFileIsWrittenHidden) {
    EnsureSkinEngine();
    ExpectCarriedImageHidden();
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(SkinEngineFile, PresentFileIsNeitherComparedNorReplaced) {
    // Any file of that name counts, even an empty or a foreign one, visible or not.
    for (const std::string& bytes : {std::string(), std::string("another engine build")}) {
        WriteFile(EngineFile(), bytes);
        ASSERT_EQ(SetAttributes(SkinEnginePath(), kAttributeArchive), 0u);
        EnsureSkinEngine();
        EnsureSkinEngine();
        EXPECT_EQ(ReadFile(EngineFile()), bytes);
        EXPECT_EQ(AttributesOf(SkinEnginePath()), kAttributeArchive);
        ASSERT_EQ(SetAttributes(SkinEnginePath(), 0), 0u);
        ASSERT_EQ(unlink(EngineFile().c_str()), 0);
    }
}

TEST_F(SkinEngineFile, DeletedFileIsWrittenAgain) {
    EnsureSkinEngine();
    ASSERT_EQ(SetAttributes(SkinEnginePath(), 0), 0u);
    ASSERT_EQ(unlink(EngineFile().c_str()), 0);
    EnsureSkinEngine();
    ExpectCarriedImageHidden();
}

TEST_F(SkinEngineFile, FailedWriteLeavesNoFileAndNoMessage) {
    FailService(PosixService::Write, kPosixAccessDenied);
    EnsureSkinEngine();
    EXPECT_FALSE(FileExists(EngineFile()));
    EXPECT_TRUE(ShownMessages().empty()) << "a missing engine is reported when it is bound";
    EnsureSkinEngine();
    ExpectCarriedImageHidden();
}

}  // namespace
