#pragma once

// What "立即屏蔽" does: finish the working text, back the hosts file up, write the
// text over it, protect it, say so and end.

// Appends the block of every checked site in block order.
void AppendCheckedBlocks();

// Ends the program on success; on a failure reports it, leaves the hosts file and
// the backup as they were and returns, so the user can try again.
void BlockNow();
