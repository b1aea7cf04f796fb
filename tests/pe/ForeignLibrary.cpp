// A DLL that no Windows installation has, for the PE checker's own test.
extern "C" __declspec(dllexport) int ForeignAnswer() { return 42; }
