// int CallStdcallChecked(const void* function, const uintptr_t* arguments,
//                        uint32_t count, uint32_t* result)    (cdecl)
//
// Pushes the arguments right to left, calls the function and compares the stack
// pointer afterwards with its value from before the pushes. A function that
// removes the wrong number of bytes is caught here and the stack pointer is put
// back before the caller reports it, so the report itself runs on a sound stack.
// Returns 1 when the stack pointer came back unchanged, 0 otherwise.

// Room below the saved register, so a function that removes a few words too
// many does not leave the saved value below the stack pointer.
#define SLACK 16
// Stack pointer expected after the call, relative to %ebp: the saved %esi, the slack.
#define EXPECTED (-4 - SLACK)

    .text
    .globl _CallStdcallChecked
    .def _CallStdcallChecked; .scl 2; .type 32; .endef
_CallStdcallChecked:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    subl $SLACK, %esp

    movl 12(%ebp), %esi          // arguments
    movl 16(%ebp), %ecx          // count
    leal (%esi,%ecx,4), %esi     // past the last one: push from there down
1:  testl %ecx, %ecx
    jz 2f
    subl $4, %esi
    pushl (%esi)
    decl %ecx
    jmp 1b

2:  call *8(%ebp)
    movl 20(%ebp), %ecx
    movl %eax, (%ecx)

    leal EXPECTED(%ebp), %edx
    movl $1, %eax
    cmpl %edx, %esp
    je 3f
    xorl %eax, %eax
    movl %edx, %esp

3:  addl $SLACK, %esp
    popl %esi
    popl %ebp
    ret
