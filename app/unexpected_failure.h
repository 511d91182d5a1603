#pragma once

// Ends the program when an exception reaches the point where Windows called us:
// the fatal error box without number or message, then exit code -1.
[[noreturn]] void EndAfterUnexpectedFailure();
