#pragma once
// Small functions compiled into the analysis test, each showing one shape of code the
// analysis must follow. Built with optimisation whatever the build type, so that the
// compiler makes its jump tables and tail jumps.

extern "C" {
// A dense switch: a jump table whose cases each call one of the Case* functions.
int SampleSwitch(int selector);
int SampleCase0(int);
int SampleCase1(int);
int SampleCase2(int);
int SampleCase3(int);
int SampleCase4(int);
int SampleCase5(int);
int SampleCase6(int);
// Ends in a jump to SampleTailTarget.
int SampleTailJump(int value);
int SampleTailTarget(int value);
// Calls SampleHandler only in its catch block.
void SampleTryCatch(int value);
void SampleMayThrow(int value);
void SampleHandler();
// Calls getppid through the PLT.
int SampleCallsImport();
// Ends in a call to abort.
void SampleEndsInAbort(volatile int* flag);
}
