#include "hosts/block_now.h"

#include <cstdint>
#include <string>

#include "hosts/hosts_file.h"
#include "hosts/hosts_text.h"
#include "hosts/site_selection.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t kProtectedAttributes = kAttributeReadOnly | kAttributeHidden;

bool UserWantsToBlockAgain() {
    if (!PathExists(HostsBackupPath())) {
        return true;
    }
    return ShowMessage("您已经屏蔽过了，真的还要继续?",
                       kMessageOkCancel | kMessageIconInformation) == kAnswerOk;
}

void ReportFailure(const char* what, SystemError error) {
    std::string text = what + SystemErrorText(error);
    if (IsAccessDenied(error)) {
        text += "\r\n请以管理员身份运行本程序。";
    }
    ShowMessage(text, kMessageIconError);
}

// Backs up the hosts file, then writes the working text over it. Either step puts
// a finished temporary file in place in one move, so on disk the hosts file and
// the backup are always whole: old bytes or new ones.
SystemError BackUpAndWrite(const std::string& hostsPath, const char*& failedStep) {
    // A hosts file that is gone (deleted by hand after a failed try) has nothing to
    // back up; refusing the write then would only keep the user unprotected.
    if (PathExists(hostsPath)) {
        failedStep = "备份hosts失败：";
        if (SystemError error = CopyFileAtomically(hostsPath, HostsBackupPath())) {
            return error;
        }
    }
    failedStep = "写入hosts失败：";
    return WriteFileAtomically(hostsPath, HostsText);
}

}  // namespace

void AppendCheckedBlocks() {
    for (const SiteEntry* site : SitesInBlockOrder()) {
        if (IsSiteChecked(site->box)) {
            AppendBlock(site->block);
        }
    }
}

void BlockNow() {
    if (!UserWantsToBlockAgain()) {
        return;
    }
    const std::string textBefore = HostsText;
    AppendCheckedBlocks();

    const std::string hostsPath = HostsPath();
    std::uint32_t attributesBefore = 0;
    const bool hadAttributes = GetAttributes(hostsPath, attributesBefore);
    // Windows refuses to replace a read-only file, and the copy would carry the
    // hidden bit over to the backup; a failure here shows in the steps after it.
    SetAttributes(hostsPath, 0);
    // Our own read handle would keep the file from being replaced.
    CloseFile(HeldHostsFile);

    const char* failedStep = "";
    if (SystemError error = BackUpAndWrite(hostsPath, failedStep)) {
        if (hadAttributes) {
            SetAttributes(hostsPath, attributesBefore);
        }
        HostsText = textBefore;
        ReportFailure(failedStep, error);
        return;
    }
    SetAttributes(hostsPath, kProtectedAttributes);
    FlushDnsCache();
    ShowMessage("OK！", kMessageOkOnly);
    EndProgram(0);
}
