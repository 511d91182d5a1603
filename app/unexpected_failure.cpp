#include "app/unexpected_failure.h"

#include "platform/platform.h"

void EndAfterUnexpectedFailure() {
    ShowMessage("运行时出错!\r\n\r\n", kMessageIconError, "错误");
    EndProgram(-1);
}
