#include "platform/fatal_error.h"

#include "platform/platform.h"

const char* const kFatalErrorCaption = "错误";
const char* const kStackErrorMessage = "调用DLL命令后发现堆栈错误";

std::string FatalErrorText(int number, const std::string& message) {
    std::string text = "运行时出错!\r\n\r\n";
    if (number != kNoErrorNumber) {
        text += "错误代码：" + std::to_string(number) + "\r\n\r\n";
    }
    if (!message.empty()) {
        text += "错误信息：" + message + "\r\n";
    }
    return text;
}

std::string UnboundExportMessage(const std::string& library, const std::string& function) {
    return "无法找到指定DLL库文件“" + library + "”中的输出命令“" + function + "”";
}

std::string RefusedAllocationMessage(std::size_t bytes) {
    return "分配 " + std::to_string(bytes) + " 字节内存失败!";
}

void EndWithFatalError(int number, const std::string& message) {
    ShowMessage(FatalErrorText(number, message), kMessageIconError, kFatalErrorCaption);
    EndProgram(-1);
}
